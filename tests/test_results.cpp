// After a win: the result window, the highscore window and TESTFILE, on the
// real widgets.

#include "testsupport.h"

#include "common/form.h"
#include "game/global.h"
#include "results/form1.h"
#include "results/winorlose.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Plays a game with code number 1 and wins it at the given attempt.
void winAt(int attempt)
{
    Brain *brain = openBoard();
    Global::codeNumber = 1;
    for (int k = 1; k <= attempt; ++k) {
        click(currentBoard()->Command2);
        place(k == attempt ? std::array<int, 4>{1, 2, 3, 4} : std::array<int, 4>{4, 3, 2, 1}, k <= 10 ? k - 1 : 0);
        click(currentBoard()->Command1);
    }
    Q_UNUSED(brain);
}

const QByteArray designTable = "\"Tueftelino\",\"Mr Ringelmond\",\"Tueftelino\",\"Dr Kugelbart\",\"Knobelkater\"\r\n";

QColor centreColour(ImageBox *box) { return ballColour(box->grab().toImage()); }

} // namespace

class TestResults : public GameTest
{
    Q_OBJECT

private slots:
    void resultWindowRevealsTheCombination()
    {
        winAt(1);
        WinorLose *result = Form<WinorLose>::loaded();
        QVERIFY(result && result->isVisible());
        QCOMPARE(result->windowTitle(), QStringLiteral("Farbrix "));
        QCOMPARE(result->Label1->text(), QStringLiteral("Die richtige Kombination :"));
        QVERIFY(result->Command1->isVisible());
        QVERIFY(!result->Command2->isVisible());
        QVERIFY(!(result->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(centreColour(result->picture(1)).red() > 150);   // red
        QVERIFY(centreColour(result->picture(2)).green() > 120); // green
        QVERIFY(centreColour(result->picture(4)).red() > 150 && centreColour(result->picture(4)).green() > 150);
        QCOMPARE(result->picture(1)->size(), QSize(33, 33));
    }

    // The box for the attempts used takes the name, for one to five attempts.
    void winnerGetsTheBoxOfTheAttempts_data()
    {
        QTest::addColumn<int>("attempt");
        QTest::newRow("1") << 1;
        QTest::newRow("5") << 5;
        QTest::newRow("7: no box") << 7;
    }
    void winnerGetsTheBoxOfTheAttempts()
    {
        QFETCH(int, attempt);
        winAt(attempt);
        QCOMPARE(Global::highscoreViewOnly, 0);
        Form<WinorLose>::loaded()->Command1->setFocus();
        QTest::keyClick(Form<WinorLose>::loaded()->Command1, Qt::Key_Return);
        settle();
        QVERIFY(!Form<WinorLose>::loaded());
        QCOMPARE(Global::secretColor1 + Global::secretColor2 + Global::secretColor3 + Global::secretColor4, 0);
        Form1 *scores = Form<Form1>::loaded();
        QVERIFY(scores && scores->isVisible());
        QCOMPARE(scores->windowTitle(), QStringLiteral("Highscores"));
        for (int index = 0; index < 5; ++index)
            QCOMPARE(scores->Text2(index)->isEnabled(), index == attempt - 1);
        QCOMPARE(scores->focusWidget(),
                 attempt <= 5 ? static_cast<QWidget *>(scores->Text2(attempt - 1)) : scores->Command1);
        QCOMPARE(scores->Text2(1)->text(), QStringLiteral("Mr Ringelmond"));

        if (attempt <= 5) {
            QLineEdit *box = scores->Text2(attempt - 1);
            typeText(box, QStringLiteral("Jürgen, der Große")); // replaces the selected holder
            QTest::keyClick(box, Qt::Key_Return); // Enter does not close the window
            QVERIFY(Form<Form1>::loaded());
        }
        Brain *before = currentBoard();
        click(scores->Command1);
        settle();
        QVERIFY(!Form<Form1>::loaded());
        QCOMPARE(Global::highscoreViewOnly, 1);
        // Back on the board, which starts afresh.
        QVERIFY(currentBoard() != before);
        QCOMPARE(Global::restartPending, 0);
        QCOMPARE(currentBoard()->Command2->text(), QStringLiteral("&Spiel beginnen"));

        QByteArray expected = designTable;
        if (attempt <= 5) {
            QList<QByteArray> fields = designTable.chopped(2).split(',');
            fields[attempt - 1] = "\"J\xfcrgen, der Gro\xdf" "e\"";
            expected = fields.join(',') + "\r\n";
        }
        QCOMPARE(readBytes(play->file("TESTFILE")), expected);
        QCOMPARE(Global::recordName(attempt <= 5 ? attempt : 1),
                 attempt <= 5 ? QStringLiteral("Jürgen, der Große") : QStringLiteral("Tueftelino"));
    }

    // The board restarted while the result window was open: the highscore
    // window then sees attempt 0 and offers no box.
    void boardActivatedWhileResultOpen()
    {
        winAt(2);
        currentBoard()->activateWindow();
        settle();
        QCOMPARE(Global::attemptNumber, 0);
        QVERIFY(Form<WinorLose>::loaded()); // still showing the old combination
        click(Form<WinorLose>::loaded()->Command1);
        for (int index = 0; index < 5; ++index)
            QVERIFY(!Form<Form1>::loaded()->Text2(index)->isEnabled());
    }

    void doubleClickOnlyCloses()
    {
        winAt(1);
        QTest::mouseDClick(Form<WinorLose>::loaded(), Qt::LeftButton, {}, QPoint(5, 120));
        settle();
        QVERIFY(!Form<WinorLose>::loaded());
        QVERIFY(!Form<Form1>::loaded());
        QCOMPARE(Global::secretColor1, 1);
        QCOMPARE(Global::restartPending, 1);
    }

    // View mode: nothing to edit; OK writes back exactly what was read.
    void viewModeRewritesTheSameBytes()
    {
        const QByteArray stored = "\"Anna\",\"B\xe4r, Bernd\",\"\",\"Zo\xeb\",\"Ede\"\r\n";
        writeBytes(play->file("TESTFILE"), stored);
        Brain *brain = openBoard();
        brain->mnuhighscore->trigger();
        Form1 *scores = Form<Form1>::loaded();
        QVERIFY(scores);
        QCOMPARE(Global::highscoreViewOnly, 1);
        for (int index = 0; index < 5; ++index)
            QVERIFY(!scores->Text2(index)->isEnabled());
        QCOMPARE(scores->Text2(1)->text(), QStringLiteral("Bär, Bernd"));
        QCOMPARE(scores->focusWidget(), scores->Command1);
        QVERIFY(!scores->Command1->isDefault());
        writeBytes(play->file("TESTFILE"), "changed meanwhile"); // OK writes what the window read
        QTest::keyClick(scores->Command1, Qt::Key_Return);          // Enter presses the focused OK
        QVERIFY(!Form<Form1>::loaded());
        QCOMPARE(readBytes(play->file("TESTFILE")), stored);
    }

    void labelsKeepTheirSwappedIndices()
    {
        openBoard()->mnuhighscore->trigger();
        Form1 *scores = Form<Form1>::loaded();
        QCOMPARE(scores->Label2(0)->text(), QStringLiteral("2 Versuche"));
        QCOMPARE(scores->Label2(1)->text(), QStringLiteral("1 Versuch"));
        QCOMPARE(scores->Label2(1)->y(), scores->Text2(0)->y());
        QCOMPARE(scores->Label2(0)->y(), scores->Text2(1)->y());
        QCOMPARE(scores->Label2(5)->text(),
                 QStringLiteral("Diese Superhirne brauchten nur sehr wenige Versuche , um den Code zu  knacken:"));
    }

    void closeBoxSkipsTheWrite()
    {
        winAt(1);
        click(Form<WinorLose>::loaded()->Command1);
        Form1 *scores = Form<Form1>::loaded();
        scores->Text2(0)->setText(QStringLiteral("Niemand"));
        scores->close();
        settle();
        QVERIFY(!Form<Form1>::loaded());
        QVERIFY(!QFile::exists(play->file("TESTFILE")));
        QCOMPARE(Global::highscoreViewOnly, 0);
    }

    // A name the file cannot hold cannot even be typed.
    void nameBoxRefusesWhatTheFileCannotHold()
    {
        winAt(1);
        click(Form<WinorLose>::loaded()->Command1);
        QLineEdit *box = Form<Form1>::loaded()->Text2(0);
        box->clear();
        typeText(box, QStringLiteral("A\"B\u0141C"));
        QCOMPARE(box->text(), QStringLiteral("ABC"));
    }

    void damagedTableKeepsTheDesignNames()
    {
        writeBytes(play->file("TESTFILE"), "\"Eins\",\"Zwei\"\r\n");
        openBoard()->mnuhighscore->trigger();
        Form1 *scores = Form<Form1>::loaded();
        QCOMPARE(scores->Text2(0)->text(), QStringLiteral("Eins"));
        QCOMPARE(scores->Text2(1)->text(), QStringLiteral("Zwei"));
        QCOMPARE(scores->Text2(2)->text(), QStringLiteral("Tueftelino"));
        QCOMPARE(scores->Text2(4)->text(), QStringLiteral("Knobelkater"));
        QVERIFY(messages->texts.isEmpty());
    }

    // A table that cannot be written: a clear message, the names stay in
    // memory, the old file is untouched and the game goes on.
    void failingWriteKeepsTheOldTable()
    {
        const QString mountPoint = play->file("ro");
        QVERIFY(QDir().mkdir(mountPoint));
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", mountPoint}) != 0)
            QSKIP("needs root to mount a read-only tmpfs (permission bits do not stop root)");
        auto unmount = qScopeGuard([&] { QProcess::execute("umount", {mountPoint}); });
        writeBytes(mountPoint + "/TESTFILE", designTable);
        QVERIFY(QProcess::execute("mount", {"-o", "remount,ro", mountPoint}) == 0);
        QDir::setCurrent(mountPoint);
        auto back = qScopeGuard([&] { QDir::setCurrent(play->path()); });

        openBoard()->mnuhighscore->trigger();
        Form1 *scores = Form<Form1>::loaded();
        scores->Text2(0)->setText(QStringLiteral("Neu"));
        click(scores->Command1);
        QCOMPARE(messages->texts.size(), 1);
        QVERIFY2(messages->texts.first().contains(mountPoint), qPrintable(messages->texts.first()));
        QCOMPARE(Global::recordName1, QStringLiteral("Neu"));
        QCOMPARE(readBytes(mountPoint + "/TESTFILE"), designTable);
        QVERIFY(!Form<Form1>::loaded());
    }

    void missingRingPictureStillShowsTheSolution()
    {
        Brain *brain = openBoard();
        Global::codeNumber = 1;
        click(brain->Command2);
        QVERIFY(QFile::remove(play->file("rot2ring.jpg")));
        brain->mnulösung->trigger();
        WinorLose *result = Form<WinorLose>::loaded();
        QVERIFY(!result->picture(1)->picture().isNull());
        QVERIFY(centreColour(result->picture(1)).red() > 150);
        QVERIFY(messages->texts.isEmpty());
    }

    // Solution mode: OK only marks the board for a restart.
    void solutionModeOk()
    {
        Brain *brain = openBoard();
        Global::codeNumber = 1;
        click(brain->Command2);
        brain->mnulösung->trigger();
        WinorLose *result = Form<WinorLose>::loaded();
        QVERIFY(result->Command2->isVisible());
        QVERIFY(!result->Command1->isVisible());
        QCOMPARE(Global::highscoreViewOnly, 1);
        QCOMPARE(currentBoard(), brain); // the board does not change
        QCOMPARE(Global::attemptNumber, 1);
        brain->mnulösung->trigger(); // again: same window, not reloaded
        QCOMPARE(Form<WinorLose>::loaded(), result);
        click(result->Command2);
        settle();
        QVERIFY(!Form<WinorLose>::loaded());
        QVERIFY(!Form<Form1>::loaded());
        QCOMPARE(Global::restartPending, 1);
        brain->activateWindow();
        settle();
        QVERIFY(currentBoard() != brain);
        QCOMPARE(Global::attemptNumber, 0);
    }
};

QTEST_MAIN(TestResults)
#include "test_results.moc"
