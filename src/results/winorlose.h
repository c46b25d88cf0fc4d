// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The result window: reveals the hidden combination after a win (its first
// OK leads on to the highscores) or on request during a game (its second OK
// only closes it and marks the board for a restart).

#include "common/imagebox.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

class WinorLose : public QWidget
{
    Q_OBJECT
public:
    WinorLose();

    void formLoad();

    // The column boxes carry the names of the board's ring columns; each holds
    // only element 0. Column 1..4 = Picture7(0)..Picture10(0).
    ImageBox *picture(int column) const { return boxes[column - 1]; }

    QLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr; // OK after a win
    QPushButton *Command2 = nullptr; // OK when the solution was asked for

    void Command1_Click();
    void Command2_Click();
    void Form_DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    std::array<ImageBox *, 4> boxes{};
};
