// Difficulty levels: masks, flags, rows and check marks, and the limits
// through whole games played on the real widgets.

#include "testsupport.h"

#include "common/form.h"
#include "game/boarddesign.h"
#include "game/global.h"
#include "results/winorlose.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

namespace {

QString shownMasks(Brain *brain)
{
    QString shown;
    for (int n = 3; n <= 8; ++n)
        if (brain->mask(n)->isVisibleTo(brain))
            shown += QString::number(n);
    return shown;
}

QString enabledRows(Brain *brain)
{
    QString rows;
    for (int row = 0; row < board::rows; ++row)
        rows += brain->ring(1, row)->isEnabled() && brain->ring(4, row)->isEnabled() ? u'1' : u'0';
    return rows;
}

QString checks(Brain *brain)
{
    return QString(brain->mnueinfach->isChecked() ? u'E' : u'-') + (brain->mnuschwer->isChecked() ? u'S' : u'-')
        + (brain->mnusuperbrain->isChecked() ? u'B' : u'-');
}

QString flags()
{
    return QStringLiteral("%1%2%3").arg(Global::easyMode).arg(Global::hardMode).arg(Global::superMode);
}

// Plays wrong guesses (right colours, wrong order for code 1) from the
// current attempt on, `attempts` times.
void missAttempts(int attempts)
{
    for (int i = 0; i < attempts; ++i) {
        click(currentBoard()->Command2);
        place({4, 3, 2, 1}, Global::attemptNumber - 1);
        click(currentBoard()->Command1);
    }
}

} // namespace

class TestLevels : public GameTest
{
    Q_OBJECT

private slots:
    // Each level alone and the orders that leave something standing.
    void levelCommands_data()
    {
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("masks");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("checks");
        // Rows: only row 0 is disabled by the load; the levels switch 5..9.
        QTest::newRow("Einfach") << QStringList{"E"} << "" << "100" << "0111111111" << "E--";
        QTest::newRow("Schwer") << QStringList{"S"} << "358" << "010" << "0111111100" << "-S-";
        QTest::newRow("Superbrain") << QStringList{"B"} << "34567" << "001" << "0111100000" << "--B";
        QTest::newRow("Schwer after Einfach keeps easyMode") << QStringList{"E", "S"} << "358" << "110"
                                                             << "0111111100" << "-S-";
        QTest::newRow("Superbrain after Schwer leaves Label8") << QStringList{"S", "B"} << "345678" << "001"
                                                               << "0111100000" << "--B";
        QTest::newRow("Schwer after Superbrain uncovers 5-7") << QStringList{"B", "S"} << "358" << "010"
                                                              << "0111111100" << "-S-";
        QTest::newRow("Einfach after Schwer") << QStringList{"S", "E"} << "" << "100" << "0111111111" << "E--";
        QTest::newRow("Einfach after Superbrain") << QStringList{"B", "E"} << "" << "100" << "0111111111"
                                                  << "E--";
        QTest::newRow("Superbrain after Einfach") << QStringList{"E", "B"} << "34567" << "101" << "0111100000"
                                                  << "--B";
    }
    void levelCommands()
    {
        QFETCH(QStringList, choices);
        QFETCH(QString, masks);
        QFETCH(QString, flags);
        QFETCH(QString, rows);
        QFETCH(QString, checks);
        Brain *brain = openBoard();
        for (const QString &choice : choices) {
            QAction *command = choice == "E" ? brain->mnueinfach : choice == "S" ? brain->mnuschwer : brain->mnusuperbrain;
            command->trigger();
        }
        QCOMPARE(shownMasks(brain), masks);
        QCOMPARE(::flags(), flags);
        QCOMPARE(enabledRows(brain), rows);
        QCOMPARE(::checks(brain), checks);
    }

    // Label8 lies inside Label6: after "Superbrain" following "Schwer" the
    // board looks exactly as after "Superbrain" alone.
    void superbrainAfterSchwerLooksTheSame()
    {
        Brain *alone = openBoard();
        alone->mnusuperbrain->trigger();
        const QImage a = alone->grab().toImage();
        unloadAll();
        Brain *after = openBoard();
        after->mnuschwer->trigger();
        after->mnusuperbrain->trigger();
        QCOMPARE(after->grab().toImage(), a);
    }

    // A shown mask takes the clicks on the ring holes it hides, even where a
    // ring would be enabled: a click by position reaches no ring.
    void maskedHolesTakeNoClicks_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("firstHiddenRow");
        QTest::newRow("Schwer") << "S" << 8;
        QTest::newRow("Superbrain") << "B" << 5;
    }
    void maskedHolesTakeNoClicks()
    {
        QFETCH(QString, level);
        QFETCH(int, firstHiddenRow);
        Global::selectedColor = 1;
        Brain *brain = openBoard();
        (level == "S" ? brain->mnuschwer : brain->mnusuperbrain)->trigger();
        for (int row = 0; row < board::rows; ++row)
            for (int column = 1; column <= 4; ++column)
                brain->ring(column, row)->setEnabled(true);
        QWindow *window = brain->windowHandle();
        for (int row = 0; row < board::rows; ++row) {
            for (int column = 1; column <= 4; ++column) {
                ImageBox *hole = brain->ring(column, row);
                const QPoint at = hole->mapTo(brain, hole->rect().center());
                QTest::mouseClick(window, Qt::LeftButton, {}, at);
                const bool placed = !hole->picture().isNull();
                QVERIFY2(placed == (row < firstHiddenRow),
                         qPrintable(QStringLiteral("row %1 column %2").arg(row).arg(column)));
            }
        }
    }

    void lostAtTheLevelsLastAttempt_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("lastAttempt");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("Schwer") << "S" << 8
                                << QStringList{"Code leider nicht geknackt !", "Probier es nochmal !"};
        QTest::newRow("Einfach") << "E" << 10 << QStringList{"Code nicht geknackt !", "Probier es nochmal !"};
        QTest::newRow("Superbrain") << "B" << 5 << QStringList{"Code nicht geknackt!", "Probier es nochmal!"};
        QTest::newRow("Schwer after Einfach") << "ES" << 8
                                              << QStringList{"Code leider nicht geknackt !", "Probier es nochmal !"};
    }
    void lostAtTheLevelsLastAttempt()
    {
        QFETCH(QString, level);
        QFETCH(int, lastAttempt);
        QFETCH(QStringList, texts);
        Brain *brain = openBoard();
        for (QChar c : level)
            (c == u'E' ? brain->mnueinfach : c == u'S' ? brain->mnuschwer : brain->mnusuperbrain)->trigger();
        Global::codeNumber = 1;
        missAttempts(lastAttempt - 1);
        QVERIFY(messages->texts.isEmpty());
        QCOMPARE(currentBoard(), brain);

        // What the player sees while each message is up.
        QStringList boardDuring;
        messages->onMessage = [&](const QString &) {
            boardDuring << QStringLiteral("%1|%2|%3")
                               .arg(currentBoard() == brain ? "old" : "fresh", currentBoard()->Command2->text(),
                                    lampPattern(lastAttempt - 1, false));
        };
        missAttempts(1);
        QCOMPARE(messages->texts, texts);
        QCOMPARE(boardDuring, (QStringList{QStringLiteral("old|Nächster Versuch|1111"),
                                           QStringLiteral("fresh|&Spiel beginnen|0000")}));
        Brain *fresh = currentBoard();
        QVERIFY(fresh != brain);
        QCOMPARE(Global::attemptNumber, 0);
        QCOMPARE(::flags(), QStringLiteral("000"));
        QVERIFY(fresh->Command2->isEnabled());
        QVERIFY(!fresh->Command1->isEnabled());
        QVERIFY(fresh->mnuschwieriggrad->menuAction()->isEnabled());
        QCOMPARE(shownMasks(fresh), QString());
        QVERIFY(!Form<WinorLose>::loaded()); // a loss reveals nothing
        settle();
        QVERIFY(Form<Brain>::loaded() == fresh);
    }

    void winAtTheLastAttemptIsAWin()
    {
        Brain *brain = openBoard();
        brain->mnuschwer->trigger();
        Global::codeNumber = 1;
        missAttempts(7);
        click(brain->Command2);
        place({1, 2, 3, 4}, 7);
        click(brain->Command1);
        QCOMPARE(messages->texts, QStringList{QStringLiteral("Code geknackt !")});
        QVERIFY(Form<WinorLose>::loaded());
        QCOMPARE(currentBoard(), brain);
    }

    // A level holds for one game: "&Neu", a win and a loss all clear it.
    void levelDoesNotCarryOver()
    {
        Brain *brain = openBoard();
        brain->mnusuperbrain->trigger();
        brain->mnuNeu->trigger();
        QCOMPARE(::flags(), QStringLiteral("000"));
        QCOMPARE(::checks(currentBoard()), QStringLiteral("---"));

        currentBoard()->mnusuperbrain->trigger();
        Global::codeNumber = 1;
        click(currentBoard()->Command2);
        place({1, 2, 3, 4}, 0);
        click(currentBoard()->Command1);
        currentBoard()->activateWindow();
        settle();
        QCOMPARE(::flags(), QStringLiteral("000"));
        QCOMPARE(shownMasks(currentBoard()), QString());

        // Without a level the game goes past ten attempts.
        Global::codeNumber = 1;
        missAttempts(10);
        QVERIFY(messages->texts.size() == 1);
        QCOMPARE(Global::attemptNumber, 10);
    }

    // "Lösung anzeigen" only during a game, loading the result window first
    // so that it opens with the combination.
    void solutionOnlyDuringAGame()
    {
        Brain *brain = openBoard();
        QVERIFY(!brain->mnulösung->isEnabled());
        Global::codeNumber = 5; // 2-3-4-1
        click(brain->Command2);
        QVERIFY(brain->mnulösung->isEnabled());
        brain->mnulösung->trigger();
        WinorLose *result = Form<WinorLose>::loaded();
        QVERIFY(result && result->isVisible());
        for (int column = 1; column <= 4; ++column)
            QVERIFY(!result->picture(column)->picture().isNull());
        QCOMPARE(Global::highscoreViewOnly, 1);
    }
};

QTEST_MAIN(TestLevels)
#include "test_levels.moc"
