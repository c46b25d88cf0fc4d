// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "pictures.h"
#include "shapes.h"

#include "game/boarddesign.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace artwork {

namespace {

constexpr int titleScale = 2;
const QString gameName = QStringLiteral("Farbrix");

QFont titleFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The text as an outline centred on `centre`, so it can be shadowed,
// stroked and filled like any other shape.
QPainterPath textPath(const QString &text, const QFont &font, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    path.translate(centre - path.boundingRect().center());
    return path;
}

void paintBackdrop(QPainter &painter, QSizeF size)
{
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(22, 36, 84));
    sky.setColorAt(1.0, QColor(6, 10, 28));
    painter.fillRect(QRectF(QPointF(0, 0), size), sky);

    // A soft glow behind the lettering lifts it off the ground.
    // It is squashed to the picture's wide shape.
    const double reach = size.width() * 0.5;
    QRadialGradient glow(QPointF(0, 0), reach);
    glow.setColorAt(0.0, QColor(70, 100, 190, 130));
    glow.setColorAt(0.6, QColor(70, 100, 190, 40));
    glow.setColorAt(1.0, QColor(70, 100, 190, 0));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.translate(size.width() / 2, size.height() * 0.42);
    painter.scale(1.0, 0.5);
    painter.drawEllipse(QPointF(0, 0), reach, reach);
    painter.restore();
}

// A blurred copy of the shape, offset away from the light; shapes drawn
// later seem to hover over the backdrop.
void paintSoftShadow(Canvas &canvas, QPainter &painter, const QPainterPath &shape, double blur)
{
    QImage layer = makeLayer(canvas);
    {
        QPainter shadowPainter(&layer);
        preparePainter(shadowPainter, canvas.scale);
        shadowPainter.fillPath(shape.translated(1.5, 2.5), QColor(0, 0, 0, 210));
    }
    painter.save();
    painter.resetTransform();
    painter.drawImage(0, 0, blurred(layer, static_cast<int>(blur * canvas.scale)));
    painter.restore();
}

// Warm gold lettering with a dark rim and a glossy upper half, like the
// polish on the balls.
void paintLettering(QPainter &painter, const QPainterPath &text)
{
    const QRectF bounds = text.boundingRect();
    painter.save();
    painter.setPen(QPen(QColor(74, 28, 8), 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(text);

    QLinearGradient gold(bounds.topLeft(), bounds.bottomLeft());
    gold.setColorAt(0.0, QColor(255, 246, 170));
    gold.setColorAt(0.45, QColor(255, 200, 50));
    gold.setColorAt(0.75, QColor(244, 130, 26));
    gold.setColorAt(1.0, QColor(206, 60, 20));
    painter.fillPath(text, gold);

    QPainterPath upper;
    upper.addRect(bounds.left(), bounds.top(), bounds.width(), bounds.height() * 0.46);
    QLinearGradient gloss(bounds.topLeft(), QPointF(bounds.left(), bounds.top() + bounds.height() * 0.46));
    gloss.setColorAt(0.0, QColor(255, 255, 255, 170));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 40));
    painter.fillPath(text.intersected(upper), gloss);
    painter.restore();
}

// The six code colours in a row, as on the board's palette.
void paintBallRow(Canvas &canvas, QPainter &painter, QPointF centre, double radius, double spacing)
{
    const double first = centre.x() - spacing * (board::colours - 1) / 2.0;
    QPainterPath shadows;
    for (int colour = 0; colour < board::colours; ++colour)
        shadows.addEllipse(QPointF(first + spacing * colour, centre.y()), radius, radius);
    paintSoftShadow(canvas, painter, shadows, 1.2);
    for (int colour = 0; colour < board::colours; ++colour) {
        const QPointF at(first + spacing * colour, centre.y());
        paintBall(painter, at, radius, ballColour(colour));
    }
}

void paintSubtitle(QPainter &painter, const QString &text, const QFont &font, QPointF centre)
{
    const QPainterPath path = textPath(text, font, centre);
    painter.fillPath(path.translated(0.8, 1.2), QColor(0, 0, 0, 200));
    painter.fillPath(path, QColor(214, 226, 255));
}

} // namespace

Canvas titlePicture(Title title, const QString &subtitle)
{
    const bool large = title == Title::Large;
    const QSize size = large ? QSize(350, 90) : QSize(250, 75);
    Canvas canvas = makeCanvas(size, titleScale, Qt::black);
    QPainter painter(&canvas.image);
    preparePainter(painter, canvas.scale);
    paintBackdrop(painter, size);

    if (!large) {
        const QPainterPath text = textPath(gameName, titleFont(50, true), QPointF(125.0, 29.0));
        paintSoftShadow(canvas, painter, text, 2.0);
        paintLettering(painter, text);
        paintBallRow(canvas, painter, QPointF(125.0, 63.0), 6.0, 17.0);
        return canvas;
    }
    // The start window lays the small title over this one's upper left, and
    // both windows show only its upper 65 rows: the name sits where it may
    // be covered, the balls and the subtitle where they always show.
    const QPainterPath text = textPath(gameName, titleFont(34, true), QPointF(125.0, 17.0));
    paintSoftShadow(canvas, painter, text, 1.6);
    paintLettering(painter, text);
    paintBallRow(canvas, painter, QPointF(286.0, 17.0), 5.0, 11.5); // within the 321 pixels shown
    paintSubtitle(painter, subtitle, titleFont(17, true), QPointF(175.0, 47.0));
    return canvas;
}

} // namespace artwork
