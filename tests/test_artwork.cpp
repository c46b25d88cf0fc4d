// The board window lays its clickable palette images and ring holes over the
// board picture by the design tables. These tests read the pictures the build
// drew and check that every ball and ring really lies where the tables put
// the control that belongs to it, and that each picture reads back at the
// size the windows expect.

#include "common/ballmark.h"
#include "common/picture.h"
#include "common/twips.h"
#include "game/boarddesign.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <vector>

namespace {

QString artworkFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("FARBRIX_ARTWORK_DIR");
    return fromEnvironment.isEmpty() ? QStringLiteral(FARBRIX_ARTWORK_DIR_FOR_TESTS) : fromEnvironment;
}

QString artworkPath(const QString &name) { return QDir(artworkFolder()).filePath(name); }

QImage readPicture(const QString &name)
{
    QImageReader reader(artworkPath(name));
    reader.setAutoTransform(false);
    return reader.read();
}

double dpi(const QImage &image) { return image.dotsPerMeterX() * 0.0254; }

// The size the game shows a picture at: its pixels scaled by 96 / dpi.
QSize logicalSize(const QImage &image)
{
    const double scale = 96.0 / dpi(image);
    return {qRound(image.width() * scale), qRound(image.height() * scale)};
}

// Device pixels per logical pixel, taken from the picture itself so a wrong
// density shows up as misplaced samples as well.
double pixelScale(const QImage &image) { return dpi(image) / 96.0; }

// The mean of the 3 x 3 device pixels at a logical point, which evens out
// JPEG noise without blurring across a ball's or ring's edge.
QColor sampleAt(const QImage &image, QPointF logical)
{
    const double scale = pixelScale(image);
    const int x = static_cast<int>(std::floor(logical.x() * scale));
    const int y = static_cast<int>(std::floor(logical.y() * scale));
    int r = 0, g = 0, b = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QRgb p = image.pixel(std::clamp(x + dx, 0, image.width() - 1), std::clamp(y + dy, 0, image.height() - 1));
            r += qRed(p), g += qGreen(p), b += qBlue(p);
        }
    }
    return QColor(r / 9, g / 9, b / 9);
}

QString describe(const QColor &c) { return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()); }

QColor designBallColour(int colour)
{
    const std::uint32_t rgb = board::ballRgb[static_cast<std::size_t>(colour)];
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

double hueDistance(double a, double b)
{
    const double d = std::fabs(a - b);
    return std::min(d, 360.0 - d);
}

// Which of the six ball colours a pixel shows, if any. Shading makes a ball
// lighter or darker but keeps its hue, so chromatic colours are told apart by
// hue (red and orange lie closest, 28 degrees apart) and white by its lack of
// saturation. Dim pixels belong to no ball: the board's ground is black.
std::optional<int> ballColourOf(const QColor &pixel)
{
    const double value = pixel.valueF();
    const double saturation = pixel.hsvSaturationF();
    if (value < 0.4)
        return std::nullopt;
    if (saturation < 0.2)
        return board::colours - 1; // white
    if (saturation < 0.25)
        return std::nullopt;
    std::optional<int> nearest;
    double best = 12.0;
    for (int colour = 0; colour < board::colours - 1; ++colour) {
        const double d = hueDistance(pixel.hueF() * 360.0, designBallColour(colour).hueF() * 360.0);
        if (d < best) {
            best = d;
            nearest = colour;
        }
    }
    return nearest;
}

// Polished or in shade, copper keeps red above green above blue.
bool isCopper(const QColor &c)
{
    return c.red() > c.green() && c.green() > c.blue() && c.red() >= 80 && c.red() - c.blue() >= 50;
}

bool isBlack(const QColor &c, int limit = 24) { return std::max({c.red(), c.green(), c.blue()}) <= limit; }

QPointF ringCentre(int row, int column)
{
    return QRectF(twips::rect(board::ringRect(row, column))).center();
}

// Half the hole's width: a ring drawn any larger would spill out of it.
const double holeRadius = twips::pxF(board::ringSize) / 2;

QPointF onCircle(QPointF centre, double radius, int step, int steps)
{
    const double angle = 2 * std::numbers::pi * step / steps;
    return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
}

const std::array<QString, board::colours> ringPictureNames{
    QStringLiteral("rot2ring.jpg"), QStringLiteral("grünring.jpg"), QStringLiteral("ora2ring.jpg"),
    QStringLiteral("gelbring.jpg"), QStringLiteral("blauring.jpg"), QStringLiteral("weißring.jpg"),
};

const std::array<const char *, board::colours> colourNames{"red", "green", "orange", "yellow", "blue", "white"};

// Radii the artwork draws its balls with, in logical pixels.
constexpr double paletteBallRadius = 22.0;
constexpr double seatedBallRadius = 11.0;

// Of eight directions round a ball's centre (0 = right, clockwise), those
// that miss the sheen on the side facing the light.
constexpr std::array<int, 5> shadedSide{7, 0, 1, 2, 3};

double luma(QRgb p) { return 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p); }

// How much darker a sign's outline is than a narrow band just outside it.
double engravingContrast(const QImage &image, QPointF centre, double radius, int sign)
{
    const double scale = pixelScale(image);
    QTransform place;
    place.translate(centre.x() * scale, centre.y() * scale);
    place.scale(radius * scale, radius * scale);
    const QPainterPath inside = place.map(ballmark::shape(sign));
    QPainterPathStroker stroker;
    stroker.setWidth(radius * scale * 0.16);
    const QPainterPath band = stroker.createStroke(inside).subtracted(inside);

    double insideSum = 0, bandSum = 0;
    int insideCount = 0, bandCount = 0;
    const QRect area = band.boundingRect().toAlignedRect().intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QPointF at(x + 0.5, y + 0.5);
            if (inside.contains(at))
                insideSum += luma(image.pixel(x, y)), ++insideCount;
            else if (band.contains(at))
                bandSum += luma(image.pixel(x, y)), ++bandCount;
        }
    }
    if (insideCount == 0 || bandCount == 0)
        return 0;
    return bandSum / bandCount - insideSum / insideCount;
}

struct Lab {
    double l, a, b;
};

double toLinear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// sRGB (D65) from linear RGB to CIE L*a*b*.
Lab toLab(double r, double g, double b)
{
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double deltaE(const Lab &p, const Lab &q) { return std::hypot(p.l - q.l, p.a - q.a, p.b - q.b); }

// Published simulation matrices for linear RGB: protanopia, deuteranopia,
// tritanopia.
constexpr double deficiencyMatrix[3][3][3] = {
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}},
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}},
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}},
};

// The pixels of the ball in a ring picture, in a fixed order, as a player
// with the deficiency sees them.
std::vector<Lab> simulatedBall(const QImage &image, int deficiency)
{
    const double scale = pixelScale(image);
    const QPointF centre(image.width() / 2.0, image.height() / 2.0);
    const double radius = 0.9 * seatedBallRadius * scale;
    const auto &m = deficiencyMatrix[deficiency];
    std::vector<Lab> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y()) > radius)
                continue;
            const QRgb p = image.pixel(x, y);
            const double rgb[3] = {toLinear(qRed(p)), toLinear(qGreen(p)), toLinear(qBlue(p))};
            double seen[3];
            for (int row = 0; row < 3; ++row)
                seen[row] = std::clamp(m[row][0] * rgb[0] + m[row][1] * rgb[1] + m[row][2] * rgb[2], 0.0, 1.0);
            pixels.push_back(toLab(seen[0], seen[1], seen[2]));
        }
    }
    return pixels;
}

Lab mean(const std::vector<Lab> &pixels)
{
    Lab sum{0, 0, 0};
    for (const Lab &p : pixels)
        sum.l += p.l, sum.a += p.a, sum.b += p.b;
    const double n = static_cast<double>(pixels.size());
    return {sum.l / n, sum.a / n, sum.b / n};
}

// The share of the ball where the two pictures' lightness, each relative to
// its own mean, differs clearly: blind to colour, it sees only the signs (and
// whatever shading the colours do not share).
double signDifferenceShare(const std::vector<Lab> &first, const std::vector<Lab> &second)
{
    const double firstMean = mean(first).l;
    const double secondMean = mean(second).l;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < first.size(); ++i)
        if (std::fabs((first[i].l - firstMean) - (second[i].l - secondMean)) > 12)
            ++differing;
    return static_cast<double>(differing) / static_cast<double>(first.size());
}

// A ring picture at its design size (variant 0) or its high-DPI copy (1).
QImage ringPicture(int colour, int variant)
{
    const QString &name = ringPictureNames[static_cast<std::size_t>(colour)];
    return readPicture(variant == 0 ? name : picture::doubleSizeName(name));
}

} // namespace

class ArtworkTest : public QObject {
    Q_OBJECT

private:
    // The board at its design size and at twice that; placement tests run
    // on both, since either may be the one on the player's screen.
    std::array<QImage, 2> boards;
    const QImage &boardImage(int variant) const { return boards[static_cast<std::size_t>(variant)]; }
    static void addVariantRows(const char *name, const std::function<void(QTestData &)> &columns)
    {
        for (int variant = 0; variant < 2; ++variant)
            columns(QTest::addRow("%s%s", name, variant == 0 ? "" : " @2x") << variant);
    }

private slots:
    void initTestCase()
    {
        boards[0] = readPicture(QStringLiteral("board.jpg"));
        boards[1] = readPicture(QStringLiteral("board@2x.jpg"));
        for (const QImage &board : boards)
            QVERIFY2(!board.isNull(), qPrintable(QStringLiteral("cannot read the board in ") + artworkFolder()));
    }

    // Sizes and densities: each picture shows at its design size, from the
    // design-size file on ordinary screens and from the "@2x" file, with
    // twice the pixels, on high-DPI ones.
    void picturesReadBackAtTheirDesignSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("logical");
        const auto add = [](const char *row, const QString &name, QSize logical) {
            QTest::newRow(row) << name << logical;
            QTest::addRow("%s @2x", row) << picture::doubleSizeName(name) << logical;
        };
        add("board", QStringLiteral("board.jpg"), QSize(640, 480));
        add("instructions", QStringLiteral("anleitung.jpg"), QSize(640, 480));
        add("small title", QStringLiteral("titel250.bmp"), QSize(250, 75));
        add("large title", QStringLiteral("titel350.bmp"), QSize(350, 90));
        for (int colour = 0; colour < board::colours; ++colour)
            add(colourNames[colour], ringPictureNames[colour], QSize(33, 33));
    }

    void picturesReadBackAtTheirDesignSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, logical);
        const QImage image = readPicture(name);
        QVERIFY2(!image.isNull(), qPrintable(QStringLiteral("cannot read ") + artworkPath(name)));
        const int factor = name.contains(QStringLiteral("@2x")) ? 2 : 1;
        QCOMPARE(image.size(), logical * factor);
        QCOMPARE(image.dotsPerMeterX(), image.dotsPerMeterY());
        QCOMPARE(logicalSize(image), logical);
    }

    // The title pictures stay Windows bitmaps of 24 bits per pixel.
    void titlesAreTwentyFourBitBitmaps_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("small") << QStringLiteral("titel250.bmp");
        QTest::newRow("large") << QStringLiteral("titel350.bmp");
    }

    void titlesAreTwentyFourBitBitmaps()
    {
        QFETCH(QString, name);
        QFile file(artworkPath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(54);
        QCOMPARE(header.size(), 54);
        QCOMPARE(header.left(2), QByteArray("BM"));
        const auto bitsPerPixel = static_cast<quint8>(header[28]) | (static_cast<quint8>(header[29]) << 8);
        QCOMPARE(bitsPerPixel, 24);
        const auto compression = static_cast<quint8>(header[30]);
        QCOMPARE(compression, quint8(0));
    }

    // Each palette image shows a ball of its own colour, centred in it and
    // wholly inside it: the middle and the points round it take the colour,
    // and the image's edge shows only the black ground.
    void paletteBallsLieInTheirImages_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("colour");
        for (int colour = 0; colour < board::colours; ++colour)
            addVariantRows(colourNames[colour], [colour](QTestData &row) { row << colour; });
    }

    void paletteBallsLieInTheirImages()
    {
        QFETCH(int, variant);
        QFETCH(int, colour);
        const QImage &image = boardImage(variant);
        const QRectF rect = twips::rectF(board::palette[static_cast<std::size_t>(colour)]);
        const QPointF centre = rect.center();

        // The ball's engraved sign takes its middle; the colour shows round it.
        const double near = 0.62 * paletteBallRadius;
        for (int step : shadedSide) {
            const QColor inside = sampleAt(image, onCircle(centre, near, step, 8));
            QVERIFY2(ballColourOf(inside) == colour,
                     qPrintable(QStringLiteral("%1 px from centre, direction %2: %3")
                                    .arg(near).arg(step).arg(describe(inside))));
        }

        // Even the ball's shaded rim is brighter than this; the faint glow
        // round a ball has died away by the edge.
        for (const QPointF &point : outline(rect)) {
            const QColor edge = sampleAt(image, point);
            QVERIFY2(isBlack(edge, 12),
                     qPrintable(QStringLiteral("edge point (%1, %2) is %3")
                                    .arg(point.x()).arg(point.y()).arg(describe(edge))));
        }
    }

    // Every ring hole holds a copper ring centred in it, with a dark hole in
    // the middle.
    void ringsLieInTheirHoles_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        for (int row = 0; row < board::rows; ++row)
            for (int column = 0; column < board::columns; ++column)
                addVariantRows(qPrintable(QStringLiteral("row %1 column %2").arg(row).arg(column)),
                               [row, column](QTestData &data) { data << row << column; });
    }

    void ringsLieInTheirHoles()
    {
        QFETCH(int, variant);
        QFETCH(int, row);
        QFETCH(int, column);
        const QImage &image = boardImage(variant);
        const QPointF centre = ringCentre(row, column);

        const QColor hole = sampleAt(image, centre);
        QVERIFY2(isBlack(hole, 40), qPrintable(QStringLiteral("hole is %1").arg(describe(hole))));

        // Two circles across the band: a ring off by two pixels or more
        // loses one of them on one side.
        for (const double bandRadius : {0.62 * holeRadius, 0.8 * holeRadius}) {
            for (int step = 0; step < 12; ++step) {
                const QColor band = sampleAt(image, onCircle(centre, bandRadius, step, 12));
                QVERIFY2(isCopper(band), qPrintable(QStringLiteral("%1 px from centre, direction %2: %3")
                                                        .arg(bandRadius).arg(step).arg(describe(band))));
            }
        }

    }

    // A ring picture shows its own colour round its sign and the copper ring
    // round it exactly where the board's ring lies, so it covers that ring.
    void ringPicturesShowTheirBallInTheRing_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("colour");
        for (int colour = 0; colour < board::colours; ++colour)
            addVariantRows(colourNames[colour], [colour](QTestData &row) { row << colour; });
    }

    void ringPicturesShowTheirBallInTheRing()
    {
        QFETCH(int, variant);
        QFETCH(int, colour);
        const QImage image = ringPicture(colour, variant);
        QVERIFY(!image.isNull());
        const QPointF centre(logicalSize(image).width() / 2.0, logicalSize(image).height() / 2.0);

        for (int step : shadedSide) {
            const QColor ball = sampleAt(image, onCircle(centre, 0.62 * seatedBallRadius, step, 8));
            QVERIFY2(ballColourOf(ball) == colour,
                     qPrintable(QStringLiteral("direction %1: %2").arg(step).arg(describe(ball))));
        }

        // Where the ring shows beside the ball, the board has copper too.
        int copper = 0;
        for (int step = 0; step < 16; ++step) {
            const QPointF at = onCircle(centre, 0.8 * holeRadius, step, 16);
            if (isCopper(sampleAt(image, at))) {
                ++copper;
                const QColor below = sampleAt(boardImage(variant), ringCentre(0, 1) + (at - centre));
                QVERIFY2(isCopper(below), qPrintable(QStringLiteral("board under direction %1: %2").arg(step).arg(describe(below))));
            }
        }
        // The ball's shadow may dull part of the ring, not most of it.
        QVERIFY2(copper >= 10, qPrintable(QStringLiteral("copper in %1 of 16 directions").arg(copper)));
    }

    // Every ball carries the sign of its own colour, on the palette and in
    // its ring picture: of the six signs, the one engraved there is the one
    // whose outline is darkest against its immediate surroundings.
    void ballsCarryTheSignOfTheirColour_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("colour");
        QTest::addColumn<bool>("palette");
        for (int colour = 0; colour < board::colours; ++colour) {
            addVariantRows(qPrintable(QStringLiteral("palette %1").arg(colourNames[colour])),
                           [colour](QTestData &row) { row << colour << true; });
            addVariantRows(qPrintable(QStringLiteral("ring picture %1").arg(colourNames[colour])),
                           [colour](QTestData &row) { row << colour << false; });
        }
    }

    void ballsCarryTheSignOfTheirColour()
    {
        QFETCH(int, variant);
        QFETCH(int, colour);
        QFETCH(bool, palette);
        QImage image;
        QPointF centre;
        double radius = 0;
        if (palette) {
            image = boardImage(variant);
            centre = twips::rectF(board::palette[static_cast<std::size_t>(colour)]).center();
            radius = paletteBallRadius;
        } else {
            image = ringPicture(colour, variant);
            centre = QPointF(16.5, 16.5);
            radius = seatedBallRadius;
        }
        QVERIFY(!image.isNull());
        std::array<double, board::colours> contrast{};
        for (int sign = 1; sign <= board::colours; ++sign)
            contrast[static_cast<std::size_t>(sign - 1)] = engravingContrast(image, centre, radius, sign);
        const auto best = std::max_element(contrast.begin(), contrast.end()) - contrast.begin();
        QVERIFY2(best == colour, qPrintable(QStringLiteral("the %1 sign stands out most (contrast %2, own %3)")
                                                .arg(colourNames[best])
                                                .arg(contrast[static_cast<std::size_t>(best)])
                                                .arg(contrast[static_cast<std::size_t>(colour)])));
    }

    // Players with a colour-vision deficiency see the six ring pictures as
    // simulated here (Machado, Oliveira and Fernandes 2009, full severity).
    // Colours that fall together must still differ by their signs: the
    // pictures' lightness patterns, each taken relative to its own mean,
    // differ in a good share of the ball.
    void signsKeepTheBallsApartForColourBlindPlayers_data()
    {
        QTest::addColumn<int>("deficiency");
        QTest::newRow("protanopia") << 0;
        QTest::newRow("deuteranopia") << 1;
        QTest::newRow("tritanopia") << 2;
    }

    void signsKeepTheBallsApartForColourBlindPlayers()
    {
        QFETCH(int, deficiency);
        std::array<std::vector<Lab>, board::colours> balls;
        for (int colour = 0; colour < board::colours; ++colour) {
            const QImage image = ringPicture(colour, 1);
            QVERIFY(!image.isNull());
            balls[static_cast<std::size_t>(colour)] = simulatedBall(image, deficiency);
        }

        double smallestShare = 1, smallestColourDifference = 1000;
        QString closestBySign, closestByColour;
        for (int a = 0; a < board::colours; ++a) {
            for (int b = a + 1; b < board::colours; ++b) {
                const auto &first = balls[static_cast<std::size_t>(a)];
                const auto &second = balls[static_cast<std::size_t>(b)];
                const QString pair = QStringLiteral("%1/%2").arg(colourNames[a], colourNames[b]);
                const double share = signDifferenceShare(first, second);
                const double colourDifference = deltaE(mean(first), mean(second));
                if (share < smallestShare)
                    smallestShare = share, closestBySign = pair;
                if (colourDifference < smallestColourDifference)
                    smallestColourDifference = colourDifference, closestByColour = pair;
            }
        }
        qInfo("%s: closest colours %s (mean colour difference %.1f), closest signs %s (%.1f %% of the ball differs)",
              QTest::currentDataTag(), qPrintable(closestByColour), smallestColourDifference,
              qPrintable(closestBySign), 100 * smallestShare);
        QVERIFY2(smallestShare >= 0.05, qPrintable(QStringLiteral("%1: signs differ in only %2 % of the ball")
                                                       .arg(closestBySign).arg(100 * smallestShare)));
    }

    // White text in Comic Neue is written over the instructions picture, so
    // it must stay dark everywhere while still showing something.
    void instructionsBackgroundStaysDark()
    {
        const QImage image = readPicture(QStringLiteral("anleitung.jpg")).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!image.isNull());
        double sum = 0;
        int darkest = 255, brightest = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int luma = qGray(image.pixel(x, y));
                sum += luma;
                darkest = std::min(darkest, luma);
                brightest = std::max(brightest, luma);
            }
        }
        const double mean = sum / (image.width() * image.height());
        QVERIFY2(brightest <= 110, qPrintable(QStringLiteral("brightest luma %1").arg(brightest)));
        QVERIFY2(mean <= 45, qPrintable(QStringLiteral("mean luma %1").arg(mean)));
        QVERIFY2(brightest - darkest >= 15, "the picture is flat");
    }

private:
    // Points one logical pixel apart all round a rect's edge.
    static QList<QPointF> outline(const QRectF &rect)
    {
        QList<QPointF> points;
        for (double x = rect.left(); x <= rect.right(); x += 1.0)
            points << QPointF(x, rect.top()) << QPointF(x, rect.bottom());
        for (double y = rect.top(); y <= rect.bottom(); y += 1.0)
            points << QPointF(rect.left(), y) << QPointF(rect.right(), y);
        return points;
    }

};

QTEST_GUILESS_MAIN(ArtworkTest)
#include "test_artwork.moc"
