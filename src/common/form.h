// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// Every window of the program exists at most once, is built from its design
// the first time it is shown or touched, and is destroyed when it is closed or
// unloaded. Form<T> is that slot.
//
// Unloading hides the window and only schedules its destruction: several
// handlers unload the very window they run in and then carry on (a lost game
// starts a new board from inside the old board's button handler). The old
// object stays valid until control returns to the event loop; meanwhile the
// next instance() builds a fresh window. Code that may have reloaded a window
// must reach it through instance() again, never through a pointer kept from
// before.

#include "common/activation.h"

#include <QPointer>

class QWidget;

namespace forms {

// The program ends when its last window is unloaded. Qt ends it only when a
// window is closed, not when it is hidden, which is how windows unload here;
// main() switches this on, tests that drive windows without an event loop
// leave it off.
void endProgramWhenLastWindowUnloaded();

// Called by every unload.
void unloaded();

// However a window is closed (its close box, the window manager, close()),
// closing it unloads it. Qt hides a closed window and keeps it; here it goes.
void unloadWhenClosed(QWidget *window, void (*unload)());

} // namespace forms

template <class T>
class Form
{
public:
    // The current window, built and loaded if there is none.
    static T *instance()
    {
        if (!current) {
            T *w = new T;
            current = w; // set first: load steps may address their own window
            activation::track(w);
            forms::unloadWhenClosed(w, &Form<T>::unload);
            // A window without load steps is placed where the system puts
            // new windows.
            if constexpr (requires { w->formLoad(); })
                w->formLoad();
        }
        return current.data();
    }

    // The current window, or nullptr when it is not loaded; never loads it.
    static T *loaded() { return current.data(); }

    static void unload()
    {
        if (T *w = current.data()) {
            current = nullptr;
            w->hide();
            w->deleteLater();
            forms::unloaded();
        }
    }

private:
    inline static QPointer<T> current;
};

// Shows a window modelessly; a window already open only comes to the front.
template <class T>
T *showModeless()
{
    T *w = Form<T>::instance();
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}
