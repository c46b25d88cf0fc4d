// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// The difficulty levels and the solution display of the options menu.

#include "common/form.h"
#include "common/screenreader.h"
#include "game/brain.h"
#include "results/winorlose.h"
#include "rules/global.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

void Brain::mnueinfach_Click()
{
    for (int n = 3; n <= 8; ++n)
        mask(n)->hide();
    Global::hardMode = 0;
    Global::superMode = 0;
    Global::easyMode = 1;
    for (int row = 5; row <= 9; ++row)
        setRowEnabled(row, true);
    // Our choice: "Einfach" marks itself like the other two levels do, so the
    // menu always tells which level is in force.
    mnueinfach->setChecked(true);
    mnuschwer->setChecked(false);
    mnusuperbrain->setChecked(false);
    announceMasks(mnueinfach);
}

void Brain::mnuschwer_Click()
{
    for (int n : {3, 5, 8})
        mask(n)->show();
    for (int n : {6, 4, 7})
        mask(n)->hide();
    mnuschwer->setChecked(true);
    mnueinfach->setChecked(false);
    mnusuperbrain->setChecked(false);
    // easyMode stays as an earlier choice left it; the tighter limit of
    // "Schwer" ends the game first anyway.
    Global::hardMode = 1;
    Global::superMode = 0;
    for (int row = 5; row <= 7; ++row)
        setRowEnabled(row, true);
    for (int row = 8; row <= 9; ++row)
        setRowEnabled(row, false);
    announceMasks(mnuschwer);
}

void Brain::mnusuperbrain_Click()
{
    for (int n : {3, 4, 5, 6, 7})
        mask(n)->show();
    Global::superMode = 1;
    Global::hardMode = 0;
    mnusuperbrain->setChecked(true);
    mnueinfach->setChecked(false);
    mnuschwer->setChecked(false);
    for (int row = 5; row <= 9; ++row)
        setRowEnabled(row, false);
    announceMasks(mnusuperbrain);
}

// The holes and lamps a mask comes over or leaves are told to assistive
// technology, which otherwise goes on reading what no one can see; and the
// player hears the level now checked, with the rows the masks hide.
void Brain::announceMasks(const QAction *level)
{
    QList<int> hidden;
    for (int row = 0; row < 10; ++row) {
        for (int column = 1; column <= 4; ++column)
            screenreader::announceVisibilityChange(ring(column, row));
        for (const int first : {1, 5}) // the lamps that speak for their groups
            screenreader::announceVisibilityChange(lamp(first, row));
        if (screenreader::isCoveredBySiblings(ring(1, row)))
            hidden << row + 1;
    }
    const QString rows = hidden.isEmpty() ? tr("keine Reihe abgedeckt")
                         : hidden.size() == 1
                             ? tr("Reihe %1 abgedeckt").arg(hidden.front())
                             : tr("Reihen %1 bis %2 abgedeckt").arg(hidden.front()).arg(hidden.back());
    //: A level just checked ("Schwer") and the rows its masks cover
    announcer->say((level->isChecked() ? tr("%1 gewählt, %2") : tr("%1, %2")).arg(level->text(), rows));
}

void Brain::mnuLösung_Click()
{
    // Touching the result window loads it, and its load steps put the hidden
    // combination on show before it appears.
    WinorLose *result = Form<WinorLose>::instance();
    result->Command1->hide();
    result->Command2->show();
    Global::highscoreViewOnly = 1;
    showModeless<WinorLose>();
}
