// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The board window's design, in twips. Both the window and the artwork
// generator read these tables, so a painted ball or ring always lies exactly
// under the control that takes its clicks.

#include "common/twips.h"

#include <QCoreApplication>
#include <QString>
#include <array>
#include <cstdint>

namespace board {

inline constexpr int rows = 10;
inline constexpr int columns = 4;
inline constexpr int colours = 6;

inline constexpr int clientWidth = 7110;
inline constexpr int clientHeight = 8055;
inline constexpr int screenLeft = 2520; // client area's top-left corner on the screen
inline constexpr int screenTop = 3195;

// Colours as the design writes them, &H00BBGGRR.
inline constexpr std::uint32_t lightBlue = 0x00FF8080;
inline constexpr std::uint32_t paleBlue = 0x00FFC0C0;
inline constexpr std::uint32_t lampRed = 0x000000FF;
inline constexpr std::uint32_t lampGrey = 0x00808080;

struct Point {
    int left, top;
};

// Palette images Picture1..Picture6, colour numbers 1..6.
inline constexpr std::array<twips::Rect, colours> palette{{
    {3720, 360, 720, 840},  // red
    {4560, 480, 840, 840},  // green
    {5520, 720, 720, 720},  // orange
    {6120, 1560, 840, 720}, // yellow
    {6240, 2400, 840, 840}, // blue
    {6240, 3360, 840, 960}, // white
}};

inline constexpr int ringSize = 495;
// Picture7(0) alone is five twips shorter than the other holes.
inline constexpr int ringHeight(int column, int row) { return column == 0 && row == 0 ? 490 : ringSize; }

// Ring holes: [row][column], column 0 = Picture7 .. column 3 = Picture10.
inline constexpr std::array<std::array<Point, columns>, rows> rings{{
    {{{3840, 1320}, {4320, 1320}, {4800, 1440}, {5400, 1680}}},
    {{{3840, 1920}, {4320, 1920}, {4800, 2040}, {5400, 2160}}},
    {{{3840, 2400}, {4320, 2400}, {4800, 2520}, {5280, 2640}}},
    {{{3840, 3000}, {4320, 3000}, {4800, 3120}, {5280, 3240}}},
    {{{3840, 3480}, {4320, 3480}, {4800, 3600}, {5280, 3720}}},
    {{{3840, 3960}, {4320, 3960}, {4800, 4080}, {5280, 4200}}},
    {{{3840, 4440}, {4320, 4560}, {4800, 4680}, {5280, 4800}}},
    {{{3840, 5040}, {4320, 5040}, {4800, 5160}, {5280, 5280}}},
    {{{3720, 5520}, {4320, 5640}, {4800, 5760}, {5280, 5880}}},
    {{{3720, 6120}, {4320, 6120}, {4800, 6240}, {5280, 6360}}},
}};

inline constexpr twips::Rect ringRect(int row, int column)
{
    return {rings[row][column].left, rings[row][column].top, ringSize, ringHeight(column, row)};
}

inline constexpr int lampSize = 135;
// Lamps: [row][shape], shape 0 = Shape1 .. shape 7 = Shape8. Shape1..4 are the
// left-hand lamps (right positions), Shape5..8 the right-hand ones (right colours).
inline constexpr std::array<std::array<Point, 8>, rows> lamps{{
    {{{840, 1200},
      {1080, 1320},
      {1320, 1440},
      {1560, 1440},
      {2160, 1200},
      {2400, 1320},
      {2640, 1440},
      {2880, 1440}}},
    {{{840, 1680},
      {1080, 1800},
      {1320, 1920},
      {1560, 1920},
      {2160, 1800},
      {2400, 1920},
      {2640, 2040},
      {2880, 2040}}},
    {{{840, 2280},
      {1080, 2400},
      {1320, 2520},
      {1560, 2520},
      {2160, 2400},
      {2400, 2520},
      {2640, 2640},
      {2880, 2640}}},
    {{{840, 2880},
      {1080, 3000},
      {1320, 3120},
      {1560, 3120},
      {2160, 3000},
      {2400, 3120},
      {2640, 3240},
      {2880, 3240}}},
    {{{840, 3480},
      {1080, 3600},
      {1320, 3720},
      {1560, 3720},
      {2160, 3480},
      {2400, 3600},
      {2640, 3720},
      {2880, 3720}}},
    {{{840, 3960},
      {1080, 4080},
      {1320, 4200},
      {1560, 4200},
      {2160, 4080},
      {2400, 4200},
      {2640, 4320},
      {2880, 4320}}},
    {{{840, 4440},
      {1080, 4560},
      {1320, 4680},
      {1560, 4680},
      {2160, 4560},
      {2400, 4680},
      {2640, 4800},
      {2880, 4800}}},
    {{{840, 4920},
      {1080, 5040},
      {1320, 5160},
      {1560, 5160},
      {2160, 5040},
      {2400, 5160},
      {2640, 5280},
      {2880, 5280}}},
    {{{840, 5400},
      {1080, 5520},
      {1320, 5640},
      {1560, 5640},
      {2160, 5520},
      {2400, 5640},
      {2640, 5760},
      {2880, 5760}}},
    {{{840, 5880},
      {1080, 6000},
      {1320, 6120},
      {1560, 6120},
      {2160, 6000},
      {2400, 6120},
      {2640, 6240},
      {2880, 6240}}},
}};

inline constexpr twips::Rect lampRect(int row, int shape)
{
    return {lamps[row][shape].left, lamps[row][shape].top, lampSize, lampSize};
}

// Level masks Label3..Label8, index 0 = Label3.
inline constexpr std::array<twips::Rect, 6> masks{{
    {840, 5760, 4935, 2775}, // Label3
    {4800, 4080, 495, 495},  // Label4
    {720, 5520, 4095, 375},  // Label5
    {720, 4200, 5055, 2775}, // Label6
    {480, 3960, 4335, 495},  // Label7
    {600, 5400, 495, 495},   // Label8
}};

inline constexpr twips::Rect command1{3600, 7080, 1935, 495};
inline constexpr twips::Rect command2{1320, 7080, 1935, 495};
inline constexpr twips::Rect label10{240, 7680, 6855, 375};
inline constexpr twips::Rect label9{0, 0, 375, 8655};
inline constexpr twips::Rect label2{2160, 360, 855, 615};
inline constexpr twips::Rect label1{840, 360, 1335, 735};
inline constexpr int line1X = 720, line1Top = 0, line1Bottom = 8160;

// Colours the artwork paints its balls in and the pointer shows (0xRRGGBB),
// index 0 = colour number 1 (red) .. 5 = colour number 6 (white).
inline constexpr std::array<std::uint32_t, colours> ballRgb{{
    0xD81E1E,
    0x1FA83A,
    0xF2821A,
    0xF5D524,
    0x2457D8,
    0xF2F2F2,
}};
// The files the ring pictures are loaded from, red .. white, by bare name in
// the play folder. The artwork generator draws them, and the build reads their
// names from these lines: keep one name a line, and no other such name here.
inline constexpr std::array<const char *, colours> ringPictureNames{{
    "rot2ring.jpg",
    "grünring.jpg",
    "ora2ring.jpg",
    "gelbring.jpg",
    "blauring.jpg",
    "weißring.jpg",
}};
// What screen readers call the six colours.
inline constexpr std::array<const char *, colours> colourNames{{
    QT_TRANSLATE_NOOP("board", "Rot"),
    QT_TRANSLATE_NOOP("board", "Grün"),
    QT_TRANSLATE_NOOP("board", "Orange"),
    QT_TRANSLATE_NOOP("board", "Gelb"),
    QT_TRANSLATE_NOOP("board", "Blau"),
    QT_TRANSLATE_NOOP("board", "Weiß"),
}};
// Colour 1 (red) to 6 (white) in the player's language.
inline QString colourName(int colour)
{
    return QCoreApplication::translate("board", colourNames[static_cast<std::size_t>(colour - 1)]);
}

} // namespace board
