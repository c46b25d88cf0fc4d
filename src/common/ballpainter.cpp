// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/ballpainter.h"

#include "common/ballmark.h"

#include <QPainter>
#include <QRadialGradient>

namespace ballpainter {

QPixmap ball(const QColor &colour, int logicalSize, qreal ratio, int mark)
{
    QPixmap pixmap(QSize(logicalSize, logicalSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal inset = logicalSize * 0.12;
    const QRectF body(inset, inset, logicalSize - 2 * inset, logicalSize - 2 * inset);
    const qreal r = body.width() / 2;

    QRadialGradient shade(body.center() - QPointF(r * 0.35, r * 0.35), r * 1.5);
    shade.setColorAt(0, colour.lighter(165));
    shade.setColorAt(0.4, colour);
    shade.setColorAt(1, colour.darker(260));
    p.setPen(QPen(QColor(15, 15, 15), qMax(1.0, logicalSize / 22.0)));
    p.setBrush(shade);
    p.drawEllipse(body);

    QRadialGradient gloss(body.center() - QPointF(r * 0.4, r * 0.45), r * 0.45);
    gloss.setColorAt(0, QColor(255, 255, 255, 220));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QRectF(body.left() + r * 0.15, body.top() + r * 0.1, r * 0.95, r * 0.8));
    ballmark::engrave(p, body.center(), r, mark);
    return pixmap;
}

} // namespace ballpainter
