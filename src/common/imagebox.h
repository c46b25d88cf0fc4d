// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// An image control: shows a picture, stretched into its design rectangle or at
// the picture's natural size, and reports clicks while enabled. A disabled box
// keeps showing its picture, unlike Qt's greyed-out widgets.
//
// Assistive technology sees it as a button with a press action that clicks
// it. Its name tells both where it is and what it holds ("Reihe 1, Spalte 2:
// Blau"): a screen reader's review of the window reads names, and the bridge
// to the Linux bus carries no text value for a button.
//
// A box given a focus policy takes keyboard focus (its window decides what
// keys do), and shows a focus mark while the player works by keyboard.

#include "common/twips.h"

#include <QPixmap>
#include <QWidget>

// The mouse pointers of the design, under the numbers it gives them.
enum MousePointer : int { DefaultPointer = 0, CrosshairPointer = 2, NoDropPointer = 12, CustomPointer = 99 };

class ImageBox : public QWidget
{
    Q_OBJECT
public:
    ImageBox(const twips::Rect &design, bool stretch, QWidget *parent);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return pic; }

    void setMousePointer(MousePointer value);
    MousePointer mousePointer() const { return pointer; }

    // What the box holds, in words, for screen readers ("Blau", "leer");
    // a change is announced as a change of the name.
    void setAccessibleValue(const QString &value);
    const QString &accessibleValue() const { return value; }

    // A box that can be the one picked (a palette ball) is checkable for
    // screen readers, and checked while it is the one; a change is announced.
    void setAccessibleChecked(bool checked);
    bool isAccessibleCheckable() const { return checkable; }
    bool isAccessibleChecked() const { return checked; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRectF designRect; // logical pixels, fractional: 490 twips stay 32.67 px
    bool stretch;
    bool pressed = false;
    MousePointer pointer = DefaultPointer;
    QPixmap pic;
    QString value;
    bool checkable = false;
    bool checked = false;
};
