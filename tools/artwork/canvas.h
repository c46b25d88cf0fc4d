// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// Every picture is painted at a whole multiple of its design size and saved
// with a density of 96 dpi times that multiple, so the game shows it at its
// design size and still sharp on high-DPI screens.

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

namespace artwork {

struct Canvas {
    QImage image;
    int scale;
};

Canvas makeCanvas(QSize logicalSize, int scale, const QColor &fill);
// A transparent layer the size of the canvas, for parts that get blurred or
// faded before they join the picture.
QImage makeLayer(const Canvas &canvas);
// Antialiased and scaled so the caller paints in logical pixels.
void preparePainter(QPainter &painter, int scale);

// A soft blur (three box passes, close to a Gaussian) of a premultiplied
// image; radius in device pixels.
QImage blurred(const QImage &image, int radius);

// The canvas brought down to `scale` (at most its own) with area averaging,
// which keeps the antialiasing of the larger drawing.
Canvas atScale(const Canvas &canvas, int scale);

// format "JPG" or "BMP"; BMP is written with 24 bits per pixel.
bool savePicture(const Canvas &canvas, const QString &path, const char *format, QString *error);

} // namespace artwork
