// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/screenreader.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QRegion>
#include <QWindow>

namespace screenreader {

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

constexpr char dialogProperty[] = "farbrixReadAsDialog";

QAccessibleInterface *announcerFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("screenreader::Announcer") && object && object->isWidgetType())
        return new AccessibleAnnouncer(static_cast<QWidget *>(object));
    if (object && object->isWidgetType() && object->property(dialogProperty).toBool())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Dialog);
    return nullptr;
}

void installFactory()
{
    static const bool installed = (QAccessible::installFactory(announcerFactory), true);
    Q_UNUSED(installed);
}

QAccessible::UpdateHandler passOn = nullptr;
QAccessible::UpdateHandler self = nullptr;

// A control the focus never comes to is read only by the reader's review,
// which asks for its state and description afresh: greying it, making it
// available or changing its description is nothing the reader says. The
// board's first attempt greys the 36 holes of the other rows at once, and
// the first move along the row takes the key hint off 36 of them, which held
// back what the reader said next.
bool isUnspokenChangeOfWhatNoKeyReaches(QAccessibleEvent *event, const QWidget *widget)
{
    if (widget->focusPolicy() != Qt::NoFocus)
        return false;
    if (event->type() == QAccessible::DescriptionChanged)
        return true;
    QAccessible::State greying;
    greying.disabled = true;
    return event->type() == QAccessible::StateChanged
           && static_cast<QAccessibleStateChangeEvent *>(event)->changedStates() == greying;
}

bool unseen(QAccessibleEvent *event)
{
    const auto *widget = qobject_cast<const QWidget *>(event->object());
    if (!widget)
        return false; // a menu's item, the application: always told
    const QWindow *window = widget->window()->windowHandle();
    if (window && window->isVisible())
        return isUnspokenChangeOfWhatNoKeyReaches(event, widget);
    // A window tells of itself as it appears (after it is on screen) and as
    // it goes (once it is off): the reader learns of both.
    const QAccessible::Event type = event->type();
    return !(widget->isWindow() && (type == QAccessible::ObjectShow || type == QAccessible::ObjectHide))
           && type != QAccessible::ObjectCreated && type != QAccessible::ObjectDestroyed;
}

void tellUnlessUnseen(QAccessibleEvent *event)
{
    if (unseen(event))
        return;
    if (passOn) {
        passOn(event);
        return;
    }
    // No handler before this one: Qt's own bridge, which is reached by
    // updateAccessibility() while no handler is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(self);
}

} // namespace

void keepUnseenWindowsQuiet()
{
    if (self)
        return;
    self = tellUnlessUnseen;
    passOn = QAccessible::installUpdateHandler(self);
}

void readAsDialog(QWidget *window)
{
    installFactory();
    window->setProperty(dialogProperty, true);
}

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    installFactory();
    setObjectName(QStringLiteral("announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::say(const QString &text)
{
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

} // namespace screenreader
