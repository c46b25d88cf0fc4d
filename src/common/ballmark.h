// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The small engraved sign each ball carries, so that players who cannot tell
// red from green or blue from white still tell the balls apart. The palette
// balls of the board, the ring pictures and the mouse pointer all draw it with
// this one function, so a sign always means the same colour.
//
//   red ▲ triangle   green ■ square   orange ✚ plus
//   yellow ○ ring    blue ★ star      white ‖ two bars

#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace ballmark {

// The sign of colour 1 (red) .. 6 (white) for a ball of radius 1 centred on
// the origin; an empty path for any other number.
QPainterPath shape(int colour);

// Engraves the sign into a ball already painted at `centre` with `radius`:
// a darker groove whose lower right lip catches the light from the upper left.
void engrave(QPainter &painter, QPointF centre, double radius, int colour);

} // namespace ballmark
