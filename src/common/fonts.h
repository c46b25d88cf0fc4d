// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The design names Windows fonts. Each maps to itself first and then to the
// nearest free font, so a machine with the originals shows them and any other
// falls back silently. Sizes are fixed in pixels as at 96 dpi: point sizes
// would follow the screen's logical DPI and move text against the pictures.

#include <QFont>

namespace fonts {

enum class Family { ComicSans, Verdana, Arial, MsSansSerif };
enum Style { Regular = 0, Bold = 1, Underline = 2 };

QFont make(Family family, double points, int style = Regular);

// The families asked for, given those installed: the design's own only where
// it is there, the free one always.
QStringList families(Family family, const QStringList &installed);

// The default font of every control that names none: MS Sans Serif 8.25 pt.
QFont standard();

} // namespace fonts
