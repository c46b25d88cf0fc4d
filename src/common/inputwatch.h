// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// Whether the player works by keyboard or by mouse.

namespace input {

// Starts following the keyboard and the mouse for keyboardInUse(), and keeps
// the keys a screen reader claims from reaching the game (see the .cpp).
void watch();

// True from a key that moves the focus or acts on the board until the next
// mouse press: a focus mark shows only to a player who is working by keyboard,
// so mouse players see the board as it always looked. A modifier alone
// (Shift, or Alt of the window manager's Alt+Tab) does not count, nor does a
// key the board ignores.
bool keyboardInUse();

} // namespace input
