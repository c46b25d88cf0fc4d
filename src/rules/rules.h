// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The rules that need no window: drawing a code number and scoring a guess.

#include "rules/global.h"

#include <array>
#include <cstdint>

namespace rules {

using Colours = std::array<Global::Int, 4>; // columns 1..4

// A seed from the time of day, fine enough (nanoseconds since midnight) that
// two games started within the same second still draw independently.
std::uint64_t timeOfDaySeed();

// A code number 1..306, each equally likely, from a freshly seeded generator.
Global::Int drawCodeNumber(std::uint64_t seed);

struct AbsentPair {
    Global::Int first, second;
};

// The two colours that the combinations of the code number's range leave out.
AbsentPair absentColours(int codeNumber);

bool allDifferent(const Colours &guess);

// Lights the right-hand lamps (Shape5..Shape8) for a guess of four different
// colours. The count follows from the absent pair alone: a guess holding
// neither lights four, one of them three, both two. Lamps are only ever
// turned on, except the third, which the pair step turns off again: a second
// evaluation of the same row can therefore leave a gap.
void lightRightColours(std::array<bool, 4> &lamps, const Colours &guess, AbsentPair absent);

int countExactMatches(const Colours &guess, const Colours &secret);

} // namespace rules
