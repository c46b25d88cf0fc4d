// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// Every picture comes in two files: "name.jpg" at its design size and
// "name@2x.jpg" at twice that size for high-DPI screens. On a screen whose
// device pixel ratio is above 1 the larger one is shown, if it is there and
// readable; the design-size file still decides whether the picture exists, so
// a missing picture is missing on every screen.
//
// The density in a file's header (dots per inch) says how large it is meant
// to be: its natural size is its pixel size scaled by 96 / dpi, never larger
// than its pixel size, so files without density, or with less than 96 dpi,
// show one pixel per logical pixel.

#include <QPixmap>
#include <QString>

namespace picture {

// Sets the pixmap's device pixel ratio from the image's density.
QPixmap fromImage(const QImage &image);

// The name of the twice-as-large copy: "rot2ring.jpg" -> "rot2ring@2x.jpg".
QString doubleSizeName(const QString &fileName);

// The device pixel ratio pictures are chosen for: the highest of the screens.
qreal screenRatio();

// A picture compiled into the program (":/artwork/board.jpg"), in the size
// that fits a device of `ratio` dots per pixel, by default the screen.
QPixmap embedded(const QString &resource, qreal ratio = screenRatio());

// Reads a picture file by the name given, relative names from the current
// working directory. On failure returns a null pixmap and, if asked, a German
// sentence telling the player why.
QPixmap load(const QString &fileName, QString *reason = nullptr);

// The message shown when a picture the game needs cannot be read: names the
// file, the folder it was looked for in and the reason.
QString failureMessage(const QString &fileName, const QString &reason);

} // namespace picture
