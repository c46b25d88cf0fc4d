// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The instructions window: the rules of the game in white on a dark picture.

#include "info/controls.h"

#include <QPixmap>
#include <QWidget>

class QPushButton;

class FrmAnleitung : public QWidget
{
    Q_OBJECT
public:
    FrmAnleitung();

    // The rules as the label shows them, blanks and all.
    static QString rulesText();

    infoui::DesignLabel *Label2 = nullptr;
    infoui::DesignLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;

    void Command1_Click();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QPixmap background;
};
