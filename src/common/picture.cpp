#include "common/picture.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cmath>

namespace picture {

QPixmap fromImage(const QImage &image)
{
    QPixmap pixmap = QPixmap::fromImage(image);
    // Files store whole dots per inch; dots per metre carry rounding noise.
    const double dpi = std::round(image.dotsPerMeterX() * 0.0254);
    if (dpi > 96)
        pixmap.setDevicePixelRatio(dpi / 96.0);
    return pixmap;
}

QString doubleSizeName(const QString &fileName)
{
    const qsizetype slash = fileName.lastIndexOf(u'/');
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const qsizetype end = dot > slash ? dot : fileName.size();
    return fileName.left(end) + QStringLiteral("@2x") + fileName.mid(end);
}

qreal screenRatio() { return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0; }

namespace {

QImage readImage(const QString &fileName, QImageReader::ImageReaderError *error = nullptr)
{
    QImageReader reader(fileName);
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (error)
        *error = reader.error();
    return image;
}

// The high-DPI copy, or a null image where there is none or it is unreadable:
// then the design-size picture is shown, scaled up.
QImage readDoubleSize(const QString &fileName, qreal ratio = screenRatio())
{
    if (ratio <= 1.0)
        return {};
    const QString name = doubleSizeName(fileName);
    return QFileInfo::exists(name) ? readImage(name) : QImage();
}

} // namespace

QPixmap embedded(const QString &resource, qreal ratio)
{
    const QImage large = readDoubleSize(resource, ratio);
    return fromImage(large.isNull() ? readImage(resource) : large);
}

QPixmap load(const QString &fileName, QString *reason)
{
    auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return QPixmap();
    };
    const QFileInfo info(fileName);
    if (!info.exists())
        return fail(QStringLiteral("Die Datei ist nicht vorhanden."));
    if (info.isDir())
        return fail(QStringLiteral("Unter diesem Namen liegt ein Ordner, keine Bilddatei."));
    if (const QImage large = info.isReadable() ? readDoubleSize(fileName) : QImage(); !large.isNull())
        return fromImage(large);
    QImageReader::ImageReaderError error{};
    const QImage image = readImage(fileName, &error);
    if (image.isNull()) {
        if (error == QImageReader::FileNotFoundError || !info.isReadable())
            return fail(QStringLiteral("Die Datei kann nicht gelesen werden (keine Berechtigung)."));
        return fail(QStringLiteral("Die Datei ist leer, beschädigt oder kein Bild."));
    }
    return fromImage(image);
}

QString failureMessage(const QString &fileName, const QString &reason)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(fileName).absolutePath());
    return QStringLiteral("Das Bild \u201E%1\u201C konnte nicht geladen werden.\n\n"
                          "Gesucht im Ordner:\n%2\n\n%3")
        .arg(QFileInfo(fileName).fileName(), folder, reason);
}

} // namespace picture
