// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// Playing by keyboard. Beside the two buttons, the palette and the open row
// are a tab stop each, and the arrow keys move within them. Space or Enter
// works as a click; a digit 1 to 6 on a hole picks that colour and places it
// at once, so a ball costs one key. On a button a digit places in the open
// row's first empty hole, or says why it cannot. After every placement the
// focus moves on to where the player goes next, and screen readers hear what
// changed.

#include "common/form.h"
#include "game/boarddesign.h"
#include "game/brain.h"
#include "rules/global.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <vector>

namespace {

int digitColour(int key) { return key >= Qt::Key_1 && key <= Qt::Key_6 ? key - Qt::Key_0 : 0; }

int arrowStep(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return -1;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return 1;
    default:
        return 0;
    }
}

bool isPress(int key) { return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter; }

// The member of `group` that lies `step` places from `from`, round the end.
QWidget *neighbour(const std::vector<QWidget *> &group, QWidget *from, int step)
{
    const auto at = std::find(group.begin(), group.end(), from);
    if (group.empty() || at == group.end())
        return from;
    const auto size = static_cast<std::ptrdiff_t>(group.size());
    return group[static_cast<std::size_t>(((at - group.begin()) + step + size) % size)];
}

} // namespace

int Brain::openRow() const
{
    // Past the tenth attempt, possible only without a level, the evaluation
    // stays in the last row, so the keyboard does too.
    if (Global::attemptNumber < 1)
        return -1;
    return std::min<int>(Global::attemptNumber, board::rows) - 1;
}

void Brain::takeKeyboard(ImageBox *box) { box->installEventFilter(this); }

void Brain::updateKeyboardStops()
{
    // Tab reaches the palette and the open row once a game has started; a
    // click on them leaves the focus where it was.
    for (int n = 1; n <= board::colours; ++n)
        paletteImage(n)->setFocusPolicy(Qt::TabFocus);
    const int open = openRow();
    for (int row = 0; row < board::rows; ++row) {
        for (int column = 1; column <= board::columns; ++column)
            ring(column, row)->setFocusPolicy(row == open ? Qt::TabFocus : Qt::NoFocus);
    }
}

void Brain::focusOpenRow()
{
    const int row = openRow();
    if (row < 0)
        return;
    // Where the guess goes on: the first hole still empty, else the first
    // that repeats a colour, else the first.
    QStringList seen;
    for (int column = 1; column <= board::columns; ++column) {
        if (ring(column, row)->picture().isNull())
            return ring(column, row)->setFocus(Qt::OtherFocusReason);
    }
    for (int column = 1; column <= board::columns; ++column) {
        if (seen.contains(ring(column, row)->accessibleValue()))
            return ring(column, row)->setFocus(Qt::OtherFocusReason);
        seen << ring(column, row)->accessibleValue();
    }
    ring(1, row)->setFocus(Qt::OtherFocusReason);
}

QString Brain::whyNoBallFits() const
{
    const int row = openRow();
    if (row < 0)
        return tr("Erst Spiel beginnen");
    if (Command2->isEnabled())
        return tr("Reihe %1 ist gezeigt, weiter mit Nächster Versuch").arg(row + 1);
    return tr("Reihe %1 ist voll").arg(row + 1);
}

QString Brain::whyNotShown() const
{
    if (openRow() >= 0 && !Command2->isEnabled())
        return tr("Zeigen erst mit einer Kugel in Spalte 4");
    return whyNoBallFits();
}

void Brain::keyPressEvent(QKeyEvent *event)
{
    // Digits the focused button or the board's surface left alone.
    const int colour = digitColour(event->key());
    if (!colour || (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)))
        return QMainWindow::keyPressEvent(event);
    const int row = openRow();
    for (int column = 1; row >= 0 && !Command2->isEnabled() && column <= board::columns; ++column) {
        if (ring(column, row)->picture().isNull()) {
            paletteClick(colour);
            placeAndMoveOn(column, row);
            return;
        }
    }
    announcer->say(whyNoBallFits());
}

void Brain::placeAndMoveOn(int column, int row)
{
    if (!ringClick(column, row))
        return;
    if (column < board::columns)
        ring(column + 1, row)->setFocus(Qt::OtherFocusReason);
    else if (Command1->isEnabled())
        Command1->setFocus(Qt::OtherFocusReason);
}

bool Brain::focusNextPrevChild(bool next)
{
    auto usable = [](QWidget *w) { return w->isEnabled() && w->focusPolicy() != Qt::NoFocus; };
    // Tab goes round these groups in this order; within a group the arrows
    // move. The play button is Spiel beginnen or Nächster Versuch, the show
    // button Zeigen.
    enum Group { Palette, OpenRow, PlayButton, ShowButton, groups };
    std::vector<std::vector<QWidget *>> stops(groups);
    for (int n = 1; n <= board::colours; ++n) {
        if (usable(paletteImage(n)))
            stops[Palette].push_back(paletteImage(n));
    }
    if (const int row = openRow(); row >= 0) {
        for (int column = 1; column <= board::columns; ++column) {
            if (usable(ring(column, row)))
                stops[OpenRow].push_back(ring(column, row));
        }
    }
    for (QPushButton *button : {Command2, Command1}) {
        if (usable(button) && button->isVisible())
            stops[button == Command2 ? PlayButton : ShowButton].push_back(button);
    }
    const auto here = std::find_if(stops.begin(), stops.end(), [focus = focusWidget()](const auto &stop) {
        return std::find(stop.begin(), stop.end(), focus) != stop.end();
    });
    if (here == stops.end())
        return QMainWindow::focusNextPrevChild(next);
    const int count = int(stops.size());
    for (int i = 1; i <= count; ++i) {
        const int index = int((here - stops.begin()) + (next ? i : count - i)) % count;
        if (stops[index].empty())
            continue;
        const auto reason = next ? Qt::TabFocusReason : Qt::BacktabFocusReason;
        if (index == Palette && Global::selectedColor >= 1 && usable(paletteImage(Global::selectedColor)))
            paletteImage(Global::selectedColor)->setFocus(reason); // the palette opens at the pick
        else if (index == OpenRow)
            focusOpenRow();
        else
            stops[index].front()->setFocus(reason);
        return true;
    }
    return true;
}

bool Brain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Command1 && event->type() == QEvent::EnabledChange)
        greyedZeigen->setEnabled(!Command1->isEnabled());
    // The key hint is heard at the first hole the focus comes to, once a game.
    if (event->type() == QEvent::FocusOut && qobject_cast<ImageBox *>(watched)
        && std::find(palette.begin(), palette.end(), watched) == palette.end()) {
        // Only where a hint is left: every change is an event on the bus that
        // the screen reader must read before it answers the next key.
        for (const auto &holes : rings) {
            for (ImageBox *hole : holes) {
                if (!hole->accessibleDescription().isEmpty())
                    hole->setAccessibleDescription(QString());
            }
        }
    }
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
        return false; // the buttons' and menus' shortcuts work as before
    const int colour = digitColour(key->key());
    const int step = arrowStep(key->key());

    std::vector<QWidget *> balls;
    for (int n = 1; n <= board::colours; ++n)
        balls.push_back(paletteImage(n));
    if (const auto ball = std::find(balls.begin(), balls.end(), watched); ball != balls.end()) {
        const int n = int(ball - balls.begin()) + 1;
        std::erase_if(balls, [](QWidget *w) { return !w->isEnabled(); });
        if (step)
            neighbour(balls, paletteImage(n), step)->setFocus(Qt::OtherFocusReason);
        else if (colour || isPress(key->key())) {
            paletteClick(colour ? colour : n);
            focusOpenRow();
        }
        return step || colour || isPress(key->key());
    }

    const int row = openRow();
    for (int column = 1; row >= 0 && column <= board::columns; ++column) {
        if (watched != ring(column, row))
            continue;
        if (step) {
            std::vector<QWidget *> holes;
            for (int c = 1; c <= board::columns; ++c)
                holes.push_back(ring(c, row));
            neighbour(holes, ring(column, row), step)->setFocus(Qt::OtherFocusReason);
        } else if (colour || isPress(key->key())) {
            if (colour)
                paletteClick(colour);
            placeAndMoveOn(column, row);
        }
        return step || colour || isPress(key->key());
    }
    return false;
}

QString Brain::lampReport(int row) const
{
    auto lit = [&](int first) {
        int count = 0;
        for (int shape = first; shape < first + 4; ++shape)
            count += lamp(shape, row)->isLit();
        return count;
    };
    //: Said after a row is evaluated: the row, the lit lamps on the left, those on the right
    return tr("Reihe %1: richtige Positionen und Farben %2, richtige Farben %3")
        .arg(row + 1)
        .arg(lit(1))
        .arg(lit(5));
}
