// The rules that need no window: the code table, the absent colours, the
// scoring of a guess and the draw of a code number.

#include "game/codetable.h"
#include "game/rules.h"

#include <QTest>
#include <algorithm>
#include <map>
#include <set>

using codetable::Combination;

namespace {

std::set<int> coloursOf(const Combination &c) { return {c.begin(), c.end()}; }

// The usual mastermind count, independent of the program's pair lookup:
// right colours are the colours both hold, wherever they stand.
int oracleRightColours(const rules::Colours &guess, const Combination &secret)
{
    int count = 0;
    for (int colour = 1; colour <= 6; ++colour) {
        const auto g = std::count(guess.begin(), guess.end(), colour);
        const auto s = std::count(secret.begin(), secret.end(), colour);
        count += static_cast<int>(std::min(g, s));
    }
    return count;
}

std::vector<rules::Colours> allGuessesOfFourDifferentColours()
{
    std::vector<rules::Colours> guesses;
    for (int a = 1; a <= 6; ++a)
        for (int b = 1; b <= 6; ++b)
            for (int c = 1; c <= 6; ++c)
                for (int d = 1; d <= 6; ++d) {
                    rules::Colours g{Global::Int(a), Global::Int(b), Global::Int(c), Global::Int(d)};
                    if (rules::allDifferent(g))
                        guesses.push_back(g);
                }
    return guesses;
}

} // namespace

class TestRules : public QObject
{
    Q_OBJECT
private slots:
    // A mistyped entry would break one of these; none restates the table.
    void codeTableShape()
    {
        int listed = 0;
        std::set<Combination> distinct;
        for (int n = codetable::firstNumber; n <= codetable::lastNumber; ++n) {
            const auto entry = codetable::listed(n);
            const bool expected = n != 32 && (n < codetable::gapFirst || n > codetable::gapLast);
            QVERIFY2(entry.has_value() == expected, qPrintable(QString::number(n)));
            if (!entry)
                continue;
            ++listed;
            distinct.insert(*entry);
            QVERIFY2(coloursOf(*entry).size() == 4, "an entry repeats a colour");
            for (int colour : *entry)
                QVERIFY(colour >= 1 && colour <= 6);
        }
        QCOMPARE(listed, 295);
        QCOMPARE(int(distinct.size()), 216);
        QCOMPARE(int(codetable::runs().size()), 15);
    }

    // Each range shares one set of four colours, and the evaluation's absent
    // pair is exactly what those four leave out.
    void absentPairMatchesEveryEntry()
    {
        for (int n = codetable::firstNumber; n <= codetable::lastNumber; ++n) {
            const auto entry = codetable::entry(n);
            if (!entry)
                continue;
            const rules::AbsentPair absent = rules::absentColours(n);
            std::set<int> missing;
            for (int colour = 1; colour <= 6; ++colour)
                if (!coloursOf(*entry).count(colour))
                    missing.insert(colour);
            QCOMPARE(missing, (std::set<int>{absent.first, absent.second}));
        }
    }

    void combinationsThatNeverOccur()
    {
        for (int n = 1; n <= 306; ++n) {
            if (const auto entry = codetable::entry(n)) {
                QVERIFY(coloursOf(*entry) != (std::set<int>{2, 4, 5, 6}));
                QVERIFY(coloursOf(*entry) != (std::set<int>{1, 2, 5, 6}));
            }
        }
    }

    void knownEntries_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("colours");
        QTest::newRow("first") << 1 << "1234";
        QTest::newRow("17 repeats 19") << 17 << "4231";
        QTest::newRow("19") << 19 << "4231";
        QTest::newRow("37") << 37 << "3251";
        QTest::newRow("42 repeats 37") << 42 << "3251";
        QTest::newRow("44 repeats 37") << 44 << "3251";
        QTest::newRow("gap target 180") << 180 << "4362";
        QTest::newRow("last") << 306 << "1653";
        QTest::newRow("32 like its neighbours") << 32 << "1325";
        QTest::newRow("31") << 31 << "1325";
        QTest::newRow("33") << 33 << "1325";
    }
    void knownEntries()
    {
        QFETCH(int, number);
        QFETCH(QString, colours);
        const auto entry = codetable::entry(number);
        QVERIFY(entry);
        QString got;
        for (int c : *entry)
            got += QString::number(c);
        QCOMPARE(got, colours);
    }

    // Every entry against every legal guess: the lamps the program lights
    // must equal the count of right colours, the left ones the right places.
    void evaluationAgreesWithOracle()
    {
        const auto guesses = allGuessesOfFourDifferentColours();
        QCOMPARE(int(guesses.size()), 360);
        for (int n = 1; n <= 306; ++n) {
            const auto secret = codetable::entry(n);
            if (!secret)
                continue;
            const rules::AbsentPair absent = rules::absentColours(n);
            for (const rules::Colours &guess : guesses) {
                std::array<bool, 4> lamps{};
                rules::lightRightColours(lamps, guess, absent);
                const int lit = int(std::count(lamps.begin(), lamps.end(), true));
                if (lit != oracleRightColours(guess, *secret))
                    QFAIL(qPrintable(QStringLiteral("number %1: wrong right-colour lamps").arg(n)));
                QVERIFY(lamps[0] && lamps[1] && (lit == 2 || lamps[2])); // lit from the left
                rules::Colours s{(*secret)[0], (*secret)[1], (*secret)[2], (*secret)[3]};
                int places = 0;
                for (int i = 0; i < 4; ++i)
                    places += guess[i] == s[i];
                QCOMPARE(rules::countExactMatches(guess, s), places);
            }
        }
    }

    // The pair step must find both absent colours in any two columns, in
    // either order.
    void absentPairInEveryColumnPair_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        for (int a = 0; a < 4; ++a)
            for (int b = 0; b < 4; ++b)
                if (a != b)
                    QTest::addRow("columns %d and %d", a + 1, b + 1) << a << b;
    }
    void absentPairInEveryColumnPair()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        const rules::AbsentPair absent{5, 6};
        rules::Colours guess{};
        guess[first] = 5;
        guess[second] = 6;
        Global::Int filler = 1;
        for (auto &colour : guess)
            if (colour == 0)
                colour = filler++;
        std::array<bool, 4> lamps{};
        rules::lightRightColours(lamps, guess, absent);
        QCOMPARE(lamps, (std::array<bool, 4>{true, true, false, false}));
    }

    // Lamps are only ever switched on, but the pair step switches the third
    // off again: a second evaluation in the same row can leave a gap.
    void secondEvaluationKeepsEarlierLamps()
    {
        std::array<bool, 4> lamps{};
        rules::lightRightColours(lamps, {1, 2, 3, 4}, {5, 6});
        QCOMPARE(lamps, (std::array<bool, 4>{true, true, true, true}));
        rules::lightRightColours(lamps, {5, 6, 1, 2}, {5, 6});
        QCOMPARE(lamps, (std::array<bool, 4>{true, true, false, true}));
    }

    // An empty column counts as colour 0: no absent colour, never a match.
    void emptyColumnCountsAsRight()
    {
        std::array<bool, 4> lamps{};
        rules::lightRightColours(lamps, {0, 1, 2, 3}, {5, 6});
        QCOMPARE(lamps, (std::array<bool, 4>{true, true, true, true}));
        QCOMPARE(rules::countExactMatches({0, 2, 3, 4}, {1, 2, 3, 4}), 3);
        QVERIFY(!rules::allDifferent({0, 0, 1, 2}));
    }

    void drawStaysInRange()
    {
        int seen306 = 0;
        for (std::uint64_t seed = 0; seed < 200000; ++seed) {
            const int n = rules::drawCodeNumber(seed * 7919);
            QVERIFY(n >= 1 && n <= 306);
            seen306 += n == 306;
        }
        QVERIFY(seen306 > 0);
    }

    // Pearson's chi-square over 306 cells with 305 degrees of freedom: the
    // 99.9th percentile is about 396. A skewed draw (rounding instead of
    // floor, a modulo bias, a seed that ignores its low bits) lands far above.
    void drawIsEven()
    {
        constexpr int draws = 306 * 400;
        std::vector<int> counts(307);
        const std::uint64_t base = 12ull * 3600 * 1000000000ull;
        for (int i = 0; i < draws; ++i)
            ++counts[rules::drawCodeNumber(base + std::uint64_t(i) * 1000)]; // a microsecond apart
        const double expected = draws / 306.0;
        double chi = 0;
        for (int n = 1; n <= 306; ++n)
            chi += (counts[n] - expected) * (counts[n] - expected) / expected;
        QVERIFY2(chi < 396, qPrintable(QStringLiteral("chi-square %1").arg(chi)));
        QCOMPARE(counts[0], 0);
    }

    void seedFromTimeOfDayChangesWithinASecond()
    {
        const auto a = rules::timeOfDaySeed();
        QTest::qWait(2);
        const auto b = rules::timeOfDaySeed();
        QVERIFY(b != a);
        QVERIFY(a < 86400ull * 1000000000ull);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
