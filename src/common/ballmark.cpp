// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/ballmark.h"

#include <QPainter>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace ballmark {

namespace {

// Every sign fits in a circle of this radius (in ball radii): big enough to
// read on the 22 px balls of the board, small enough to leave the sheen and
// the ball's colour around it.
constexpr double size = 0.46;

QPainterPath regularPolygon(int corners, double radius, double innerRadius)
{
    // innerRadius > 0 makes a star: every second corner pulled inwards.
    QPainterPath path;
    const int points = innerRadius > 0 ? 2 * corners : corners;
    for (int i = 0; i < points; ++i) {
        const double r = innerRadius > 0 && i % 2 == 1 ? innerRadius : radius;
        const double angle = -std::numbers::pi / 2 + i * 2 * std::numbers::pi / points;
        const QPointF point(r * std::cos(angle), r * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

} // namespace

QPainterPath shape(int colour)
{
    QPainterPath path;
    const double s = size;
    switch (colour) {
    case 1: // red: a triangle, its centre of area on the ball's centre
        path = regularPolygon(3, s * 1.1, 0).translated(0, s * 0.12);
        break;
    case 2: // green: a square
        path.addRect(QRectF(-s * 0.72, -s * 0.72, s * 1.44, s * 1.44));
        break;
    case 3: { // orange: a plus
        const double arm = s * 0.95;
        const double half = s * 0.26;
        QPainterPath across;
        across.addRect(QRectF(-arm, -half, 2 * arm, 2 * half));
        QPainterPath upright;
        upright.addRect(QRectF(-half, -arm, 2 * half, 2 * arm));
        path = across.united(upright);
        break;
    }
    case 4: // yellow: a ring
        path.addEllipse(QPointF(0, 0), s * 0.85, s * 0.85);
        path.addEllipse(QPointF(0, 0), s * 0.42, s * 0.42);
        break;
    case 5: // blue: a five-pointed star
        path = regularPolygon(5, s * 1.08, s * 0.46).translated(0, s * 0.06);
        break;
    case 6: // white: two upright bars
        path.addRect(QRectF(-s * 0.62, -s * 0.8, s * 0.44, s * 1.6));
        path.addRect(QRectF(s * 0.18, -s * 0.8, s * 0.44, s * 1.6));
        break;
    default:
        break;
    }
    return path;
}

void engrave(QPainter &painter, QPointF centre, double radius, int colour)
{
    const QPainterPath unit = shape(colour);
    if (unit.isEmpty())
        return;
    QTransform place;
    place.translate(centre.x(), centre.y());
    place.scale(radius, radius);
    const QPainterPath sign = place.map(unit);
    // The lip is as wide as a tenth of the sign, so it stays a fine line at
    // every size the balls are drawn.
    const double lip = std::max(0.5, radius * size * 0.14);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 120));
    painter.drawPath(sign.translated(lip, lip));
    painter.setBrush(QColor(0, 0, 0, 125));
    painter.drawPath(sign);
    painter.restore();
}

} // namespace ballmark
