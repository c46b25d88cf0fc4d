// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The few control kinds the information windows are made of. The start,
// about, instructions and catalogue windows are laid out with labels, lines
// and picture boxes that behave as classic Windows controls do; those
// behaviours differ from Qt's defaults in ways the texts rely on.

#include "common/colours.h"
#include "common/twips.h"

#include <QColor>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>

class QKeyEvent;
class QPushButton;

namespace infoui {

using colours::bgr;
using colours::fillBackground;

// A text label. Its texts were laid out by padding with blanks until the next
// word dropped to a new line, so it wraps the way those texts were written
// for: at blanks only, keeping runs of blanks inside a line, and swallowing
// the whole run at a break, so a padded sentence ends its line and the next
// one starts flush left. A word wider than the label is cut where it
// overflows. Text starts at the top-left and is clipped at the label's edges;
// the label never paints a background of its own.
class DesignLabel : public QLabel
{
    Q_OBJECT
public:
    DesignLabel(const char *name, const twips::Rect &design, const QString &text, const QFont &font,
                const QColor &colour, QWidget *parent);

    // The lines the text breaks into for a width; `advance` measures a
    // string. Trailing blanks of a broken line are left out.
    static QStringList breakLines(const QString &text, double width,
                                  const std::function<double(const QString &)> &advance);

    // The lines as the label shows them now.
    QStringList lines() const;

    // A label that is read by keys: Tab reaches it, Up, Down, Page Up and
    // Page Down move a caret that nobody sees from line to
    // line (Home and End to the first and last, with Ctrl or without), and
    // screen readers read the line it is on; Orca's say-all reads on from
    // there. Enter and Esc press `defaultButton`. Nothing it shows
    // changes.
    void makeReadable(QPushButton *defaultButton);
    // What a screen reader reads: the lines shown, blanks run together, the
    // empty ones left out; and the offset of the caret's line in it.
    QStringList readLines() const;
    int caretOffset() const;
    void setCaretOffset(int offset);

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Breaking shapes the text over and over; a label repaints far more often
    // (the about window's credits move 20 times a second) than its text,
    // font or width change.
    mutable QString brokenText;
    mutable QFont brokenFont;
    mutable int brokenWidth = -1;
    mutable QStringList brokenLines;
    QPushButton *pressedByEnter = nullptr;
    int caretLine = 0;
};

// A straight line between two design points, `width` pixels thick, drawn
// with the pen centred on the points as a classic Windows line control does.
class LineControl : public QWidget
{
    Q_OBJECT
public:
    LineControl(const char *name, QPoint fromTwips, QPoint toTwips, const QColor &colour, int width,
                QWidget *parent);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QLineF line; // in this widget's coordinates
    QColor penColour;
    int penWidth;
};

// A picture box: the picture at its natural size from the top-left corner,
// cut off at the box's edges, on black. A picture that cannot be read leaves
// the box empty.
QLabel *pictureBox(const char *name, const twips::Rect &design, const QString &resource, QWidget *parent);

QPushButton *commandButton(const char *name, const twips::Rect &design, const QString &caption,
                           QWidget *parent);

// For a window whose OK is both the default and the cancel button: Enter and
// Esc press it wherever the focus is (Qt gives that to dialogs only). True
// when the key was one of them.
bool pressDefaultAndCancel(QKeyEvent *event, QPushButton *ok);

// Places a window in the middle of the screen's free area.
void centreOnScreen(QWidget *window);

} // namespace infoui
