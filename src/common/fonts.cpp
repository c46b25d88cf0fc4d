#include "common/fonts.h"

#include <QStringList>
#include <cmath>

namespace fonts {

namespace {
QStringList families(Family family)
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

QFont make(Family family, double points, int style)
{
    QFont font;
    font.setFamilies(families(family));
    font.setStyleHint(family == Family::ComicSans ? QFont::Cursive : QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(style & Bold);
    font.setUnderline(style & Underline);
    return font;
}

QFont standard() { return make(Family::MsSansSerif, 8.25); }

} // namespace fonts
