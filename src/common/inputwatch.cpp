// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/inputwatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace input {

namespace {

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

// Follows which device the player used last, for keyboardInUse(), and keeps
// the screen reader's own keys away from the game.
//
// While a screen reader listens, Qt 6.4's bridge holds every key back, asks
// the reader whether it wants it and posts it to the game afterwards, so the
// key arrives as a posted event instead of one from the window system. When
// the reader answers later than the bridge waits (100 ms, easily passed
// while a new window is being read), the bridge posts the key even though the
// reader took it: Orca's where-am-I (keypad Enter) then also pressed the
// focused button, and Start began the game as well. Orca's desktop layout
// claims every keypad key but the digits, and every key pressed with its
// modifier (Insert); posted, they are the reader's and go no further.
class InputWatch : public QObject
{
public:
    bool keyboard = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            const auto *key = static_cast<const QKeyEvent *>(event);
            if (!event->spontaneous() && isReaderKey(key))
                return true;
        }
        // A shortcut (Alt+O) is taken before its key press is sent.
        const bool actingKey = (type == QEvent::KeyPress || type == QEvent::ShortcutOverride)
                               && !isModifierKey(static_cast<const QKeyEvent *>(event)->key());
        if ((actingKey || type == QEvent::MouseButtonPress) && keyboard != actingKey) {
            keyboard = actingKey;
            if (QWidget *focus = QApplication::focusWidget())
                focus->update();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool readerModifierDown = false;

    bool isReaderKey(const QKeyEvent *key)
    {
        if (key->key() == Qt::Key_Insert) {
            readerModifierDown = key->type() == QEvent::KeyPress;
            return true;
        }
        const bool digit = key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9;
        return readerModifierDown || (key->modifiers().testFlag(Qt::KeypadModifier) && !digit);
    }
};

InputWatch &inputWatch()
{
    static InputWatch *watch = [] {
        auto *w = new InputWatch;
        w->setParent(qApp);
        qApp->installEventFilter(w);
        return w;
    }();
    return *watch;
}
} // namespace

void watch() { inputWatch(); }

bool keyboardInUse() { return inputWatch().keyboard; }

} // namespace input
