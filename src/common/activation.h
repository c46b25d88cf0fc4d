// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// A window's activation, as the game means it: the window becoming the active
// window of this program. Qt also reports activation when the player comes
// back from another application, or when a message box or menu of our own
// closes; neither counts. Every window built through Form<T> is tracked.

class QWidget;

namespace activation {

void track(QWidget *form);

// Called from a form's WindowActivate handling: true when the program's
// active form was another one (or none) until now.
bool cameFromAnotherForm(QWidget *form);

} // namespace activation
