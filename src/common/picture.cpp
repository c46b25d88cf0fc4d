// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/picture.h"

#include "common/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

QImage readImage(QIODevice *device)
{
    QImageReader reader(device);
    reader.setAutoTransform(false);
    return reader.read();
}

// The high-DPI copy, or a null image where there is none or it is unreadable:
// then the design-size picture is shown, scaled up.
QImage readDoubleSize(const QString &fileName, qreal ratio = screenRatio())
{
    if (ratio <= 1.0)
        return {};
    QFile file(doubleSizeName(fileName));
    return openRegularFile(file) ? readImage(&file) : QImage();
}

} // namespace

QPixmap embedded(const QString &resource, qreal ratio)
{
    const QImage large = readDoubleSize(resource, ratio);
    if (!large.isNull())
        return fromImage(large);
    QFile file(resource);
    return fromImage(openRegularFile(file) ? readImage(&file) : QImage());
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
        return fail(QCoreApplication::translate("picture", "Die Datei ist nicht vorhanden."));
    if (info.isDir())
        return fail(
            QCoreApplication::translate("picture", "Unter diesem Namen liegt ein Ordner, keine Bilddatei."));
    if (!info.isFile())
        return fail(QCoreApplication::translate(
            "picture", "Unter diesem Namen liegt keine gewöhnliche Datei, keine Bilddatei."));
    QFile file(fileName);
    if (!openRegularFile(file))
        return fail(QCoreApplication::translate("picture",
                                                "Die Datei kann nicht gelesen werden (keine Berechtigung)."));
    if (const QImage large = readDoubleSize(fileName); !large.isNull())
        return fromImage(large);
    const QImage image = readImage(&file);
    if (image.isNull())
        return fail(QCoreApplication::translate("picture", "Die Datei ist leer, beschädigt oder kein Bild."));
    return fromImage(image);
}

QString failureMessage(const QString &fileName, const QString &reason)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(fileName).absolutePath());
    return QCoreApplication::translate("picture", "Das Bild „%1“ konnte nicht geladen werden.\n\n"
                                                  "Gesucht im Ordner:\n%2\n\n%3")
        .arg(QFileInfo(fileName).fileName(), folder, reason);
}

} // namespace picture
