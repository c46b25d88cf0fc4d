// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "results/winorlose.h"

#include "common/ballpainter.h"
#include "common/colours.h"
#include "common/fonts.h"
#include "common/form.h"
#include "common/picture.h"
#include "common/screenreader.h"
#include "game/boarddesign.h"
#include "results/form1.h"
#include "rules/global.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {
constexpr int clientWidth = 3135, clientHeight = 1995;
constexpr twips::Rect label1{120, 120, 3135, 375};
constexpr twips::Rect columns[] = {
    {360, 600, 495, 495}, {960, 600, 495, 495}, {1560, 600, 495, 495}, {2160, 600, 495, 495}};
constexpr twips::Rect command1{960, 1320, 1215, 495};
constexpr twips::Rect command2{960, 1200, 1215, 495};
} // namespace

WinorLose::WinorLose()
{
    setObjectName(QStringLiteral("WinorLose"));
    screenreader::readAsDialog(this);
    setWindowTitle(QStringLiteral("Farbrix ")); // a name, the same in every language
    // Fixed border, no close box: the window is left by one of its OK buttons.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(twips::size(clientWidth, clientHeight));
    colours::fillBackground(this, Qt::black);

    //: Heading over the four balls of the hidden combination, one line
    Label1 = new QLabel(tr("Die richtige Kombination :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twips::rect(label1));
    Label1->setFont(fonts::make(fonts::Family::ComicSans, 12));
    Label1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    for (int column = 1; column <= 4; ++column) {
        auto *box = new ImageBox(columns[column - 1], false, this);
        box->setObjectName(QStringLiteral("Picture%1(0)").arg(column + 6));
        box->setAccessibleName(tr("Stelle %1").arg(column));
        boxes[column - 1] = box;
    }

    const QFont comic = fonts::make(fonts::Family::ComicSans, 9.75);
    auto makeButton = [&](const char *name, const twips::Rect &where) {
        auto *button = new QPushButton(tr("&OK"), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(twips::rect(where));
        button->setFont(comic);
        button->setAutoDefault(true); // Enter presses the button that has the focus
        return button;
    };
    Command2 = makeButton("Command2", command2);
    Command2->hide();
    Command1 = makeButton("Command1", command1);
    connect(Command1, &QPushButton::clicked, this, &WinorLose::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &WinorLose::Command2_Click);
}

void WinorLose::formLoad()
{
    QStringList told;
    for (int column = 1; column <= 4; ++column) {
        const Global::Int colour = Global::secretColor(column);
        told << (colour >= 1 && colour <= 6 ? board::colourName(colour) : tr("leer"));
        if (colour < 1 || colour > 6)
            continue;
        QPixmap ring = picture::load(Global::ringFile(colour));
        // Without its picture the window would hide the very thing it is
        // there to reveal: a ball drawn here keeps the solution readable.
        if (ring.isNull())
            ring = ballpainter::ball(QColor::fromRgb(board::ballRgb[colour - 1]), twips::px(board::ringSize),
                                     std::max(1.0, picture::screenRatio()), colour);
        boxes[column - 1]->setPicture(ring);
        boxes[column - 1]->setAccessibleValue(board::colourName(colour));
    }
    // The window opens with the focus on its OK button: a screen reader
    // speaks the combination with it.
    //: What a screen reader hears with the OK button: the four colours, by commas
    const QString combination = tr("Die richtige Kombination: %1").arg(told.join(QStringLiteral(", ")));
    Command1->setAccessibleDescription(combination);
    Command2->setAccessibleDescription(combination);
}

void WinorLose::Command1_Click()
{
    Global::highscoreViewOnly = 0;
    // The highscore window loads now, while this window is still open, and
    // takes the attempt count of the game just won.
    showModeless<Form1>();
    Global::secretColor1 = Global::secretColor2 = Global::secretColor3 = Global::secretColor4 = 0;
    Form<WinorLose>::unload();
}

void WinorLose::Command2_Click()
{
    Global::restartPending = 1;
    Command2->hide();
    Command1->show();
    Form<WinorLose>::unload();
}

void WinorLose::Form_DblClick() { Form<WinorLose>::unload(); }

void WinorLose::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the background counts: a double click that the heading or a
    // picture lets through is theirs, and they do nothing with it.
    if (!childAt(event->position().toPoint()))
        Form_DblClick();
}
