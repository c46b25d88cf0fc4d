// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "shapes.h"

#include "game/boarddesign.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace artwork {

namespace {

// The light falls from the upper left everywhere on the board; every
// highlight and shadow is placed from this one direction.
const QPointF lightDirection(-0.6, -0.7);

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

QPainterPath disc(QPointF centre, double radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// Copper tones from the bright polish to the dull shade of the metal.
const QColor copperLight(255, 216, 176);
const QColor copperBright(232, 150, 88);
const QColor copperMid(184, 100, 48);
const QColor copperDark(104, 48, 20);

} // namespace

QColor ballColour(int colour)
{
    const std::uint32_t rgb = board::ballRgb[static_cast<std::size_t>(colour)];
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QColor mix(const QColor &a, const QColor &b, double amount)
{
    const auto channel = [amount](int x, int y) {
        return std::clamp(static_cast<int>(x + (y - x) * amount + 0.5), 0, 255);
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()),
                  channel(a.alpha(), b.alpha()));
}

void paintGround(QPainter &painter, QPointF centre, double radius, const QColor &colour)
{
    painter.save();
    painter.setPen(Qt::NoPen);

    // A little of the ball's colour scatters onto the ground around it.
    // It dies away close to the ball, well before the ring holes.
    const double poolRadius = 1.2 * radius;
    QRadialGradient pool(centre, poolRadius);
    pool.setColorAt(0.0, mix(QColor(40, 38, 36), colour, 0.3));
    pool.setColorAt(0.56, mix(QColor(20, 19, 18), colour, 0.2));
    pool.setColorAt(0.875, mix(QColor(3, 3, 3), colour, 0.03));
    pool.setColorAt(1.0, QColor(0, 0, 0));
    painter.setBrush(pool);
    // Light adds up where two pools meet.
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    painter.drawEllipse(centre, poolRadius, poolRadius);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // The shadow falls away from the light, soft at its edge.
    const QPointF shadowCentre = centre - lightDirection * 0.32 * radius;
    QRadialGradient shadow(shadowCentre, 1.15 * radius);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 255));
    shadow.setColorAt(0.7, QColor(0, 0, 0, 200));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setBrush(shadow);
    painter.drawEllipse(shadowCentre, 1.15 * radius, 1.15 * radius);
    painter.restore();
}

void paintBall(QPainter &painter, QPointF centre, double radius, const QColor &colour)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    const QPainterPath body = disc(centre, radius);
    painter.setClipPath(body, Qt::IntersectClip);

    // Body: the gradient's focal point sits towards the light, which keeps the
    // ball's middle in its true colour and darkens the far side.
    const QPointF lit = centre + lightDirection * 0.55 * radius;
    QRadialGradient shading(centre, radius, lit);
    shading.setColorAt(0.0, mix(colour, Qt::white, 0.35));
    shading.setColorAt(0.3, colour);
    shading.setColorAt(0.62, colour.darker(125));
    shading.setColorAt(0.88, colour.darker(230));
    shading.setColorAt(1.0, colour.darker(380));
    painter.fillPath(body, shading);

    // Light bounced back from the ground brightens the far side just inside
    // the rim, which keeps the dark edge from looking flat.
    const QPointF bounceCentre = centre - lightDirection * 0.78 * radius;
    QRadialGradient bounce(bounceCentre, 0.62 * radius);
    bounce.setColorAt(0.0, withAlpha(mix(colour, Qt::white, 0.2), 130));
    bounce.setColorAt(1.0, withAlpha(colour, 0));
    painter.setBrush(bounce);
    painter.drawEllipse(bounceCentre, 0.62 * radius, 0.62 * radius);
    // The rim itself stays dark all round.
    QRadialGradient rim(centre, radius);
    rim.setColorAt(0.0, QColor(0, 0, 0, 0));
    rim.setColorAt(0.86, QColor(0, 0, 0, 0));
    rim.setColorAt(1.0, QColor(0, 0, 0, 120));
    painter.fillPath(body, rim);

    // A broad soft sheen and a small sharp glint make it read as glossy.
    const QPointF sheenCentre = centre + lightDirection * 0.5 * radius;
    QRadialGradient sheen(sheenCentre, 0.46 * radius);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 200));
    sheen.setColorAt(0.35, QColor(255, 255, 255, 110));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(sheen);
    painter.drawEllipse(sheenCentre, 0.46 * radius, 0.46 * radius);

    const QPointF glintCentre = centre + lightDirection * 0.56 * radius;
    QRadialGradient glint(glintCentre, 0.14 * radius);
    glint.setColorAt(0.0, QColor(255, 255, 255, 255));
    glint.setColorAt(0.6, QColor(255, 255, 255, 220));
    glint.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(glint);
    painter.drawEllipse(glintCentre, 0.14 * radius, 0.14 * radius);
    painter.restore();
}

void paintRing(QPainter &painter, QPointF centre, double outerRadius, double innerRadius)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    const QPainterPath band = disc(centre, outerRadius).subtracted(disc(centre, innerRadius));

    // Turned metal catches the light in sectors; a conical gradient gives
    // those radial streaks.
    QConicalGradient metal(centre, 135);
    metal.setColorAt(0.00, copperLight);
    metal.setColorAt(0.10, copperBright);
    metal.setColorAt(0.22, copperMid);
    metal.setColorAt(0.38, copperBright);
    metal.setColorAt(0.50, copperDark);
    metal.setColorAt(0.62, copperMid);
    metal.setColorAt(0.78, copperBright);
    metal.setColorAt(0.90, copperMid);
    metal.setColorAt(1.00, copperLight);
    painter.fillPath(band, metal);

    // The ring is a rounded bead: both of its edges turn away from the light.
    const double inner = innerRadius / outerRadius;
    const double middle = inner + (1.0 - inner) * 0.5;
    QRadialGradient bead(centre, outerRadius);
    bead.setColorAt(inner, QColor(0, 0, 0, 170));
    bead.setColorAt(inner + (middle - inner) * 0.6, QColor(0, 0, 0, 0));
    bead.setColorAt(middle + (1.0 - middle) * 0.35, QColor(0, 0, 0, 0));
    bead.setColorAt(1.0, QColor(0, 0, 0, 190));
    painter.fillPath(band, bead);

    // Polish on the side facing the light, a duller glow on the far side.
    const QPointF shineCentre = centre + lightDirection * 0.62 * outerRadius;
    QRadialGradient shine(shineCentre, 0.62 * outerRadius);
    shine.setColorAt(0.0, withAlpha(copperLight, 190));
    shine.setColorAt(1.0, withAlpha(copperLight, 0));
    painter.fillPath(band, shine);
    const QPointF glowCentre = centre - lightDirection * 0.7 * outerRadius;
    QRadialGradient glow(glowCentre, 0.45 * outerRadius);
    glow.setColorAt(0.0, withAlpha(copperBright, 110));
    glow.setColorAt(1.0, withAlpha(copperBright, 0));
    painter.fillPath(band, glow);

    // A thin glint along the bead's crest, brightest where it faces the
    // light and fading round the sides.
    QConicalGradient crest(centre, 135);
    crest.setColorAt(0.0, QColor(255, 244, 228, 230));
    crest.setColorAt(0.12, QColor(255, 244, 228, 60));
    crest.setColorAt(0.2, QColor(255, 244, 228, 0));
    crest.setColorAt(0.42, QColor(255, 226, 190, 0));
    crest.setColorAt(0.5, QColor(255, 226, 190, 90));
    crest.setColorAt(0.58, QColor(255, 226, 190, 0));
    crest.setColorAt(0.8, QColor(255, 244, 228, 0));
    crest.setColorAt(0.88, QColor(255, 244, 228, 60));
    crest.setColorAt(1.0, QColor(255, 244, 228, 230));
    const double crestRadius = (outerRadius + innerRadius) / 2 - (outerRadius - innerRadius) * 0.08;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(crest), (outerRadius - innerRadius) * 0.2));
    painter.drawEllipse(centre, crestRadius, crestRadius);
    painter.setPen(Qt::NoPen);

    // The hole: the lip's shade fading into the dark pit.
    QRadialGradient pit(centre, innerRadius);
    pit.setColorAt(0.0, QColor(0, 0, 0));
    pit.setColorAt(0.75, QColor(6, 4, 3));
    pit.setColorAt(1.0, QColor(34, 18, 10));
    painter.fillPath(disc(centre, innerRadius), pit);
    painter.restore();
}

void paintSeatedBall(QPainter &painter, QPointF centre, const QColor &colour)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    // The ball's shadow darkens the copper on the side away from the light.
    const QPointF shadowCentre = centre - lightDirection * 0.22 * seatedBallRadius;
    const double shadowRadius = seatedBallRadius * 1.3;
    QRadialGradient shadow(shadowCentre, shadowRadius);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 230));
    shadow.setColorAt(0.75, QColor(0, 0, 0, 150));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setClipPath(disc(centre, ringOuterRadius), Qt::IntersectClip);
    painter.setBrush(shadow);
    painter.drawEllipse(shadowCentre, shadowRadius, shadowRadius);
    painter.restore();

    paintBall(painter, centre, seatedBallRadius, colour);
}

} // namespace artwork
