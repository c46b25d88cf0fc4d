// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "canvas.h"

#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace artwork {

namespace {

constexpr double metresPerInch = 0.0254;
constexpr int jpegQuality = 92;

// One pass of a running-sum box filter along a line of `count` pixels that
// lie `stride` pixels apart. Works on premultiplied ARGB so transparent
// edges do not bleed dark fringes.
void boxLine(QRgb *line, int count, int stride, int radius, std::vector<QRgb> &scratch)
{
    scratch.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        scratch[static_cast<std::size_t>(i)] = line[i * stride];
    const int window = 2 * radius + 1;
    long sum[4] = {0, 0, 0, 0};
    const auto add = [&sum](QRgb p, int sign) {
        sum[0] += sign * qAlpha(p);
        sum[1] += sign * qRed(p);
        sum[2] += sign * qGreen(p);
        sum[3] += sign * qBlue(p);
    };
    const auto at = [&scratch, count](int i) {
        return i < 0 || i >= count ? QRgb(0) : scratch[static_cast<std::size_t>(i)];
    };
    for (int i = -radius; i <= radius; ++i)
        add(at(i), 1);
    for (int i = 0; i < count; ++i) {
        line[i * stride] = qRgba(static_cast<int>(sum[1] / window), static_cast<int>(sum[2] / window),
                                 static_cast<int>(sum[3] / window), static_cast<int>(sum[0] / window));
        add(at(i + radius + 1), 1);
        add(at(i - radius), -1);
    }
}

} // namespace

Canvas makeCanvas(QSize logicalSize, int scale, const QColor &fill)
{
    Canvas canvas{QImage(logicalSize * scale, QImage::Format_RGB32), scale};
    canvas.image.fill(fill);
    return canvas;
}

QImage makeLayer(const Canvas &canvas)
{
    QImage layer(canvas.image.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    return layer;
}

void preparePainter(QPainter &painter, int scale)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform
                           | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
}

QImage blurred(const QImage &image, int radius)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius < 1)
        return result;
    const int width = result.width();
    const int height = result.height();
    auto *pixels = reinterpret_cast<QRgb *>(result.bits());
    const int stride = static_cast<int>(result.bytesPerLine() / 4);
    std::vector<QRgb> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y)
            boxLine(pixels + y * stride, width, 1, radius, scratch);
        for (int x = 0; x < width; ++x)
            boxLine(pixels + x, height, stride, radius, scratch);
    }
    return result;
}

Canvas atScale(const Canvas &canvas, int scale)
{
    if (scale >= canvas.scale)
        return canvas;
    const QSize size = canvas.image.size() / canvas.scale * scale;
    return {canvas.image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), scale};
}

bool savePicture(const Canvas &canvas, const QString &path, const char *format, QString *error)
{
    // Qt writes 32-bit images without alpha as 24-bit BMPs.
    QImage image = canvas.image.convertToFormat(QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(96.0 * canvas.scale / metresPerInch + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QImageWriter writer(path, format);
    writer.setQuality(jpegQuality);
    if (writer.write(image))
        return true;
    if (error)
        *error = writer.errorString();
    return false;
}

} // namespace artwork
