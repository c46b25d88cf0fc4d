// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The one way the program shows a message: modal, an OK button only, no
// icon, the program's name as title. Tests install a handler to read each
// text, look at the windows as they are at that moment and answer it.

#include <QString>
#include <functional>

namespace messages {

inline constexpr auto title = "Farbrix";

using Handler = std::function<void(const QString &text)>;

// Returns when the player has confirmed the message.
void show(const QString &text);

// Replaces how messages are shown (nullptr restores the message box);
// returns the handler that was in place.
Handler setHandler(Handler handler);

} // namespace messages
