// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The catalogue window: a page on the maker's other game, where to get it
// and what the press said. It lives on its own and outlasts the start window.

#include "info/controls.h"

#include <QWidget>

class QPushButton;

class FrmSoftware : public QWidget
{
    Q_OBJECT
public:
    FrmSoftware();

    infoui::DesignLabel *Label1 = nullptr;
    infoui::DesignLabel *Label2 = nullptr;
    infoui::DesignLabel *Label3 = nullptr;
    infoui::DesignLabel *Label4 = nullptr;
    QPushButton *cmdOK = nullptr;

    void cmdOK_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
