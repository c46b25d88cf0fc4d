// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// Playing on the board: picking colours, placing balls, evaluating a guess
// and opening the next attempt.

#include "common/form.h"
#include "common/messages.h"
#include "common/picture.h"
#include "game/boarddesign.h"
#include "game/brain.h"
#include "results/winorlose.h"
#include "rules/codetable.h"
#include "rules/global.h"
#include "rules/rules.h"

#include <QAccessible>
#include <QMenu>
#include <QPushButton>

void Brain::paletteClick(int n)
{
    Global::selectedColor = static_cast<Global::Int>(n);
    Global::pointerPending = static_cast<Global::Int>(n);
    // The pointer shows the pick to the eye; the checked ball tells the ear.
    for (int colour = 1; colour <= 6; ++colour)
        paletteImage(colour)->setAccessibleChecked(colour == n);
    //: Said when a colour is picked from the palette
    announcer->say(tr("%1 gewählt").arg(board::colourName(n)));
}

void Brain::Form_MouseMove()
{
    // Picking a colour only arms the pointer; it changes at the next movement,
    // once, however often the colour was picked.
    if (Global::pointerPending >= 1 && Global::pointerPending <= 6)
        setMousePointer(CustomPointer);
    Global::pointerPending = 0;
}

bool Brain::ringClick(int column, int row)
{
    bool placed = false;
    const Global::Int colour = Global::selectedColor;
    if (colour >= 1 && colour <= 6) {
        // Read from the working directory at every placement: the player may
        // swap the pictures while the game runs.
        const QString &file = Global::ringFile(colour);
        QString reason;
        const QPixmap ball = picture::load(file, &reason);
        if (ball.isNull()) {
            messages::show(picture::failureMessage(file, reason));
        } else {
            ring(column, row)->setPicture(ball);
            ring(column, row)->setAccessibleValue(board::colourName(colour));
            Global::guessColor(column) = colour;
            if (column == 4)
                Command1->setEnabled(true);
            // The row is known from the hole the focus was on.
            announcer->say(tr("Spalte %1: %2").arg(column).arg(ring(column, row)->accessibleValue()));
            placed = true;
        }
    }
    setMousePointer(DefaultPointer);
    return placed;
}

void Brain::Command2_Click()
{
    using Global::attemptNumber;
    mnulösung->setEnabled(true);
    mnuschwieriggrad->menuAction()->setEnabled(false);
    //: The same caption as " &Nächster Versuch", now without its blank and access key
    Command2->setText(tr("Nächster Versuch"));
    ++attemptNumber;

    // Past the tenth attempt (possible only without a level) the rows stay as
    // they are, but row 0 opens beside the last.
    const bool rowsFollow = attemptNumber >= 1 && attemptNumber <= board::rows;
    setRowEnabled(rowsFollow ? int(attemptNumber) - 1 : 0, true);
    // The focus moves on to the open row before the button that may hold it
    // is disabled, so screen readers hear one move, straight to the row; and
    // before the other rows close and the palette opens, some 40 changes at
    // the first attempt that the reader would otherwise go through, in
    // order, before it spoke the hole.
    updateKeyboardStops();
    focusOpenRow();
    for (int n = 1; n <= board::colours; ++n)
        paletteImage(n)->setEnabled(true);
    for (int row = 0; rowsFollow && row < board::rows; ++row)
        setRowEnabled(row, row == attemptNumber - 1);
    Command2->setEnabled(false);

    if (Global::codeNumber >= codetable::gapFirst && Global::codeNumber <= codetable::gapLast) {
        Global::codeNumber += codetable::gapShift;
        messages::show(tr("Das klappt !"));
    }
    if (const auto combination = codetable::entry(Global::codeNumber)) {
        for (int column = 1; column <= 4; ++column)
            Global::secretColor(column) = (*combination)[column - 1];
    }
}

void Brain::Command1_Click()
{
    using namespace Global;
    const rules::Colours guess{guessColor1, guessColor2, guessColor3, guessColor4};
    const rules::Colours secret{secretColor1, secretColor2, secretColor3, secretColor4};

    if (!rules::allDifferent(guess)) {
        messages::show(tr("Vier verschiedene Farben auswählen !"));
        focusOpenRow();
        return;
    }

    if (attemptNumber >= 2 && attemptNumber <= 10)
        currentRow = static_cast<Int>(attemptNumber - 1);

    const rules::AbsentPair absent = rules::absentColours(codeNumber);
    absentColor1 = absent.first;
    absentColor2 = absent.second;

    std::array<bool, 4> right{};
    for (int i = 0; i < 4; ++i)
        right[i] = lamp(5 + i, currentRow)->fillColor() == board::lampRed;
    rules::lightRightColours(right, guess, absent);
    for (int i = 0; i < 4; ++i)
        lamp(5 + i, currentRow)->setFillColor(right[i] ? board::lampRed : board::lampGrey);

    exactMatches = static_cast<Int>(exactMatches + rules::countExactMatches(guess, secret));
    for (int shape = 1; shape <= exactMatches; ++shape)
        lamp(shape, currentRow)->setFillColor(board::lampRed);
    // A hole left empty is scored all the same, with whatever the guess
    // held there before; the ear is told it was empty, as the eye sees.
    QStringList report;
    for (int column = 1; column <= board::columns; ++column) {
        if (ring(column, currentRow)->picture().isNull())
            report << tr("Spalte %1 leer.").arg(column);
    }
    announcer->say((report << lampReport(currentRow)).join(u' '));

    if (exactMatches == 4) {
        messages::show(tr("Code geknackt !"));
        restartPending = 1;
        showModeless<WinorLose>();
    }

    for (int column = 1; column <= 4; ++column)
        ring(column, currentRow)->setMousePointer(NoDropPointer);

    // A loss replaces this board by a fresh one before the game goes on, so
    // from here on the board is reached through its slot, never through this.
    struct Loss {
        const Int &flag;
        int lastAttempt;
        const char *lost;
        const char *again;
    };
    const Loss losses[] = {
        {hardMode, 8, QT_TR_NOOP("Code leider nicht geknackt !"), QT_TR_NOOP("Probier es nochmal !")},
        {easyMode, 10, QT_TR_NOOP("Code nicht geknackt !"), QT_TR_NOOP("Probier es nochmal !")},
        {superMode, 5, QT_TR_NOOP("Code nicht geknackt!"), QT_TR_NOOP("Probier es nochmal!")},
    };
    for (const Loss &loss : losses) {
        if (loss.flag == 1 && attemptNumber == loss.lastAttempt && exactMatches < 4) {
            messages::show(tr(loss.lost));
            newGame();
            attemptNumber = 0;
            messages::show(tr(loss.again));
        }
    }

    exactMatches = 0;
    Brain *current = Form<Brain>::instance();
    current->Command2->setEnabled(true);
    current->Command2->setFocus(Qt::OtherFocusReason); // the next attempt, or a new game
    current->Command1->setEnabled(false);
}
