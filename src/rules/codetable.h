// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The code table: the hidden combination for every code number. A number is
// drawn at the start of a game; the first attempt turns it into four colours.

#include "rules/global.h"

#include <array>
#include <optional>

namespace codetable {

using Combination = std::array<Global::Int, 4>; // colours of columns 1..4

inline constexpr int firstNumber = 1;
inline constexpr int lastNumber = 306;

// Numbers 167..176 have no entry of their own: they are moved up by ten.
inline constexpr int gapFirst = 167;
inline constexpr int gapLast = 176;
inline constexpr int gapShift = 10;

// The entry listed for a number; none for the gap and for 32.
std::optional<Combination> listed(int number);

// The combination a game with this number hides: the listed entry, or for 32,
// which the table skips, a combination of its group's colours.
std::optional<Combination> entry(int number);

} // namespace codetable
