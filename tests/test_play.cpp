// Playing on the real board: attempt advance, placement and evaluation.

#include "testsupport.h"

#include "common/form.h"
#include "game/boarddesign.h"
#include "game/global.h"
#include "results/winorlose.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

using Guess = std::array<int, 4>;

namespace {

QString enabledRows(Brain *brain)
{
    QString rows;
    for (int row = 0; row < board::rows; ++row) {
        int enabled = 0;
        for (int column = 1; column <= 4; ++column)
            enabled += brain->ring(column, row)->isEnabled();
        rows += enabled == 4 ? u'1' : enabled == 0 ? u'0' : u'?';
    }
    return rows;
}

// Starts a game with a chosen code number.
Brain *startGame(int codeNumber)
{
    Brain *brain = openBoard();
    Global::codeNumber = static_cast<Global::Int>(codeNumber);
    click(brain->Command2);
    return currentBoard();
}

} // namespace

class TestPlay : public GameTest
{
    Q_OBJECT

private slots:
    void firstClickStartsTheGame()
    {
        Brain *brain = startGame(1);
        QCOMPARE(Global::attemptNumber, 1);
        QCOMPARE((std::array<int, 4>{Global::secretColor1, Global::secretColor2, Global::secretColor3,
                                     Global::secretColor4}),
                 (std::array<int, 4>{1, 2, 3, 4}));
        QCOMPARE(enabledRows(brain), QStringLiteral("1000000000"));
        for (int n = 1; n <= 6; ++n)
            QVERIFY(brain->paletteImage(n)->isEnabled());
        QVERIFY(brain->mnulösung->isEnabled());
        QVERIFY(!brain->mnuschwieriggrad->menuAction()->isEnabled());
        QCOMPARE(brain->Command2->text(), QStringLiteral("Nächster Versuch"));
        QVERIFY(!brain->Command2->isEnabled());
        QVERIFY(messages->texts.isEmpty());
    }

    // Only the row of the attempt is open; past ten, row 0 opens again and
    // the last row stays open.
    void rowsFollowTheAttempt_data()
    {
        QTest::addColumn<int>("attempt");
        QTest::addColumn<QString>("rows");
        QTest::newRow("1") << 1 << "1000000000";
        QTest::newRow("2") << 2 << "0100000000";
        QTest::newRow("6") << 6 << "0000010000";
        QTest::newRow("10") << 10 << "0000000001";
        QTest::newRow("11") << 11 << "1000000001";
        QTest::newRow("12") << 12 << "1000000001";
    }
    void rowsFollowTheAttempt()
    {
        QFETCH(int, attempt);
        QFETCH(QString, rows);
        Brain *brain = startGame(1);
        for (int k = 2; k <= attempt; ++k)
            brain->Command2_Click();
        QCOMPARE(int(Global::attemptNumber), attempt);
        QCOMPARE(enabledRows(brain), rows);
        QCOMPARE((std::array<int, 4>{Global::secretColor1, Global::secretColor2, Global::secretColor3,
                                     Global::secretColor4}),
                 (std::array<int, 4>{1, 2, 3, 4}));
    }

    // Numbers without an entry of their own move up by ten, with a message
    // at the first click of the game only.
    void gapNumberIsRedirectedOnce()
    {
        Brain *brain = startGame(170);
        QCOMPARE(messages->texts, QStringList{QStringLiteral("Das klappt !")});
        QCOMPARE(Global::codeNumber, 180);
        QCOMPARE((std::array<int, 4>{Global::secretColor1, Global::secretColor2, Global::secretColor3,
                                     Global::secretColor4}),
                 (std::array<int, 4>{4, 3, 6, 2}));
        brain->Command2_Click();
        QCOMPARE(messages->texts.size(), 1);
        QCOMPARE(Global::codeNumber, 180);
    }

    void number32HidesFourColours()
    {
        startGame(32);
        QCOMPARE((std::array<int, 4>{Global::secretColor1, Global::secretColor2, Global::secretColor3,
                                     Global::secretColor4}),
                 (std::array<int, 4>{1, 3, 2, 5}));
    }

    void placementRecordsTheColumn()
    {
        Brain *brain = startGame(1);
        placeOne(3, 2, 0);
        QCOMPARE(Global::guessColor2, 3);
        QVERIFY(!brain->ring(2, 0)->picture().isNull());
        QVERIFY(!brain->Command1->isEnabled());
        placeOne(5, 2, 0); // replaces the ball
        QCOMPARE(Global::guessColor2, 5);
        const QImage shown = brain->ring(2, 0)->picture().toImage();
        const QColor ball = ballColour(shown);
        QVERIFY2(ball.blue() > ball.red() + 60, "the blue ball should now sit in the ring");
        placeOne(1, 4, 0);
        QVERIFY(brain->Command1->isEnabled());
        QCOMPARE(brain->mousePointer(), 0);
    }

    // Picture10(0) takes the picture's natural size; every other hole scales.
    void onlyOneHoleKeepsTheNaturalSize()
    {
        Brain *brain = startGame(1);
        placeOne(1, 4, 0);
        placeOne(2, 1, 0);
        QCOMPARE(brain->ring(4, 0)->size(), QSize(33, 33));
        QCOMPARE(brain->ring(4, 0)->picture().deviceIndependentSize(), QSizeF(33, 33));
        QCOMPARE(brain->ring(1, 0)->size(), QSize(33, 33));
    }

    void noColourPickedPlacesNothing()
    {
        Brain *brain = openBoard();
        click(brain->ring(1, 3)); // rows 1..9 take clicks before the game
        QVERIFY(brain->ring(1, 3)->picture().isNull());
        QCOMPARE(Global::guessColor1, 0);
        QCOMPARE(brain->mousePointer(), 0);
    }

    // A colour left picked from an earlier game can be placed into the rows
    // the design leaves open, and evaluated before the game has started.
    void evaluationBeforeTheGameStarted()
    {
        Global::selectedColor = 2;
        Brain *brain = openBoard();
        Global::codeNumber = 1;
        click(brain->ring(4, 3));
        QCOMPARE(Global::guessColor4, 2);
        QVERIFY(brain->Command1->isEnabled());
        click(brain->Command1); // columns 1..3 hold colour 0: refused
        QCOMPARE(messages->texts.size(), 1);
        Global::guessColor1 = 1;
        Global::guessColor2 = 3;
        Global::guessColor3 = 4;
        click(brain->Command1);
        QCOMPARE(lampPattern(0, false), QStringLiteral("1111"));
        QCOMPARE(lampPattern(0, true), QStringLiteral("0000")); // hidden colours are still 0
        QVERIFY(brain->Command2->isEnabled());
        QCOMPARE(brain->Command2->text(), QStringLiteral("&Spiel beginnen"));
        QVERIFY(!brain->Command1->isEnabled());
    }

    void refusalChangesNothing()
    {
        Brain *brain = startGame(1);
        place({1, 1, 2, 3}, 0);
        click(brain->Command1);
        QCOMPARE(messages->texts, QStringList{QStringLiteral("Vier verschiedene Farben auswählen !")});
        QCOMPARE(lampPattern(0, true) + lampPattern(0, false), QStringLiteral("00000000"));
        QVERIFY(brain->Command1->isEnabled());
        QVERIFY(!brain->Command2->isEnabled());
        QCOMPARE(brain->ring(1, 0)->mousePointer(), 2);
    }

    void lampsOfAGuess_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<Guess>("guess");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        // Code 1 hides 1-2-3-4; 5 and 6 are absent.
        QTest::newRow("all right colours, none placed") << 1 << Guess{4, 3, 2, 1} << "0000" << "1111";
        QTest::newRow("two places") << 1 << Guess{1, 2, 4, 3} << "1100" << "1111";
        QTest::newRow("one absent colour") << 1 << Guess{1, 5, 2, 3} << "1000" << "1110";
        QTest::newRow("both absent, columns 1 and 2") << 1 << Guess{5, 6, 1, 2} << "0000" << "1100";
        QTest::newRow("both absent, columns 4 and 2") << 1 << Guess{1, 6, 3, 5} << "1100" << "1100";
        QTest::newRow("both absent, columns 3 and 4") << 1 << Guess{1, 2, 6, 5} << "1100" << "1100";
    }
    void lampsOfAGuess()
    {
        QFETCH(int, code);
        QFETCH(Guess, guess);
        QFETCH(QString, left);
        QFETCH(QString, right);
        Brain *brain = startGame(code);
        place(guess, 0);
        click(brain->Command1);
        QVERIFY(messages->texts.isEmpty());
        QCOMPARE(lampPattern(0, true), left);
        QCOMPARE(lampPattern(0, false), right);
        for (int row = 1; row < board::rows; ++row)
            QCOMPARE(lampPattern(row, true) + lampPattern(row, false), QStringLiteral("00000000"));
        for (int column = 1; column <= 4; ++column)
            QCOMPARE(brain->ring(column, 0)->mousePointer(), 12);
        QVERIFY(brain->Command2->isEnabled());
        QVERIFY(!brain->Command1->isEnabled());
        QCOMPARE(Global::exactMatches, 0);
    }

    // A second "&Zeigen" in the same row adds to what is lit; only the third
    // right-hand lamp can go dark again.
    void secondEvaluationInTheSameRow()
    {
        Brain *brain = startGame(1);
        place({4, 3, 2, 1}, 0);
        click(brain->Command1);
        QCOMPARE(lampPattern(0, false), QStringLiteral("1111"));
        Global::guessColor1 = 5;
        Global::guessColor2 = 6;
        brain->Command1_Click();
        QCOMPARE(lampPattern(0, false), QStringLiteral("1101"));
        QCOMPARE(lampPattern(1, false), QStringLiteral("0000"));
    }

    // A column keeps the colour placed last in it, in whatever row.
    void earlierRowsFillEmptyColumns()
    {
        Brain *brain = startGame(1);
        place({1, 2, 4, 3}, 0);
        click(brain->Command1);
        click(brain->Command2);
        placeOne(3, 3, 1);
        placeOne(4, 4, 1);
        click(brain->Command1);
        QCOMPARE(Global::currentRow, 1);
        QCOMPARE(lampPattern(1, true), QStringLiteral("1111")); // 1, 2 from row 0 and 3, 4 from row 1
        QCOMPARE(messages->texts.first(), QStringLiteral("Code geknackt !"));
    }

    // The message comes after all eight lamps of the row are lit, then the
    // result window opens and the board waits for its next activation.
    void winShowsTheResult()
    {
        Brain *brain = startGame(1);
        QString lampsDuringMessage;
        messages->onMessage = [&](const QString &) { lampsDuringMessage = lampPattern(0, true) + lampPattern(0, false); };
        place({1, 2, 3, 4}, 0);
        click(brain->Command1);
        QCOMPARE(messages->texts, QStringList{QStringLiteral("Code geknackt !")});
        QCOMPARE(lampsDuringMessage, QStringLiteral("11111111"));
        QCOMPARE(Global::restartPending, 1);
        QVERIFY(Form<WinorLose>::loaded() && Form<WinorLose>::loaded()->isVisible());
        QCOMPARE(currentBoard(), brain);
        QVERIFY(brain->Command2->isEnabled());
        QCOMPARE(brain->ring(1, 0)->mousePointer(), 12);
    }

    // Without a level the tenth failed attempt ends nothing.
    void noLevelNoLoss()
    {
        Brain *brain = startGame(1);
        for (int attempt = 1; attempt <= 11; ++attempt) {
            if (attempt > 1)
                click(brain->Command2);
            const int row = attempt <= 10 ? attempt - 1 : 0;
            place({4, 3, 2, 1}, row);
            click(brain->Command1);
        }
        QVERIFY(messages->texts.isEmpty());
        QCOMPARE(currentBoard(), brain);
        QCOMPARE(Global::attemptNumber, 11);
        QCOMPARE(Global::currentRow, 9); // attempt 11 evaluates into row 9 again
    }

    // A missing or unreadable picture: a message naming the file and the
    // folder; the ring and the column stay as they were; the game goes on.
    void brokenPictures_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("missing") << "missing";
        QTest::newRow("empty") << "empty";
        QTest::newRow("not a picture") << "text";
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("a directory") << "directory";
    }
    void brokenPictures()
    {
        QFETCH(QString, damage);
        Brain *brain = startGame(1);
        placeOne(2, 1, 0); // grünring.jpg, placed while still fine
        const QPixmap before = brain->ring(1, 0)->picture();
        const QString file = play->file(QStringLiteral("grünring.jpg"));
        QByteArray bytes;
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            bytes = f.readAll();
        }
        QVERIFY(QFile::remove(file));
        if (damage == "empty" || damage == "text" || damage == "truncated") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(damage == "text" ? QByteArray("kein Bild") : damage == "truncated" ? bytes.left(40) : QByteArray());
        } else if (damage == "directory") {
            QVERIFY(QDir().mkdir(file));
        }
        placeOne(2, 1, 0);
        QCOMPARE(messages->texts.size(), 1);
        const QString text = messages->texts.first();
        QVERIFY2(text.contains(QStringLiteral("grünring.jpg")), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(play->path())), qPrintable(text));
        QCOMPARE(brain->ring(1, 0)->picture().cacheKey(), before.cacheKey());
        QCOMPARE(Global::guessColor1, 2);
        placeOne(3, 1, 0); // other pictures still work
        QCOMPARE(Global::guessColor1, 3);
        QCOMPARE(messages->texts.size(), 1);
    }

    // Column 4 that cannot be placed must not open "&Zeigen".
    void brokenPictureInColumnFour()
    {
        Brain *brain = startGame(1);
        QVERIFY(QFile::remove(play->file(QStringLiteral("weißring.jpg"))));
        placeOne(6, 4, 0);
        QVERIFY(!brain->Command1->isEnabled());
        QCOMPARE(Global::guessColor4, 0);
    }
};

QTEST_MAIN(TestPlay)
#include "test_play.moc"
