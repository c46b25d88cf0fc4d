// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/form.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace forms {

namespace {
bool endWhenLastUnloaded = false;
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

} // namespace forms
