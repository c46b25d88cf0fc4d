// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// Draws the game's pictures into the folder given on the command line. The
// build runs it, so the artwork always matches the board design it was
// compiled against.

#include "icon.h"
#include "pictures.h"

#include "common/picture.h"
#include "game/boarddesign.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <array>
#include <cstdio>

namespace {

struct Output {
    QString name;
    const char *format;
    artwork::Canvas (*paint)();
};

bool save(const QDir &folder, const QString &name, const char *format, const artwork::Canvas &canvas)
{
    QString error;
    if (artwork::savePicture(canvas, folder.filePath(name), format, &error))
        return true;
    std::fprintf(stderr, "farbrix-artwork: %s: %s\n", qPrintable(folder.filePath(name)), qPrintable(error));
    return false;
}

// Every picture comes twice: at its design size for ordinary screens and,
// named with "@2x" before the suffix, at twice that for high-DPI ones. The
// game picks the one that fits the screen; each is brought down from a larger
// drawing rather than scaled at run time, so both are crisp.
bool write(const QDir &folder, const QString &name, const char *format, const artwork::Canvas &canvas)
{
    const bool single = save(folder, name, format, artwork::atScale(canvas, 1));
    return save(folder, picture::doubleSizeName(name), format, artwork::atScale(canvas, 2)) && single;
}

} // namespace

int main(int argc, char *argv[])
{
    // Build machines have no display; fonts and painting work offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: farbrix-artwork OUTPUT-FOLDER\n");
        return 2;
    }
    QDir folder(arguments.at(1));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "farbrix-artwork: cannot create %s\n", qPrintable(arguments.at(1)));
        return 1;
    }

    // The large title's subtitle is in words: it comes once for each language
    // the game speaks, and the game picks the picture of its language.
    const std::array<Output, 5> outputs{{
        {QStringLiteral("board.jpg"), "JPG", &artwork::boardPicture},
        {QStringLiteral("anleitung.jpg"), "JPG", &artwork::instructionsPicture},
        {QStringLiteral("titel250.bmp"), "BMP", [] { return artwork::titlePicture(artwork::Title::Small); }},
        {QStringLiteral("titel350.bmp"), "BMP",
         [] {
             return artwork::titlePicture(artwork::Title::Large,
                                          QString::fromUtf8("Das Farbcode-Knobelspiel"));
         }},
        {QStringLiteral("titel350_en.bmp"), "BMP",
         [] {
             return artwork::titlePicture(artwork::Title::Large, QStringLiteral("The Colour Code Puzzle"));
         }},
    }};
    bool ok = true;
    for (const Output &output : outputs)
        ok = write(folder, output.name, output.format, output.paint()) && ok;
    for (int colour = 0; colour < board::colours; ++colour)
        ok = write(folder, QString::fromUtf8(board::ringPictureNames[static_cast<std::size_t>(colour)]),
                   "JPG", artwork::ringPicture(colour))
             && ok;
    // The desktop entry asks for the icon by this name.
    ok = artwork::writeIcons(folder.filePath(QStringLiteral("icons")), QStringLiteral("farbrix")) && ok;
    return ok ? 0 : 1;
}
