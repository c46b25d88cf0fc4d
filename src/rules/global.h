// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The game state: plain variables that every window reads and writes, living
// for the whole run. Integers are 16 bits wide and flags hold 0 or 1, as the
// rules were written for them.

#include <QString>
#include <cstdint>

namespace Global {

using Int = std::int16_t;

inline Int selectedColor = 0; // colour last picked, 1..6; 0 = none since the program started; survives games
inline Int pointerPending =
    0; // a colour was just picked; the board switches to the custom pointer at the next move
inline Int guessColor1 = 0; // colour last placed in ring column 1, whatever the row; 0 = none this game
inline Int guessColor2 = 0;
inline Int guessColor3 = 0;
inline Int guessColor4 = 0;
inline Int codeNumber = 0;   // 1..306, number of the hidden combination in the code table
inline Int secretColor1 = 0; // hidden colour of column 1; 0 until the first attempt looks it up
inline Int secretColor2 = 0;
inline Int secretColor3 = 0;
inline Int secretColor4 = 0;
inline Int attemptNumber = 0; // attempt in progress, 1..10 (more without a level); 0 = not started
inline Int currentRow = 0;    // board row of the attempt being evaluated
inline Int exactMatches = 0;  // right positions counted during an evaluation
inline Int absentColor1 = 0;  // the two colours the hidden combination lacks
inline Int absentColor2 = 0;
inline Int easyMode = 0;          // level "Einfach": lost after attempt 10
inline Int hardMode = 0;          // level "Schwer": lost after attempt 8
inline Int superMode = 0;         // level "Superbrain": lost after attempt 5
inline Int restartPending = 0;    // the board starts a new game when next activated
inline Int highscoreViewOnly = 0; // 1 = highscore window only shows the table; survives games
inline QString recordName1;       // highscore names for a win in 1..5 attempts; survive games
inline QString recordName2;
inline QString recordName3;
inline QString recordName4;
inline QString recordName5;
inline QString ringFile1; // bare file names of the ring pictures of colours 1..6
inline QString ringFile2;
inline QString ringFile3;
inline QString ringFile4;
inline QString ringFile5;
inline QString ringFile6;

// Column c (1..4) of the guess and of the hidden combination, and the ring
// picture of colour n (1..6); for the loops that walk them.
Int &guessColor(int column);
Int &secretColor(int column);
QString &ringFile(int colour);
QString &recordName(int attempts);

} // namespace Global
