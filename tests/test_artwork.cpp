// The board window lays its clickable palette images and ring holes over the
// board picture by the design tables. These tests read the pictures the build
// drew and check that every ball and ring really lies where the tables put
// the control that belongs to it, and that each picture reads back at the
// size the windows expect.

#include "common/twips.h"
#include "game/boarddesign.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

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

} // namespace

class ArtworkTest : public QObject {
    Q_OBJECT

private:
    QImage boardImage;

private slots:
    void initTestCase()
    {
        boardImage = readPicture(QStringLiteral("board.jpg"));
        QVERIFY2(!boardImage.isNull(), qPrintable(QStringLiteral("cannot read ") + artworkPath("board.jpg")));
    }

    // Sizes and densities: the windows rely on each picture showing at its
    // design size while carrying twice (ring pictures four times) the pixels.
    void picturesReadBackAtTheirDesignSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QSize>("logical");
        QTest::newRow("board") << QStringLiteral("board.jpg") << QSize(1280, 960) << QSize(640, 480);
        QTest::newRow("instructions") << QStringLiteral("anleitung.jpg") << QSize(1280, 960) << QSize(640, 480);
        QTest::newRow("small title") << QStringLiteral("titel250.bmp") << QSize(500, 150) << QSize(250, 75);
        QTest::newRow("large title") << QStringLiteral("titel350.bmp") << QSize(700, 180) << QSize(350, 90);
        for (int colour = 0; colour < board::colours; ++colour)
            QTest::newRow(qPrintable(QStringLiteral("ring picture ") + colourNames[colour]))
                << ringPictureNames[colour] << QSize(132, 132) << QSize(33, 33);
    }

    void picturesReadBackAtTheirDesignSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, pixels);
        QFETCH(QSize, logical);
        const QImage image = readPicture(name);
        QVERIFY2(!image.isNull(), qPrintable(QStringLiteral("cannot read ") + artworkPath(name)));
        QCOMPARE(image.size(), pixels);
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
        QTest::addColumn<int>("colour");
        for (int colour = 0; colour < board::colours; ++colour)
            QTest::newRow(colourNames[colour]) << colour;
    }

    void paletteBallsLieInTheirImages()
    {
        QFETCH(int, colour);
        const QRectF rect = twips::rectF(board::palette[static_cast<std::size_t>(colour)]);
        const QPointF centre = rect.center();

        const QColor middle = sampleAt(boardImage, centre);
        QVERIFY2(ballColourOf(middle) == colour,
                 qPrintable(QStringLiteral("centre is %1").arg(describe(middle))));
        const double near = std::min(rect.width(), rect.height()) / 10;
        for (int step = 0; step < 8; ++step) {
            const QColor inside = sampleAt(boardImage, onCircle(centre, near, step, 8));
            QVERIFY2(ballColourOf(inside) == colour,
                     qPrintable(QStringLiteral("%1 px from centre, direction %2: %3")
                                    .arg(near).arg(step).arg(describe(inside))));
        }

        // Even the ball's shaded rim is brighter than this; the faint glow
        // round a ball has died away by the edge.
        for (const QPointF &point : outline(rect)) {
            const QColor edge = sampleAt(boardImage, point);
            QVERIFY2(isBlack(edge, 12),
                     qPrintable(QStringLiteral("edge point (%1, %2) is %3")
                                    .arg(point.x()).arg(point.y()).arg(describe(edge))));
        }
    }

    // Every ring hole holds a copper ring centred in it, with a dark hole in
    // the middle.
    void ringsLieInTheirHoles_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        for (int row = 0; row < board::rows; ++row)
            for (int column = 0; column < board::columns; ++column)
                QTest::addRow("row %d column %d", row, column) << row << column;
    }

    void ringsLieInTheirHoles()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        const QPointF centre = ringCentre(row, column);

        const QColor hole = sampleAt(boardImage, centre);
        QVERIFY2(isBlack(hole, 40), qPrintable(QStringLiteral("hole is %1").arg(describe(hole))));

        // Two circles across the band: a ring off by two pixels or more
        // loses one of them on one side.
        for (const double bandRadius : {0.62 * holeRadius, 0.8 * holeRadius}) {
            for (int step = 0; step < 12; ++step) {
                const QColor band = sampleAt(boardImage, onCircle(centre, bandRadius, step, 12));
                QVERIFY2(isCopper(band), qPrintable(QStringLiteral("%1 px from centre, direction %2: %3")
                                                        .arg(bandRadius).arg(step).arg(describe(band))));
            }
        }

    }

    // A ring picture shows its own colour in the middle and the copper ring
    // round it exactly where the board's ring lies, so it covers that ring.
    void ringPicturesShowTheirBallInTheRing_data()
    {
        QTest::addColumn<int>("colour");
        for (int colour = 0; colour < board::colours; ++colour)
            QTest::newRow(colourNames[colour]) << colour;
    }

    void ringPicturesShowTheirBallInTheRing()
    {
        QFETCH(int, colour);
        const QImage image = readPicture(ringPictureNames[colour]);
        QVERIFY(!image.isNull());
        const QPointF centre(logicalSize(image).width() / 2.0, logicalSize(image).height() / 2.0);

        for (const QPointF offset : {QPointF(0, 0), QPointF(3, 0), QPointF(-3, 0), QPointF(0, 3), QPointF(0, -3)}) {
            const QColor ball = sampleAt(image, centre + offset);
            QVERIFY2(ballColourOf(ball) == colour,
                     qPrintable(QStringLiteral("offset (%1, %2): %3").arg(offset.x()).arg(offset.y()).arg(describe(ball))));
        }

        // Where the ring shows beside the ball, the board has copper too.
        int copper = 0;
        for (int step = 0; step < 16; ++step) {
            const QPointF at = onCircle(centre, 0.8 * holeRadius, step, 16);
            if (isCopper(sampleAt(image, at))) {
                ++copper;
                const QColor below = sampleAt(boardImage, ringCentre(0, 1) + (at - centre));
                QVERIFY2(isCopper(below), qPrintable(QStringLiteral("board under direction %1: %2").arg(step).arg(describe(below))));
            }
        }
        // The ball's shadow may dull part of the ring, not most of it.
        QVERIFY2(copper >= 10, qPrintable(QStringLiteral("copper in %1 of 16 directions").arg(copper)));
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
