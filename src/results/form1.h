// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The highscore window: one name for each number of attempts from 1 to 5.
// After a win the box for the attempts just used takes the winner's name;
// from the menu the table is only shown. OK stores the table and returns to
// the board.

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

class Form1 : public QWidget
{
    Q_OBJECT
public:
    Form1();

    void formLoad();

    // Label2(k) and Text2(k) keep their design indices: Text2(k) holds the
    // name for k + 1 attempts, while the labels 0 and 1 are swapped ("2
    // Versuche" is Label2(0)), and Label2(5) is the heading.
    QLabel *Label2(int index) const { return labels[index]; }
    QLineEdit *Text2(int index) const { return texts[index]; }
    QPushButton *Command1 = nullptr;

    void Command1_Click();

protected:
private:
    std::array<QLabel *, 6> labels{};
    std::array<QLineEdit *, 5> texts{};
};
