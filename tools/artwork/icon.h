// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The program's icon for the desktop's menus: four code balls on a dark
// board. Written as a scalable SVG and as PNGs for the fixed sizes of the
// hicolor icon theme, into <folder>/hicolor/<size>/apps/<name>.<suffix>.

#include <QString>

namespace artwork {

// The fixed sizes the hicolor theme looks for first; desktops scale the
// nearest one for any other size.
inline constexpr int iconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Returns false after printing what could not be written.
bool writeIcons(const QString &folder, const QString &name);

} // namespace artwork
