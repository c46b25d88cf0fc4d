// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "rules/codetable.h"

#include <QtGlobal>

namespace codetable {

namespace {

// A run of consecutive numbers whose entries are permutations of the same
// four colours. Each entry is four digits, the colours of columns 1..4.
struct Run {
    int first, last;
    const char *entries;
};

// Within a run the order looks random and some permutations repeat (17 and
// 19, or 37, 42 and 44 hide the same colours): keep it exactly as it is, the
// draw of a number is only fair to each combination as the table stands.
constexpr Run table[] = {
    {1, 23,
     "1234 4321 1324 3214 2341 2431 2143 2134 3412 3421 3142 3124 3241 1243 1342 4312 4231 4213 4231 4123 "
     "4132 1432 1423"},
    {24, 31, "5123 5132 5231 5213 5321 5312 1235 1325"},
    {33, 45, "1325 3125 2135 3215 3251 3512 3521 3152 3125 3251 3215 3251 3512"},
    {46, 65,
     "5124 5142 5241 5214 5421 5412 4215 4251 4125 4152 4512 4521 4125 4152 1254 1245 1425 1452 1542 1524"},
    {66, 89,
     "5324 5342 5243 5234 5423 5432 4235 4253 4325 4352 4235 4253 4325 4352 4532 4523 4325 4352 3254 3245 "
     "3425 3452 3542 3524"},
    {90, 115,
     "5134 5143 5134 5143 5341 5314 5431 5413 4315 4351 4135 4153 4315 4351 4135 4153 4513 4531 4135 4153 "
     "1354 1345 1435 1453 1543 1534"},
    {116, 130, "1236 1326 1326 3126 2136 3216 3261 3612 3621 3162 3126 3261 3216 3261 3612"},
    {131, 156,
     "6124 6142 6124 6142 6241 6214 6421 6412 4216 4261 4126 4162 4216 4261 4126 4162 4612 4621 4126 4162 "
     "1264 1246 1426 1462 1642 1624"},
    {157, 166, "6324 6342 6243 6234 6423 6432 4236 4263 4326 4362"},
    {177, 190, "4236 4263 4326 4362 4632 4623 4326 4362 3264 3246 3426 3462 3642 3624"},
    {191, 216,
     "6134 6143 6134 6143 6341 6314 6431 6413 4316 4361 4136 4163 4316 4361 4136 4163 4613 4631 4136 4163 "
     "1364 1346 1436 1463 1643 1634"},
    {217, 231, "5236 5326 5326 3526 2536 3256 3265 3652 3625 3562 3526 3265 3256 3265 3652"},
    {232, 257,
     "6154 6145 6154 6145 6541 6514 6451 6415 4516 4561 4156 4165 4516 4561 4156 4165 4615 4651 4156 4165 "
     "1564 1546 1456 1465 1645 1654"},
    {258, 281,
     "6354 6345 6543 6534 6453 6435 4536 4563 4356 4365 4536 4563 4356 4365 4635 4653 4356 4365 3564 3546 "
     "3456 3465 3645 3654"},
    {282, 306,
     "6135 6153 6135 6153 6351 6315 6531 6513 5316 5361 5136 5163 5316 5361 5136 5163 5613 5631 5136 5163 "
     "1365 1356 1536 1563 1653"},
};

// 32 is drawn like any other number, but the table lists nothing for it.
// Without an entry such a game would hide no colours at all and could never
// be won. Its neighbours 31 and 33 both hide 1-3-2-5, so 32 hides the same:
// a combination of its group's colours that adds nothing new to the table.
constexpr Combination number32{1, 3, 2, 5};

constexpr std::array<std::optional<Combination>, lastNumber + 1> build()
{
    std::array<std::optional<Combination>, lastNumber + 1> byNumber{};
    for (const Run &run : table) {
        const char *p = run.entries;
        for (int n = run.first; n <= run.last; ++n) {
            Combination c{};
            for (auto &colour : c)
                colour = static_cast<Global::Int>(*p++ - '0');
            byNumber[n] = c;
            if (*p == ' ')
                ++p;
        }
    }
    return byNumber;
}

constexpr auto byNumber = build();

} // namespace

std::optional<Combination> listed(int number)
{
    if (number < firstNumber || number > lastNumber)
        return std::nullopt;
    return byNumber[number];
}

std::optional<Combination> entry(int number)
{
    if (number == 32)
        return number32;
    return listed(number);
}

} // namespace codetable
