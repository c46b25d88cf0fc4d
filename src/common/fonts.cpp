// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

namespace fonts {

namespace {
QStringList designFamilies(Family family)
{
    switch (family) {
    case Family::ComicSans:
        return {QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")};
    case Family::Verdana:
        return {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")};
    case Family::Arial:
        return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
    case Family::MsSansSerif:
        return {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")};
    }
    return {};
}

} // namespace

// The design's own family only where it is installed. Qt answers a family it
// does not have by asking fontconfig for that family's whole fallback list
// and taking the first of those, before it would try the next name; that
// query cost more at start-up than loading the font. With fontconfig's usual
// aliases (Arial to Liberation Sans, Verdana to DejaVu Sans) it ended on the
// font named next anyway, which is now asked for directly.
QStringList families(Family family, const QStringList &installed)
{
    QStringList names = designFamilies(family);
    if (!installed.contains(names.first(), Qt::CaseInsensitive))
        names.removeFirst();
    return names;
}

QFont make(Family family, double points, int style)
{
    QFont font;
    static const QStringList installed = QFontDatabase::families();
    font.setFamilies(families(family, installed));
    font.setStyleHint(family == Family::ComicSans ? QFont::Cursive : QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(style & Bold);
    font.setUnderline(style & Underline);
    return font;
}

QFont standard() { return make(Family::MsSansSerif, 8.25); }

} // namespace fonts
