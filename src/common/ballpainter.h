#pragma once

// A glossy ball drawn by the program itself: the mouse pointer shows one, and
// a window that cannot read a ring picture shows one in its place.

#include <QColor>
#include <QPixmap>

namespace ballpainter {

// A ball filling a square of `logicalSize` pixels, rendered at `ratio` times
// that size for high-DPI screens, on a transparent ground.
QPixmap ball(const QColor &colour, int logicalSize, qreal ratio = 2.0);

} // namespace ballpainter
