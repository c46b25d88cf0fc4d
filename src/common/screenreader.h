// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// What assistive technology is told beyond what Qt tells it by itself.

#include <QWidget>

class QAccessibleInterface;
class QObject;

namespace screenreader {

// True when opaque siblings above the widget hide it entirely, as the level
// masks hide the rows a level leaves unused: no sighted player sees it, so
// assistive technology is told it is not there.
bool isCoveredBySiblings(const QWidget *widget);

// Qt sends no event when a check mark comes or goes, nor when a widget
// becomes covered or uncovered; these tell that the state changed.
void announceCheckedChange(QObject *object);
void announceCheckedChange(QAccessibleInterface *item);
void announceVisibilityChange(QObject *object);

// A window whose texts are all there is to it (the start, about, catalogue
// and result windows) is told to screen readers as a dialog: Orca reads a
// dialog's labels as it appears, where it reads nothing of a plain window's
// labels that cannot take the focus, not even by say-all.
void readAsDialog(QWidget *window);

// Keeps screen readers from hearing about controls of a window that is not
// on screen. Building the board names some 170 controls, and showing it shows
// about 150 more; Qt's bridge told Orca each one, and Orca asked back about
// every one (some 2000 calls) before it spoke the new window, half a second
// after Start. A window that appears is read whole by the reader anyway, and
// one that goes takes its controls along. The window's own appearing and
// going, and everything else in a window on screen, still reach the reader,
// but for the greying and the description of a control no key reaches.
// Installed once, in front of whatever update handler was there (Qt's bridge,
// or a test's recorder), which gets every other event.
void keepUnseenWindowsQuiet();

// Tells screen readers of a change that moves no keyboard focus: a picked
// colour, a placed ball, lit lamps, a level's masks. Orca speaks no name
// change of a control that lacks the focus, but it does speak a notification
// the moment one shows, so each message shows one anew. Nothing is painted.
class Announcer : public QWidget
{
    Q_OBJECT
public:
    explicit Announcer(QWidget *parent);
    void say(const QString &text);
};

} // namespace screenreader
