#include "common/picture.h"

#include <QDir>
#include <QFileInfo>
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
    QImageReader reader(fileName);
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        if (reader.error() == QImageReader::FileNotFoundError || !info.isReadable())
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
