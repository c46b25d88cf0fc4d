// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/inputwatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace input {

namespace {

// The keys that move the focus or act on the board, its menus and its buttons: the arrows, the keys that go
// round and press, a colour's digit, an access key (Alt with a letter). Any other (a modifier alone, the
// window manager's Alt+Tab, a function key) leaves the board as the mouse left it.
bool isActingKey(const QKeyEvent *event)
{
    const int key = event->key();
    if (event->modifiers().testFlag(Qt::AltModifier))
        return key >= Qt::Key_A && key <= Qt::Key_Z;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return key >= Qt::Key_1 && key <= Qt::Key_6;
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
//
// The same timeout can lose a key, which nothing here can bring back: the
// bridge then posts every key it holds, and the reader's late answers are
// matched to the keys that came after, so that a key the reader never judged
// may be dropped as the reader's. What keeps the reader within the 100 ms is
// telling it little: see screenreader::keepUnseenWindowsQuiet().
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
                               && isActingKey(static_cast<const QKeyEvent *>(event));
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
