// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "icon.h"

#include "shapes.h"

#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>

#include <cstdio>
#include <vector>

namespace artwork {

namespace {

// The icon is described once as a list of shapes filled with radial
// gradients, and that list is both painted into the PNGs and written out as
// SVG. So the scalable icon and the fixed sizes cannot drift apart, and no
// SVG module is needed to draw either.

constexpr double viewSize = 64.0;

struct Stop {
    double offset;
    QColor colour;
};

struct Shape {
    QPointF centre;
    double radius;        // half the side for a square
    double corner = -1.0; // a rounded square's corner radius; negative for a disc
    QPointF gradientCentre;
    double gradientRadius;
    QPointF focus;
    std::vector<Stop> stops;
};

// The board's light falls from the upper left; so does the icon's.
const QPointF lightDirection(-0.6, -0.7);

Shape disc(QPointF centre, double radius, std::vector<Stop> stops)
{
    return {centre, radius, -1.0, centre, radius, centre, std::move(stops)};
}

QColor white(int alpha) { return QColor(255, 255, 255, alpha); }
QColor black(int alpha) { return QColor(0, 0, 0, alpha); }

// A glossy ball with its shadow, shaded as the board's balls are, but with
// fewer layers: at 16 pixels the finer ones would only blur it.
void addBall(std::vector<Shape> &shapes, QPointF centre, double radius, const QColor &colour)
{
    const QPointF shadowCentre = centre - lightDirection * 0.32 * radius;
    shapes.push_back(
        disc(shadowCentre, 1.15 * radius, {{0.0, black(230)}, {0.7, black(170)}, {1.0, black(0)}}));

    Shape body = disc(centre, radius,
                      {{0.0, mix(colour, Qt::white, 0.35)},
                       {0.3, colour},
                       {0.62, colour.darker(125)},
                       {0.88, colour.darker(230)},
                       {1.0, colour.darker(380)}});
    body.focus = centre + lightDirection * 0.55 * radius;
    shapes.push_back(body);
    shapes.push_back(disc(centre, radius, {{0.0, black(0)}, {0.86, black(0)}, {1.0, black(120)}}));
    shapes.push_back(disc(centre + lightDirection * 0.5 * radius, 0.46 * radius,
                          {{0.0, white(200)}, {0.35, white(110)}, {1.0, white(0)}}));
    shapes.push_back(disc(centre + lightDirection * 0.56 * radius, 0.14 * radius,
                          {{0.0, white(255)}, {0.6, white(220)}, {1.0, white(0)}}));
}

std::vector<Shape> iconShapes()
{
    std::vector<Shape> shapes;
    const QPointF middle(viewSize / 2, viewSize / 2);
    // A copper edge, as the rings on the board, around the black board.
    Shape edge{middle,
               30.0,
               9.0,
               middle + QPointF(-14, -16),
               56.0,
               middle + QPointF(-14, -16),
               {{0.0, QColor(255, 216, 176)}, {0.45, QColor(232, 150, 88)}, {1.0, QColor(104, 48, 20)}}};
    shapes.push_back(edge);
    Shape ground{middle,
                 28.0,
                 7.5,
                 middle + QPointF(-8, -10),
                 48.0,
                 middle + QPointF(-8, -10),
                 {{0.0, QColor(64, 62, 60)}, {0.6, QColor(22, 21, 20)}, {1.0, QColor(4, 4, 4)}}};
    shapes.push_back(ground);

    // Four balls of the code, red, green, yellow and blue, as colour
    // numbers 0, 1, 3 and 4 of the board.
    const double radius = 9.5;
    const QPointF centres[] = {{21, 21}, {43, 21}, {21, 43}, {43, 43}};
    const int colours[] = {0, 1, 3, 4};
    for (int i = 0; i < 4; ++i)
        addBall(shapes, centres[i], radius, ballColour(colours[i]));
    return shapes;
}

QPainterPath outline(const Shape &shape)
{
    QPainterPath path;
    const QRectF box(shape.centre - QPointF(shape.radius, shape.radius),
                     QSizeF(2 * shape.radius, 2 * shape.radius));
    if (shape.corner < 0)
        path.addEllipse(box);
    else
        path.addRoundedRect(box, shape.corner, shape.corner);
    return path;
}

QImage paintIcon(const std::vector<Shape> &shapes, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / viewSize, size / viewSize);
    painter.setPen(Qt::NoPen);
    for (const Shape &shape : shapes) {
        QRadialGradient gradient(shape.gradientCentre, shape.gradientRadius, shape.focus);
        for (const Stop &stop : shape.stops)
            gradient.setColorAt(stop.offset, stop.colour);
        painter.fillPath(outline(shape), gradient);
    }
    return image;
}

QString number(double value) { return QString::number(value, 'g', 6); }

QString svgIcon(const std::vector<Shape> &shapes)
{
    QString defs;
    QString body;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const Shape &shape = shapes[i];
        const QString id = QStringLiteral("g%1").arg(i);
        defs += QStringLiteral("    <radialGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" "
                               "cx=\"%2\" cy=\"%3\" r=\"%4\" fx=\"%5\" fy=\"%6\">\n")
                    .arg(id, number(shape.gradientCentre.x()), number(shape.gradientCentre.y()),
                         number(shape.gradientRadius), number(shape.focus.x()), number(shape.focus.y()));
        for (const Stop &stop : shape.stops)
            defs +=
                QStringLiteral("      <stop offset=\"%1\" stop-color=\"%2\" stop-opacity=\"%3\"/>\n")
                    .arg(number(stop.offset), stop.colour.name(QColor::HexRgb), number(stop.colour.alphaF()));
        defs += QStringLiteral("    </radialGradient>\n");

        if (shape.corner < 0) {
            body += QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"url(#%4)\"/>\n")
                        .arg(number(shape.centre.x()), number(shape.centre.y()), number(shape.radius), id);
        } else {
            body += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" rx=\"%4\" ry=\"%4\" "
                                   "fill=\"url(#%5)\"/>\n")
                        .arg(number(shape.centre.x() - shape.radius), number(shape.centre.y() - shape.radius),
                             number(2 * shape.radius), number(shape.corner), id);
        }
    }
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                          "viewBox=\"0 0 %1 %1\">\n"
                          "  <title>Farbrix</title>\n"
                          "  <defs>\n%2  </defs>\n%3</svg>\n")
        .arg(number(viewSize), defs, body);
}

bool fail(const QString &path, const QString &error)
{
    std::fprintf(stderr, "farbrix-artwork: %s: %s\n", qPrintable(path), qPrintable(error));
    return false;
}

} // namespace

bool writeIcons(const QString &folder, const QString &name)
{
    const std::vector<Shape> shapes = iconShapes();
    const QDir root(folder);
    bool ok = true;

    const QString scalable = QStringLiteral("hicolor/scalable/apps");
    if (!root.mkpath(scalable))
        return fail(root.filePath(scalable), QStringLiteral("cannot create the folder"));
    QSaveFile svg(root.filePath(scalable + QLatin1Char('/') + name + QStringLiteral(".svg")));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(svgIcon(shapes).toUtf8()) < 0 || !svg.commit())
        ok = fail(svg.fileName(), svg.errorString());

    for (const int size : iconSizes) {
        const QString sub = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!root.mkpath(sub)) {
            ok = fail(root.filePath(sub), QStringLiteral("cannot create the folder"));
            continue;
        }
        QImageWriter writer(root.filePath(sub + QLatin1Char('/') + name + QStringLiteral(".png")), "PNG");
        if (!writer.write(paintIcon(shapes, size)))
            ok = fail(writer.fileName(), writer.errorString());
    }
    return ok;
}

} // namespace artwork
