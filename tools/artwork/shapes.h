// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The board's two building blocks, a glossy ball and a copper ring. The board
// picture and the ring pictures paint them with the same code, so a ring
// picture dropped into its hole continues the ring that was painted there.

#include <QColor>
#include <QPointF>

class QPainter;

namespace artwork {

// Ring sizes in logical pixels. The holes are 33 px wide and only 32 px
// apart, so the rings stay a little smaller than the holes and never touch.
inline constexpr double ringOuterRadius = 15.5;
inline constexpr double ringInnerRadius = 9.0;
// A ball seated in a ring covers the hole and rests on the ring's inner slope.
inline constexpr double seatedBallRadius = 11.0;

// colour 0 = red .. 5 = white, as board::ballRgb.
QColor ballColour(int colour);

// Mixes a towards b; amount 0 gives a, 1 gives b.
QColor mix(const QColor &a, const QColor &b, double amount);

// A faint pool of light on the black ground with the ball's soft shadow in
// it; without the pool a shadow would be invisible on black.
void paintGround(QPainter &painter, QPointF centre, double radius, const QColor &colour);
void paintBall(QPainter &painter, QPointF centre, double radius, const QColor &colour);
void paintRing(QPainter &painter, QPointF centre, double outerRadius, double innerRadius);
// A ball resting in a ring, with the shadow it throws on the copper.
void paintSeatedBall(QPainter &painter, QPointF centre, const QColor &colour);

} // namespace artwork
