// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// What the whole program is, set before its first window: its name, its font, its language, and the watch
// on keyboard and mouse. The tests set it up as the program does.
void setUpApplication();

// Shows the start window, the only window open when the program starts.
void startProgram();
