// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// A glossy ball drawn by the program itself: the mouse pointer shows one, and
// a window that cannot read a ring picture shows one in its place.

#include <QColor>
#include <QPixmap>

namespace ballpainter {

// A ball filling a square of `logicalSize` pixels, rendered at `ratio` times
// that size for high-DPI screens, on a transparent ground. `mark` is the
// colour number (1 red .. 6 white) whose engraved sign the ball carries, or 0
// for none.
QPixmap ball(const QColor &colour, int logicalSize, qreal ratio = 2.0, int mark = 0);

} // namespace ballpainter
