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
#include "common/screenreader.h"

#include <QPointer>
#include <QWidget>

namespace forms {

// The program ends when its last window is unloaded. Qt ends it only when a
// window is closed, not when it is hidden, which is how windows unload here;
// main() switches this on, tests that drive windows without an event loop
// leave it off.
void endProgramWhenLastWindowUnloaded();

// Called by every unload.
void unloaded();

// While a screen reader listens, the control that had the focus in a window
// being unloaded outlives the window by a few seconds, hidden and alone. The
// reader still holds it until it has read what came next: Orca's where-am-I
// pressed right after Start asks for its name, and a destroyed control
// answers nothing, which Orca spoke as a bare "push button".
void keepFocusForReader(QWidget *window);

// However a window is closed (its close box, the window manager, close()),
// closing it unloads it. Qt hides a closed window and keeps it; here it goes.
void unloadWhenClosed(QWidget *window, void (*unload)());

// No window of the game can be minimised or maximised (the board can be
// resized, but not to the whole screen). Qt's Motif hints say so, but openbox
// ignores them: it drops both buttons and both actions only from windows
// typed as toolbars or splash screens. So every window is typed a toolbar,
// with Qt's tool or dialog type after it for window managers that know none;
// xfwm4 and IceWM then offer neither action either. A window without a frame
// is typed a splash screen: Qt writes no Motif functions for it, and IceWM
// would offer to minimise it.
void noMinimiseOrMaximise(QWidget *window);

} // namespace forms

template <class T>
class Form
{
public:
    // The current window, built and loaded if there is none.
    static T *instance()
    {
        if (!current) {
            screenreader::keepUnseenWindowsQuiet(); // before the first window is built
            T *w = new T;
            current = w; // set first: load steps may address their own window
            forms::noMinimiseOrMaximise(w);
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
            w->hide(); // first: the reader is told of no focus moving in a window that goes
            forms::keepFocusForReader(w);
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
