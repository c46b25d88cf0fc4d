// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/activation.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace activation {

namespace {

class Tracker : public QObject
{
public:
    QPointer<QWidget> lastActive;
    QPointer<QWidget> switchedTo;

protected:
    // Runs before the form's own event handler sees the activation.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate) {
            auto *form = static_cast<QWidget *>(watched);
            switchedTo = lastActive != form ? form : nullptr;
            lastActive = form;
        }
        return false;
    }
};

Tracker &tracker()
{
    static Tracker instance;
    return instance;
}

} // namespace

void track(QWidget *form) { form->installEventFilter(&tracker()); }

bool cameFromAnotherForm(QWidget *form) { return tracker().switchedTo == form; }

} // namespace activation
