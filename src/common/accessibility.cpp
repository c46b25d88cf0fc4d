// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QRegion>

namespace accessibility {

namespace {

QAccessible::State checkedState()
{
    QAccessible::State state;
    state.checked = true;
    return state;
}

template <class Target>
void announce(Target *target, QAccessible::State changed)
{
    QAccessibleStateChangeEvent event(target, changed);
    QAccessible::updateAccessibility(&event);
}

class AccessibleAnnouncer : public QAccessibleWidget
{
public:
    explicit AccessibleAnnouncer(QWidget *w) : QAccessibleWidget(w, QAccessible::Notification) {}
};

QAccessibleInterface *announcerFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("accessibility::Announcer") && object && object->isWidgetType())
        return new AccessibleAnnouncer(static_cast<QWidget *>(object));
    return nullptr;
}

// Follows which device the player used last, for keyboardInUse().
class InputWatch : public QObject
{
public:
    bool keyboard = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::KeyPress || type == QEvent::MouseButtonPress)
            && keyboard != (type == QEvent::KeyPress)) {
            keyboard = type == QEvent::KeyPress;
            if (QWidget *focus = QApplication::focusWidget())
                focus->update();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

bool keyboardInUse()
{
    static InputWatch *watch = [] {
        auto *w = new InputWatch;
        w->setParent(qApp);
        qApp->installEventFilter(w);
        return w;
    }();
    return watch->keyboard;
}

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(announcerFactory), true);
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::say(const QString &text)
{
    said = text;
    hide();
    setAccessibleName(text);
    show();
}

bool isCoveredBySiblings(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    if (!parent)
        return false;
    QRegion uncovered(widget->geometry());
    const QObjectList &siblings = parent->children(); // in painting order, the last on top
    for (qsizetype i = siblings.indexOf(const_cast<QWidget *>(widget)) + 1; i < siblings.size(); ++i) {
        const auto *above = qobject_cast<const QWidget *>(siblings[i]);
        if (above && above->autoFillBackground() && above->isVisibleTo(parent))
            uncovered -= above->geometry();
    }
    return uncovered.isEmpty();
}

void announceCheckedChange(QObject *object) { announce(object, checkedState()); }
void announceCheckedChange(QAccessibleInterface *item) { announce(item, checkedState()); }

void announceVisibilityChange(QObject *object)
{
    QAccessible::State visibility;
    visibility.invisible = true;
    announce(object, visibility);
}

} // namespace accessibility
