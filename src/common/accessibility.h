// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// What assistive technology is told beyond what Qt tells it by itself.

class QAccessibleInterface;
class QObject;
class QWidget;

namespace accessibility {

// True when opaque siblings above the widget hide it entirely, as the level
// masks hide the rows a level leaves unused: no sighted player sees it, so
// assistive technology is told it is not there.
bool isCoveredBySiblings(const QWidget *widget);

// Qt sends no event when a check mark comes or goes, nor when a widget
// becomes covered or uncovered; these tell that the state changed.
void announceCheckedChange(QObject *object);
void announceCheckedChange(QAccessibleInterface *item);
void announceVisibilityChange(QObject *object);

} // namespace accessibility
