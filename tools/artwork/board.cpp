// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "pictures.h"
#include "shapes.h"

#include "common/ballmark.h"
#include "common/twips.h"
#include "game/boarddesign.h"

#include <QPainter>
#include <QRegion>

namespace artwork {

namespace {

// The palette images are at least 48 px wide; the balls keep two pixels
// clear of the edges so they sit wholly inside the area that takes clicks.
constexpr double paletteBallRadius = 22.0;
constexpr int boardScale = 2;
const QSize boardSize(640, 480);
constexpr int ringScale = 4;

QPointF paletteCentre(int colour)
{
    return twips::rectF(board::palette[static_cast<std::size_t>(colour)]).center();
}

// The game shows ring pictures in whole-pixel rects (the one hole that is
// five twips shorter still gets 33 px), so the ring is centred on those.
QPointF ringCentre(int row, int column) { return QRectF(twips::rect(board::ringRect(row, column))).center(); }

// Ring pictures have black corners; keeping the board's ground pure black
// under every ring hole lets them drop in without a visible square.
QRegion outsideRingHoles(const QRect &whole)
{
    QRegion region(whole);
    for (int row = 0; row < board::rows; ++row)
        for (int column = 0; column < board::columns; ++column)
            region -= twips::rect(board::ringRect(row, column));
    return region;
}

void paintPalette(QPainter &painter)
{
    painter.save();
    painter.setClipRegion(outsideRingHoles(QRect(QPoint(0, 0), boardSize)));
    for (int colour = 0; colour < board::colours; ++colour)
        paintGround(painter, paletteCentre(colour), paletteBallRadius, ballColour(colour));
    painter.restore();
    for (int colour = 0; colour < board::colours; ++colour) {
        paintBall(painter, paletteCentre(colour), paletteBallRadius, ballColour(colour));
        ballmark::engrave(painter, paletteCentre(colour), paletteBallRadius, colour + 1);
    }
}

void paintRings(QPainter &painter)
{
    for (int row = 0; row < board::rows; ++row)
        for (int column = 0; column < board::columns; ++column)
            paintRing(painter, ringCentre(row, column), ringOuterRadius, ringInnerRadius);
}

} // namespace

Canvas boardPicture()
{
    Canvas canvas = makeCanvas(boardSize, boardScale, Qt::black);
    QPainter painter(&canvas.image);
    preparePainter(painter, canvas.scale);
    paintPalette(painter);
    paintRings(painter);
    return canvas;
}

Canvas ringPicture(int colour)
{
    const int side = twips::px(board::ringSize);
    Canvas canvas = makeCanvas({side, side}, ringScale, Qt::black);
    QPainter painter(&canvas.image);
    preparePainter(painter, canvas.scale);
    const QPointF centre(side / 2.0, side / 2.0);
    paintRing(painter, centre, ringOuterRadius, ringInnerRadius);
    paintSeatedBall(painter, centre, ballColour(colour));
    ballmark::engrave(painter, centre, seatedBallRadius, colour + 1);
    return canvas;
}

} // namespace artwork
