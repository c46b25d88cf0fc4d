// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "pictures.h"
#include "shapes.h"

#include "game/boarddesign.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cstdint>

namespace artwork {

namespace {

constexpr int instructionsScale = 2;
const QSize instructionsSize(640, 480);

// A fixed-seed sequence: the picture must come out the same on every build,
// so nothing may depend on the time or on a library's random engine.
class Scatter
{
public:
    explicit Scatter(std::uint32_t seed) : state(seed) {}
    // Uniform in [low, high).
    double between(double low, double high)
    {
        state = state * 1664525u + 1013904223u;
        return low + (high - low) * ((state >> 8) / double(1u << 24));
    }

private:
    std::uint32_t state;
};

void paintNightSky(QPainter &painter)
{
    const QRectF whole(QPointF(0, 0), instructionsSize);
    QLinearGradient sky(0, 0, 0, instructionsSize.height());
    sky.setColorAt(0.0, QColor(14, 26, 60));
    sky.setColorAt(1.0, QColor(3, 5, 16));
    painter.fillRect(whole, sky);

    QRadialGradient haze(QPointF(140, 90), 420);
    haze.setColorAt(0.0, QColor(40, 60, 120, 70));
    haze.setColorAt(1.0, QColor(40, 60, 120, 0));
    painter.fillRect(whole, haze);
}

// Balls and rings drawn sharp on a layer, then blurred as if far behind the
// focus, and laid over the sky faintly so the text stays easy to read. Each
// one is jittered inside its own cell of a grid, which spreads them evenly
// without looking arranged.
struct DreamLayer {
    int columns, rows;
    double minRadius, maxRadius;
    double blur, opacity;
    std::uint32_t seed;
};

void paintDreamLayer(Canvas &canvas, QPainter &painter, const DreamLayer &dream)
{
    QImage layer = makeLayer(canvas);
    {
        QPainter layerPainter(&layer);
        preparePainter(layerPainter, canvas.scale);
        Scatter scatter(dream.seed);
        const double cellWidth = double(instructionsSize.width()) / dream.columns;
        const double cellHeight = double(instructionsSize.height()) / dream.rows;
        for (int row = 0; row < dream.rows; ++row) {
            for (int column = 0; column < dream.columns; ++column) {
                const QPointF centre((column + scatter.between(0.1, 0.9)) * cellWidth,
                                     (row + scatter.between(0.1, 0.9)) * cellHeight);
                const double radius = scatter.between(dream.minRadius, dream.maxRadius);
                const int colour = static_cast<int>(scatter.between(0, board::colours + 1));
                if (colour >= board::colours) // now and then a ring among the balls
                    paintRing(layerPainter, centre, radius, radius * ringInnerRadius / ringOuterRadius);
                else
                    paintBall(layerPainter, centre, radius, ballColour(colour));
            }
        }
    }
    painter.save();
    painter.resetTransform();
    painter.setOpacity(dream.opacity);
    painter.drawImage(0, 0, blurred(layer, static_cast<int>(dream.blur * canvas.scale)));
    painter.restore();
}

// Darker edges draw the eye to the middle, where the text is.
void paintVignette(QPainter &painter)
{
    const QRectF whole(QPointF(0, 0), instructionsSize);
    QRadialGradient vignette(whole.center(), whole.width() * 0.62);
    vignette.setColorAt(0.0, QColor(0, 0, 0, 0));
    vignette.setColorAt(0.6, QColor(0, 0, 0, 40));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 170));
    painter.fillRect(whole, vignette);
}

} // namespace

Canvas instructionsPicture()
{
    Canvas canvas = makeCanvas(instructionsSize, instructionsScale, Qt::black);
    QPainter painter(&canvas.image);
    preparePainter(painter, canvas.scale);
    paintNightSky(painter);
    paintDreamLayer(canvas, painter, {7, 5, 6, 14, 4, 0.30, 0x46617262u});
    paintDreamLayer(canvas, painter, {4, 3, 26, 48, 12, 0.20, 0x6b6e6f62u});
    paintVignette(painter);
    return canvas;
}

} // namespace artwork
