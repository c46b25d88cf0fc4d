// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/form.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace forms {

namespace {
bool endWhenLastUnloaded = false;

// Qt 6.4 hands a window type to the window system only while the window
// exists there; windows are made there when first shown. Asking for a native
// window early would make the parent's children native as well.
class NoMinimiseType : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WinIdChange) {
            auto *window = static_cast<QWidget *>(watched);
            const auto type = window->windowFlags() & Qt::FramelessWindowHint
                                  ? Qt::WA_X11NetWmWindowTypeSplash
                                  : Qt::WA_X11NetWmWindowTypeToolBar;
            window->setAttribute(type, false);
            window->setAttribute(type, true);
        }
        return false;
    }
};
} // namespace

namespace {

class CloseWatch : public QObject
{
public:
    CloseWatch(QWidget *window, void (*unload)()) : QObject(window), unload(unload)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close && watched == parent())
            unload(); // the event goes on, and the window accepts it
        return false;
    }

private:
    void (*unload)();
};

} // namespace

void unloadWhenClosed(QWidget *window, void (*unload)()) { new CloseWatch(window, unload); }

void endProgramWhenLastWindowUnloaded() { endWhenLastUnloaded = true; }

void unloaded()
{
    if (!endWhenLastUnloaded)
        return;
    // Looked at once the running handler is done: a new game unloads the
    // board and shows a fresh one straight away.
    QTimer::singleShot(0, qApp, [] {
        const auto windows = QApplication::topLevelWidgets();
        const bool anyOpen = std::any_of(windows.begin(), windows.end(), [](QWidget *w) {
            return w->isVisible() && w->testAttribute(Qt::WA_QuitOnClose);
        });
        if (!anyOpen)
            QCoreApplication::exit(0);
    });
}

void keepFocusForReader(QWidget *window)
{
    // Orca reads a new window within a second or two even on a busy machine.
    constexpr int readerMovesOn = 3000; // ms
    QWidget *focus = window->focusWidget();
    if (!focus || focus == window || !QAccessible::isActive())
        return;
    focus->setParent(nullptr); // hidden, a window of its own that is never shown
    QTimer::singleShot(readerMovesOn, focus, &QObject::deleteLater);
}

void noMinimiseOrMaximise(QWidget *window) { window->installEventFilter(new NoMinimiseType(window)); }

} // namespace forms
