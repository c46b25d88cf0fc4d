// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "rules/rules.h"

#include <chrono>
#include <random>

namespace rules {

std::uint64_t timeOfDaySeed()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto midnight = floor<days>(now);
    return static_cast<std::uint64_t>(duration_cast<nanoseconds>(now - midnight).count());
}

Global::Int drawCodeNumber(std::uint64_t seed)
{
    std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
    std::mt19937 generator(sequence);
    // uniform_int_distribution over a 32-bit engine rejects the uneven tail,
    // so every number is exactly equally likely.
    std::uniform_int_distribution<int> number(1, 306);
    return static_cast<Global::Int>(number(generator));
}

AbsentPair absentColours(int codeNumber)
{
    struct Range {
        int last;
        AbsentPair absent;
    };
    static constexpr Range ranges[] = {
        {23, {5, 6}},  {45, {4, 6}},  {65, {3, 6}},  {89, {1, 6}},  {115, {2, 6}},
        {130, {4, 5}}, {156, {3, 5}}, {190, {1, 5}}, {216, {2, 5}}, {231, {1, 4}},
        {257, {2, 3}}, {281, {1, 2}}, {306, {2, 4}},
    };
    for (const Range &range : ranges) {
        if (codeNumber <= range.last)
            return range.absent;
    }
    return {0, 0}; // beyond the table: no colour is known to be absent
}

bool allDifferent(const Colours &guess)
{
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (guess[i] == guess[j])
                return false;
    return true;
}

void lightRightColours(std::array<bool, 4> &lamps, const Colours &guess, AbsentPair absent)
{
    const auto isAbsent = [&](Global::Int colour) {
        return colour == absent.first || colour == absent.second;
    };
    bool holdsAbsent = false;
    for (Global::Int colour : guess)
        holdsAbsent = holdsAbsent || isAbsent(colour);

    lamps[0] = lamps[1] = lamps[2] = true;
    if (!holdsAbsent)
        lamps[3] = true;

    // Column pairs in the order they are checked; guesses hold four different
    // colours, so at most one pair can hold both absent colours.
    static constexpr std::array<std::array<int, 2>, 6> pairs{
        {{0, 1}, {0, 3}, {0, 2}, {2, 3}, {1, 2}, {1, 3}}};
    for (const auto &[a, b] : pairs) {
        const Global::Int x = guess[a], y = guess[b];
        if ((x == absent.first && y == absent.second) || (x == absent.second && y == absent.first)) {
            lamps[0] = lamps[1] = true;
            lamps[2] = false;
        }
    }
}

int countExactMatches(const Colours &guess, const Colours &secret)
{
    int matches = 0;
    for (int i = 0; i < 4; ++i)
        matches += guess[i] == secret[i];
    return matches;
}

} // namespace rules
