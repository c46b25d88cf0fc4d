// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

#include "canvas.h"

namespace artwork {

// The board window's background: palette balls and empty rings, 640 x 480.
Canvas boardPicture();
// A ball of the colour (0 = red .. 5 = white) seated in its ring, 33 x 33.
Canvas ringPicture(int colour);

enum class Title { Small, Large };
// "Farbrix" lettering over the code balls: Small is 250 x 75, Large is
// 350 x 90 and adds the subtitle.
Canvas titlePicture(Title title, const QString &subtitle = {});

// The instructions window's background, 640 x 480: dark and quiet, because
// white text is written over it.
Canvas instructionsPicture();

} // namespace artwork
