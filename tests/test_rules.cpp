// The rules without windows: the code table, the scoring of a guess against
// a count of its own, and the draw of a code number.

#include "game/codetable.h"
#include "game/rules.h"

#include <QTest>
#include <algorithm>
#include <set>

using Lamps = std::array<bool, 4>;
using Guesses = QList<rules::Colours>;

class TestRules : public QObject
{
    Q_OBJECT
private slots:
    // Every number but 32 and the ten that move up by ten lists four
    // different colours; each range of the absent-colour lookup holds exactly
    // the combinations without those two; 216 different combinations in all.
    void codeTable()
    {
        int listed = 0;
        std::set<codetable::Combination> distinct;
        for (int n = 0; n <= 307; ++n) {
            const bool listedHere = n >= 1 && n <= 306 && n != 32 && (n < 167 || n > 176);
            QVERIFY2(codetable::listed(n).has_value() == listedHere, qPrintable(QString::number(n)));
            QCOMPARE(codetable::entry(n).has_value(), listedHere || n == 32);
            if (!codetable::entry(n))
                continue;
            const auto entry = *codetable::entry(n);
            listed += listedHere;
            distinct.insert(entry);
            const rules::AbsentPair absent = rules::absentColours(n);
            std::set<int> expected{1, 2, 3, 4, 5, 6};
            expected.erase(absent.first);
            expected.erase(absent.second);
            QVERIFY2(std::set<int>(entry.begin(), entry.end()) == expected, qPrintable(QString::number(n)));
        }
        QCOMPARE(listed, 295);
        QCOMPARE(int(distinct.size()), 216);
        QCOMPARE(*codetable::entry(32), *codetable::entry(31)); // 32 hides what its neighbours hide
        QCOMPARE(*codetable::entry(32), *codetable::entry(33));
        QCOMPARE(*codetable::entry(1), (codetable::Combination{1, 2, 3, 4}));
        QCOMPARE(*codetable::entry(180), (codetable::Combination{4, 3, 6, 2}));
        QCOMPARE(*codetable::entry(306), (codetable::Combination{1, 6, 5, 3}));
    }

    // Every guess of four different colours against every hidden combination:
    // right-hand lamps lit from the left, as many as the colours both share
    // (counted colour by colour), left-hand count the right places.
    void evaluationAgreesWithACountOverEveryGuess()
    {
        for (int n = 1; n <= 306; ++n) {
            if (!codetable::entry(n))
                continue; // moved up by ten before the game looks at it
            const auto secret = *codetable::entry(n);
            for (int code = 0; code < 6 * 6 * 6 * 6; ++code) {
                const rules::Colours guess{Global::Int(code % 6 + 1), Global::Int(code / 6 % 6 + 1),
                                           Global::Int(code / 36 % 6 + 1), Global::Int(code / 216 + 1)};
                const bool different = std::set<int>(guess.begin(), guess.end()).size() == 4;
                if (rules::allDifferent(guess) != different)
                    QFAIL("four different colours");
                int shared = 0, places = 0;
                for (int colour = 1; colour <= 6; ++colour)
                    shared += int(std::min(std::count(guess.begin(), guess.end(), colour),
                                           std::count(secret.begin(), secret.end(), colour)));
                for (int i = 0; i < 4; ++i)
                    places += guess[i] == secret[i];
                if (rules::countExactMatches(guess, secret) != places)
                    QFAIL(qPrintable(QStringLiteral("number %1: right places").arg(n)));
                if (!different)
                    continue;
                Lamps lamps{};
                rules::lightRightColours(lamps, guess, rules::absentColours(n));
                Lamps expected{};
                std::fill_n(expected.begin(), shared, true);
                if (lamps != expected)
                    QFAIL(qPrintable(QStringLiteral("number %1, guess %2: right colours").arg(n).arg(code)));
            }
        }
    }

    // Lamps once lit stay lit but for the third, and an empty column (0) is
    // never an absent colour.
    void lampsOverSeveralEvaluations_data()
    {
        QTest::addColumn<Guesses>("guesses");
        QTest::addColumn<Lamps>("lamps");
        QTest::newRow("empty column") << Guesses{{0, 1, 2, 3}} << Lamps{true, true, true, true};
        QTest::newRow("pair after four") << Guesses{{1, 2, 3, 4}, {5, 6, 1, 2}} << Lamps{true, true, false, true};
        QTest::newRow("one after pair") << Guesses{{6, 1, 2, 5}, {1, 2, 3, 6}} << Lamps{true, true, true, false};
    }
    void lampsOverSeveralEvaluations()
    {
        QFETCH(Guesses, guesses);
        Lamps lamps{};
        for (const rules::Colours &guess : guesses)
            rules::lightRightColours(lamps, guess, {5, 6});
        QTEST(lamps, "lamps");
    }

    // Pearson's chi-square over 306 cells, 305 degrees of freedom: the 99.9th
    // percentile is about 396. Rounding instead of floor, a modulo bias or a
    // seed that ignores its low bits lands far above.
    void drawIsEvenOverOneToThreeHundredSix()
    {
        constexpr int draws = 306 * 400;
        std::vector<int> counts(308);
        const std::uint64_t noon = 12ull * 3600 * 1000000000ull;
        for (int i = 0; i < draws; ++i) {
            const int n = rules::drawCodeNumber(noon + std::uint64_t(i) * 1000); // a microsecond apart
            QVERIFY(n >= 1 && n <= 306);
            ++counts[n];
        }
        double chi = 0;
        for (int n = 1; n <= 306; ++n)
            chi += (counts[n] - draws / 306.0) * (counts[n] - draws / 306.0) / (draws / 306.0);
        QVERIFY2(chi < 396, qPrintable(QStringLiteral("chi-square %1").arg(chi)));
        const auto a = rules::timeOfDaySeed();
        QTest::qSleep(2);
        QVERIFY(rules::timeOfDaySeed() != a && a < 86400ull * 1000000000ull);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
