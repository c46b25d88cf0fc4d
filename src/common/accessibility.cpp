// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/accessibility.h"

#include <QAccessible>
#include <QRegion>
#include <QWidget>

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

} // namespace

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
