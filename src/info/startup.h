// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// Shows the start window, the only window open when the program starts.
void startProgram();
