// The rules without windows: the code table, the scoring of a guess against
// a count of its own, and the draw of a code number.

#include "game/codetable.h"
#include "game/rules.h"

#include <QTest>
#include <algorithm>
#include <set>

using Lamps = std::array<bool, 4>;

class TestRules : public QObject
{
    Q_OBJECT
private slots:
    // Every number but 32 and the ten that move up by ten lists four
    // different colours, exactly those the absent-colour lookup leaves.
    void codeTable()
    {
        std::set<codetable::Combination> distinct;
        for (int n = 0; n <= 307; ++n) {
            const bool listed = n >= 1 && n <= 306 && n != 32 && (n < 167 || n > 176);
            QVERIFY2(codetable::listed(n).has_value() == listed, qPrintable(QString::number(n)));
            QCOMPARE(codetable::entry(n).has_value(), listed || n == 32);
            if (!listed)
                continue;
            const auto entry = *codetable::listed(n);
            const rules::AbsentPair absent = rules::absentColours(n);
            std::set<int> expected{1, 2, 3, 4, 5, 6};
            expected.erase(absent.first);
            expected.erase(absent.second);
            QVERIFY2(std::set<int>(entry.begin(), entry.end()) == expected, qPrintable(QString::number(n)));
            distinct.insert(entry);
        }
        QCOMPARE(int(distinct.size()), 216);
        QCOMPARE(*codetable::entry(32), *codetable::entry(31)); // 32 hides what its neighbours hide
        QCOMPARE(*codetable::entry(32), *codetable::entry(33));
        QCOMPARE(*codetable::entry(1), (codetable::Combination{1, 2, 3, 4}));
        QCOMPARE(*codetable::entry(180), (codetable::Combination{4, 3, 6, 2}));
        QCOMPARE(*codetable::entry(306), (codetable::Combination{1, 6, 5, 3}));
    }

    // Every guess against every hidden combination: right places counted,
    // repeated colours found, and for four different colours the right-hand
    // lamps lit from the left, one for each colour both share.
    void evaluationAgreesWithACountOverEveryGuess()
    {
        for (int n = 1; n <= 306; ++n) {
            const auto secret = codetable::entry(n).value_or(codetable::entry(n + 10).value_or(codetable::Combination{}));
            for (int code = 0; code < 6 * 6 * 6 * 6; ++code) {
                const rules::Colours guess{Global::Int(code % 6 + 1), Global::Int(code / 6 % 6 + 1),
                                           Global::Int(code / 36 % 6 + 1), Global::Int(code / 216 + 1)};
                const bool different = std::set<int>(guess.begin(), guess.end()).size() == 4;
                int shared = 0, places = 0;
                for (int colour = 1; colour <= 6; ++colour)
                    shared += int(std::min(std::count(guess.begin(), guess.end(), colour),
                                           std::count(secret.begin(), secret.end(), colour)));
                for (int i = 0; i < 4; ++i)
                    places += guess[i] == secret[i];
                Lamps lamps{}, expected{};
                std::fill_n(expected.begin(), shared, true);
                if (different)
                    rules::lightRightColours(lamps, guess, rules::absentColours(n + (n >= 167 && n <= 176) * 10));
                if (rules::allDifferent(guess) != different || rules::countExactMatches(guess, secret) != places
                    || (different && lamps != expected))
                    QFAIL(qPrintable(QStringLiteral("code number %1, guess %2").arg(n).arg(code)));
            }
        }
        // An empty column (0) is no absent colour; lamps once lit stay lit
        // but for the third, which a pair of absent colours darkens.
        Lamps lamps{};
        rules::lightRightColours(lamps, {0, 1, 2, 3}, {5, 6});
        QCOMPARE(lamps, (Lamps{true, true, true, true}));
        rules::lightRightColours(lamps, {5, 6, 1, 2}, {5, 6});
        QCOMPARE(lamps, (Lamps{true, true, false, true}));
    }

    // Pearson's chi-square over 306 cells, 305 degrees of freedom: the 99.9th
    // percentile is about 396. Rounding instead of floor, a modulo bias or a
    // seed that ignores its low bits lands far above.
    void drawIsEvenOverOneToThreeHundredSix()
    {
        constexpr int draws = 306 * 400;
        std::vector<int> counts(307);
        for (int i = 0; i < draws; ++i) {
            const int n = rules::drawCodeNumber(12ull * 3600 * 1000000000ull + std::uint64_t(i) * 1000); // a µs apart
            QVERIFY(n >= 1 && n <= 306);
            ++counts[n];
        }
        double chi = 0;
        for (int n = 1; n <= 306; ++n)
            chi += (counts[n] - draws / 306.0) * (counts[n] - draws / 306.0) / (draws / 306.0);
        QVERIFY2(chi < 396, qPrintable(QStringLiteral("chi-square %1").arg(chi)));
        const auto seed = rules::timeOfDaySeed();
        QTest::qSleep(2);
        QVERIFY(rules::timeOfDaySeed() != seed && seed < 86400ull * 1000000000ull);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
