// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// The rules without windows, checked against counts of their own. This test
// links the rules alone: a rule that came to need a window would not build.

#include "rules/codetable.h"
#include "rules/global.h"
#include "rules/rules.h"

#include <QTest>
#include <set>

using Lamps = std::array<bool, 4>;

namespace {

QString colourNames(const auto &colours)
{
    static const char *const names[] = {"none", "red", "green", "orange", "yellow", "blue", "white"};
    QStringList spelt;
    for (const int colour : colours)
        spelt << (colour >= 0 && colour <= 6 ? names[colour] : "?");
    return spelt.join(u' ');
}

// Whether a guess's colours differ, its right places and its right-hand lamps.
QString told(bool different, int places, const Lamps &lamps)
{
    QString lit;
    for (const bool lamp : lamps)
        lit += lamp ? u'*' : u'o';
    return QStringLiteral("%1, %2 right places, lamps %3")
        .arg(different ? "all different" : "a colour repeated")
        .arg(places)
        .arg(lit);
}

} // namespace

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    // Every number but 32 and the ten that move up by ten lists its own combination, 216 in
    // all; every guess against each: right places counted, repeated colours found, and for
    // four different colours the right-hand lamps lit from the left, one for each colour
    // both share (so the absent colours looked up are exactly those the combination lacks).
    void rulesAgreeWithACountOverEveryGuess()
    {
        std::set<codetable::Combination> distinct;
        for (int n = 0; n <= 307; ++n) {
            const bool listed = n >= 1 && n <= 306 && n != 32 && (n < 167 || n > 176);
            QVERIFY2(codetable::listed(n).has_value() == listed, qPrintable(QString::number(n)));
            QCOMPARE(codetable::entry(n).has_value(), listed || n == 32);
            if (n < 1 || n > 306)
                continue;
            const auto secret =
                codetable::entry(n).value_or(codetable::entry(n + 10).value_or(codetable::Combination{}));
            distinct.insert(secret);
            for (int code = 0; code < 6 * 6 * 6 * 6; ++code) {
                const rules::Colours guess{Global::Int(code % 6 + 1), Global::Int(code / 6 % 6 + 1),
                                           Global::Int(code / 36 % 6 + 1), Global::Int(code / 216 + 1)};
                const bool different = std::set(guess.begin(), guess.end()).size() == 4;
                int shared = 0, places = 0;
                for (int colour = 1; colour <= 6; ++colour)
                    shared += int(std::min(std::count(guess.begin(), guess.end(), colour),
                                           std::count(secret.begin(), secret.end(), colour)));
                for (int i = 0; i < 4; ++i)
                    places += guess[i] == secret[i];
                Lamps lamps{}, expected{};
                std::fill_n(expected.begin(), different ? shared : 0, true);
                if (different)
                    rules::lightRightColours(lamps, guess,
                                             rules::absentColours(n + (n >= 167 && n <= 176) * 10));
                const QString seen =
                    told(rules::allDifferent(guess), rules::countExactMatches(guess, secret), lamps);
                if (const QString want = told(different, places, expected); seen != want)
                    QFAIL(qPrintable(QStringLiteral("code number %1 hides %2; guess %3: %4, not %5")
                                         .arg(n)
                                         .arg(colourNames(secret), colourNames(guess), seen, want)));
            }
        }
        QCOMPARE(int(distinct.size()), 216);
        QCOMPARE(*codetable::entry(32), *codetable::entry(31)); // 32 hides what its neighbours hide
        QCOMPARE(*codetable::entry(32), *codetable::entry(33));
    }

    // Pearson's chi-square over 306 cells, 305 degrees of freedom: the 99.9th
    // percentile is about 396. Rounding instead of floor, a modulo bias or a
    // seed that ignores its low bits lands far above.
    void drawIsEvenOverOneToThreeHundredSix()
    {
        std::vector<int> counts(307);
        for (int i = 0; i < 306 * 400; ++i) // draws a microsecond apart
            ++counts.at(rules::drawCodeNumber(12ull * 3600 * 1000000000ull + std::uint64_t(i) * 1000));
        double chi = 0;
        for (int n = 1; n <= 306; ++n)
            chi += (counts[n] - 400.0) * (counts[n] - 400.0) / 400.0;
        QCOMPARE(counts[0], 0);
        QVERIFY2(chi < 396, qPrintable(QStringLiteral("chi-square %1 over 305 degrees of freedom").arg(chi)));
        const auto seed = rules::timeOfDaySeed();
        QTest::qSleep(2);
        QVERIFY2(rules::timeOfDaySeed() != seed, "the seed did not change in 2 ms");
        QVERIFY2(seed < 86400ull * 1000000000ull, "the seed is no time of day in nanoseconds");
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "test_rules.moc"
