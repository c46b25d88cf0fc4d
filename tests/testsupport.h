// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// Shared by the widget tests: a scratch play directory with the ring pictures,
// a recorder for messages, a fresh game state, and real clicks on the board.

#include "game/brain.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace testsupport {

// A fresh working directory holding the six ring pictures and their @2x
// copies; the old one comes back with it.
class PlayDir
{
public:
    PlayDir();
    ~PlayDir();
    QString path() const { return dir.path(); }
    QString file(const QString &name) const { return dir.filePath(name); }

private:
    QTemporaryDir dir;
    QString previous;
};

// Records every message instead of showing a box; `onMessage` runs while it would be on screen.
struct Messages {
    Messages();
    ~Messages();
    QStringList texts;
    std::function<void(const QString &)> onMessage;
};

bool resetGlobal(); // every game state variable back to its start value; false if one was not there
void unloadAll();   // every window unloaded and destroyed
void settle();      // deferred deletions and window-system events run
Brain *openBoard(); // loaded and shown as "&Start" does
Brain *currentBoard();
Brain *startGame(); // a board opened and its game begun, with code number 1: red, green, orange, yellow
// Attempts with code 1's colours in the wrong places, the last one right with `win`.
void playAttempts(int attempts, bool win = false);
QString ringName(int colour);                           // "rot2ring.jpg" .. "weißring.jpg"
void place(const std::array<int, 4> &colours, int row); // real clicks; 0 leaves a column alone
void placeOne(int colour, int column, int row);
void typeText(QWidget *widget, const QString &text); // any characters, key by key
void click(QWidget *widget);                         // left click in the middle
QString lampPattern(int row, bool left);             // lit lamps of a row, "1100"

// Each test function starts from a fresh program in its own play directory,
// with messages recorded, and must leave no window open.
class GameTest : public QObject
{
    Q_OBJECT
protected slots:
    void init();
    void cleanup();

protected:
    std::unique_ptr<PlayDir> play;
    std::unique_ptr<Messages> messages;
};

} // namespace testsupport
