// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/screenreader.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QRegion>

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

} // namespace

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
