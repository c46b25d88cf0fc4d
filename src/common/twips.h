// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// Every design table of the program is written in twips, the unit the game was
// laid out in: 1/1440 inch, so 15 twips make one logical pixel at 96 dpi.
// Qt's high-DPI scaling then turns logical pixels into device pixels, which
// keeps the board crisp on any screen without touching the tables.

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <cmath>

namespace twips {

inline constexpr double perPixel = 15.0;

inline int px(int t) { return static_cast<int>(std::lround(t / perPixel)); }
inline double pxF(double t) { return t / perPixel; }

struct Rect {
    int left, top, width, height;
};

inline QRect rect(const Rect &r) { return {px(r.left), px(r.top), px(r.width), px(r.height)}; }
inline QRectF rectF(const Rect &r) { return {pxF(r.left), pxF(r.top), pxF(r.width), pxF(r.height)}; }
inline QSize size(int w, int h) { return {px(w), px(h)}; }
inline QPoint point(int x, int y) { return {px(x), px(y)}; }

} // namespace twips
