#pragma once

// Pictures are drawn at two or more times their design size so they stay
// sharp on high-DPI screens; their density (dots per inch in the file's
// header) says how large they are meant to be. A picture's natural size is
// therefore its pixel size scaled by 96 / dpi, and never larger than its
// pixel size: files without density, or with less than 96 dpi, show one pixel
// per logical pixel.

#include <QPixmap>
#include <QString>

namespace picture {

// Sets the pixmap's device pixel ratio from the image's density.
QPixmap fromImage(const QImage &image);

// Reads a picture file by the name given, relative names from the current
// working directory. On failure returns a null pixmap and, if asked, a German
// sentence telling the player why.
QPixmap load(const QString &fileName, QString *reason = nullptr);

// The message shown when a picture the game needs cannot be read: names the
// file, the folder it was looked for in and the reason.
QString failureMessage(const QString &fileName, const QString &reason);

} // namespace picture
