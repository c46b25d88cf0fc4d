// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The start window: title pictures, the maker's lines, a word for the
// maker's other game and the button that leads to the board. It is the only
// window at program start and the only way to the game.

#include "info/controls.h"

#include <QWidget>

class QFrame;
class QPushButton;

class FrmSplash : public QWidget
{
    Q_OBJECT
public:
    FrmSplash();

    void formLoad();

    // The client area inside the drawn border; every control sits on it.
    QWidget *client = nullptr;

    infoui::DesignLabel *Label3 = nullptr;
    infoui::DesignLabel *Label2 = nullptr;
    QFrame *Frame1 = nullptr;
    infoui::LineControl *Line1 = nullptr;
    infoui::DesignLabel *Label1 = nullptr;
    infoui::DesignLabel *lblCopyright = nullptr;
    infoui::DesignLabel *lblCompany = nullptr;
    infoui::DesignLabel *lblWarning = nullptr;
    QLabel *Picture1 = nullptr;
    QLabel *Picture2 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();

    // The border: a raised dialog frame, as the window has no title bar that
    // would carry one.
    static constexpr int borderWidth = 3;

protected:
    void paintEvent(QPaintEvent *) override;
};
