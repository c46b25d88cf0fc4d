// Every window on Qt's offscreen platform: its look against a reviewed
// reference picture, and the flows a player goes through on it.

#include "testsupport.h"

#include "common/form.h"
#include "game/global.h"
#include "info/frmabout.h"
#include "info/frmanleitung.h"
#include "info/frmsoftware.h"
#include "info/frmsplash.h"
#include "info/controls.h"
#include "results/form1.h"
#include "results/winorlose.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace testsupport;
using Guess = std::array<int, 4>;

namespace {

QAction *level(Brain *b, QChar c) { return c == u'E' ? b->mnueinfach : c == u'S' ? b->mnuschwer : b->mnusuperbrain; }

// A game with a chosen code number, levels picked from the menu before it.
Brain *startGame(int codeNumber, const QString &levels = {})
{
    Brain *brain = openBoard();
    for (QChar c : levels)
        level(brain, c)->trigger();
    Global::codeNumber = Global::Int(codeNumber);
    click(brain->Command2);
    return currentBoard();
}

// Attempts with the right colours in the wrong places (code 1 hides 1-2-3-4);
// `win` places the code at the last.
void playAttempts(int attempts, bool win = false)
{
    for (int i = 1; i <= attempts; ++i) {
        if (currentBoard()->Command2->isEnabled())
            click(currentBoard()->Command2);
        const int row = Global::attemptNumber <= 10 ? Global::attemptNumber - 1 : 0;
        place(win && i == attempts ? Guess{1, 2, 3, 4} : Guess{4, 3, 2, 1}, row);
        click(currentBoard()->Command1);
    }
}

QString boardState(Brain *b) // enabled rings by row | shown masks | flags | check marks
{
    QString s;
    for (int row = 0; row < 10; ++row)
        s += QString::number(b->ring(1, row)->isEnabled() + b->ring(2, row)->isEnabled()
                             + b->ring(3, row)->isEnabled() + b->ring(4, row)->isEnabled());
    s += u'|';
    for (int n = 3; n <= 8; ++n)
        s += b->mask(n)->isVisibleTo(b) ? QString::number(n) : QString();
    using namespace Global;
    return s + QStringLiteral("|%1%2%3|").arg(easyMode).arg(hardMode).arg(superMode)
        + (b->mnueinfach->isChecked() ? u'E' : u'-') + (b->mnuschwer->isChecked() ? u'S' : u'-')
        + (b->mnusuperbrain->isChecked() ? u'B' : u'-');
}

QImage ballOf(const QImage &picture) // the middle of a ball picture, sign and all
{
    const int side = picture.width() * 3 / 5;
    return picture.copy(picture.rect().center().x() - side / 2, picture.rect().center().y() - side / 2, side, side)
        .convertToFormat(QImage::Format_RGB32);
}

QColor mean(const QImage &image)
{
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            r += c.redF(), g += c.greenF(), b += c.blueF();
        }
    const double n = image.width() * image.height();
    return QColor::fromRgbF(r / n, g / n, b / n);
}

QColor hue(const QImage &image) // the mean colour, whatever its lightness
{
    const QColor c = mean(image);
    const double sum = c.redF() + c.greenF() + c.blueF() + 1e-6;
    return QColor::fromRgbF(c.redF() / sum, c.greenF() / sum, c.blueF() / sum);
}

double distance(const QColor &a, const QColor &b)
{
    return std::hypot(a.redF() - b.redF(), a.greenF() - b.greenF(), a.blueF() - b.blueF());
}

// Shares of pixels where two balls' lightness, each relative to its mean,
// differs clearly: blind to colour, it sees the engraved signs.
double signDifference(const QImage &a, const QImage &b)
{
    const QImage ga = a.convertToFormat(QImage::Format_Grayscale8), gb = b.scaled(a.size()).convertToFormat(
                                                                         QImage::Format_Grayscale8);
    const double ma = qGray(mean(a).rgb()) + 1, mb = qGray(mean(b).rgb()) + 1;
    int differing = 0;
    for (int y = 0; y < ga.height(); ++y)
        for (int x = 0; x < ga.width(); ++x)
            differing += std::abs(qGray(ga.pixel(x, y)) / ma - qGray(gb.pixel(x, y)) / mb) > 0.25;
    return double(differing) / (ga.width() * ga.height());
}

QWidget *openWindow(const QString &name)
{
    if (name == "start")
        return showModeless<FrmSplash>();
    if (name == "about")
        return showModeless<FrmAbout>();
    if (name == "instructions")
        return showModeless<FrmAnleitung>();
    if (name == "catalogue")
        return showModeless<FrmSoftware>();
    if (name == "highscores") {
        openBoard()->mnuhighscore->trigger();
        return Form<Form1>::loaded();
    }
    return openBoard();
}

} // namespace

class TestWindows : public GameTest
{
    Q_OBJECT

private slots:
    // The whole window at a fixed state: a control out of place, a wrong
    // caption, colour, font or picture changes the picture. A new reference
    // is written with FARBRIX_UPDATE_REFERENCES=1 and must be looked at.
    void looksAsReviewed_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"board in play", "board masked", "result", "highscores", "start", "about",
                                 "instructions", "catalogue"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void looksAsReviewed()
    {
        QFETCH(QString, window);
        QWidget *w = nullptr;
        if (window == "board in play") { // Schwer, one row scored, the next being filled
            startGame(1, "S");
            playAttempts(1);
            click(currentBoard()->Command2);
            place({5, 0, 0, 6}, 1);
            w = currentBoard();
        } else if (window == "board masked") { // the masks of Schwer and then Superbrain
            w = openBoard();
            level(currentBoard(), u'S')->trigger();
            level(currentBoard(), u'B')->trigger();
        } else if (window == "result") {
            startGame(1);
            playAttempts(1, true);
            w = Form<WinorLose>::loaded();
        } else {
            w = openWindow(window);
            if (auto *about = qobject_cast<FrmAbout *>(w))
                about->Timer1->stop();
        }
        settle();
        const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString path = QStringLiteral(FARBRIX_TEST_DATA "/%1.png").arg(QString(window).replace(u' ', u'-'));
        if (qEnvironmentVariableIntValue("FARBRIX_UPDATE_REFERENCES"))
            QVERIFY(shot.save(path));
        const QImage reference = QImage(path).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), reference.size());
        int differing = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                differing += distance(shot.pixelColor(x, y), reference.pixelColor(x, y)) > 0.15;
        const QString actual = QDir::temp().filePath(QFileInfo(path).fileName());
        QVERIFY2(differing <= 4 || !shot.save(actual),
                 qPrintable(QStringLiteral("%1 pixels differ; see %2").arg(differing).arg(actual)));
    }

    void freshBoard()
    {
        Global::selectedColor = 4; // these three outlive a game
        Global::highscoreViewOnly = 1;
        Global::recordName2 = QStringLiteral("Anna");
        Global::guessColor3 = Global::secretColor2 = Global::restartPending = Global::attemptNumber = 7;
        Brain *brain = openBoard();
        QCOMPARE(Global::selectedColor + Global::highscoreViewOnly, 5);
        QCOMPARE(Global::recordName2, QStringLiteral("Anna"));
        QCOMPARE(Global::guessColor3 + Global::secretColor2 + Global::restartPending + Global::attemptNumber, 0);
        QVERIFY(Global::codeNumber >= 1 && Global::codeNumber <= 306);
        QCOMPARE(brain->windowTitle(), QStringLiteral("Farbrix v. 1.0"));
        QCOMPARE(boardState(brain), QStringLiteral("0444444444||000|---"));
        QCOMPARE(brain->Command2->text(), QStringLiteral("&Spiel beginnen"));
        QVERIFY(brain->Command2->isEnabled() && !brain->Command1->isEnabled() && !brain->mnulösung->isEnabled());
        QVERIFY(brain->mnuschwieriggrad->menuAction()->isEnabled());
        for (int n = 1; n <= 6; ++n)
            QVERIFY(!brain->paletteImage(n)->isEnabled());
        QCOMPARE(brain->focusWidget(), brain->Command2);
        QStringList menus;
        for (QAction *top : brain->menuBar()->actions())
            for (QAction *item : QList<QAction *>{top} + top->menu()->actions())
                menus << item->text() + (item->menu() && item != top ? "(" + item->menu()->actions().constFirst()->text()
                                                 + "," + item->menu()->actions().constLast()->text() + ")" : "");
        QCOMPARE(menus.join(u'/'), QStringLiteral("&Spiel/&Neu/Beenden/&Optionen/Schwierigkeitsgrad(Einfach,"
                                                  "Superbrain)//Highscore//Lösung anzeigen/&Hilfe/&Anleitung/"
                                                  "&Über/&Softwarekatalog"));
    }

    // Activation restarts the game only while a restart is pending, and only
    // when the board becomes the program's active window; "&Neu" always does.
    void newGames()
    {
        Brain *first = openBoard();
        first->mnuschwer->trigger();
        showModeless<WinorLose>();
        first->activateWindow();
        settle();
        QCOMPARE(currentBoard(), first);
        Global::restartPending = 1;
        showModeless<WinorLose>();
        first->activateWindow(); // a window of the program was active
        settle();
        QVERIFY(currentBoard() != first);
        QCOMPARE(Global::restartPending, 0);
        QCOMPARE(boardState(currentBoard()), QStringLiteral("0444444444||000|---"));
        Brain *second = startGame(5);
        second->mnuNeu->trigger();
        QVERIFY(currentBoard() != second);
        QCOMPARE(Global::attemptNumber, 0);
        QVERIFY(currentBoard()->mnuschwieriggrad->menuAction()->isEnabled() && currentBoard()->Command2->isEnabled());
        QPointer<Brain> third = currentBoard();
        QVERIFY(third->close()); // the close box unloads the board
        settle();
        QVERIFY(!Form<Brain>::loaded() && third.isNull());
    }

    // The custom pointer comes at the first movement after a pick, once, as a
    // ball of the picked colour with a sign; a ring click brings back the
    // default pointer.
    void pointer()
    {
        Brain *brain = startGame(1);
        QWidget *surface = brain->boardSurface();
        brain->ringClick(1, 0);
        QTest::mouseMove(surface, QPoint(30, 300)); // no pick, no change
        QCOMPARE(brain->mousePointer(), 0);
        QList<QImage> balls;
        for (int colour = 1; colour <= 6; ++colour) {
            click(brain->paletteImage(colour));
            click(brain->paletteImage(colour));
            QCOMPARE(brain->mousePointer(), 0);
            QTest::mouseMove(surface, QPoint(30 + colour, 300));
            QCOMPARE(brain->mousePointer(), 99);
            QCOMPARE(Global::pointerPending, 0);
            const QCursor cursor = surface->cursor();
            QCOMPARE(cursor.hotSpot() * 2, QPoint(cursor.pixmap().width(), cursor.pixmap().height()));
            balls << ballOf(cursor.pixmap().toImage());
            QList<double> distances;
            for (int other = 1; other <= 6; ++other)
                distances << distance(hue(balls.last()), hue(ballOf(QImage(ringName(other)))));

            QCOMPARE(std::min_element(distances.begin(), distances.end()) - distances.begin(), colour - 1);
            click(brain->ring(1, 0));
            QCOMPARE(brain->mousePointer(), 0);
        }
        // Colours that colour-blind players confuse differ by their signs,
        // on the pointer and in the ring pictures.
        for (const auto &[a, b] : {std::pair{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}, {5, 6}})
            QVERIFY(signDifference(balls[a - 1], balls[b - 1]) > 0.1
                    && signDifference(ballOf(QImage(ringName(a))), ballOf(QImage(ringName(b)))) > 0.1);
    }

    // Each click of the second button opens the attempt's row alone (past
    // ten, row 0 opens again beside row 9) and sets the hidden colours; a
    // number without an entry of its own moves up by ten, once, with a word.
    void attemptsOpenTheirRow_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<Guess>("hidden");
        QTest::newRow("1") << 1 << 1 << "4000000000" << Guess{1, 2, 3, 4};
        QTest::newRow("2") << 1 << 2 << "0400000000" << Guess{1, 2, 3, 4};
        QTest::newRow("10") << 1 << 10 << "0000000004" << Guess{1, 2, 3, 4};
        QTest::newRow("11") << 1 << 11 << "4000000004" << Guess{1, 2, 3, 4};
        QTest::newRow("170 is 180") << 170 << 2 << "0400000000" << Guess{4, 3, 6, 2};
    }
    void attemptsOpenTheirRow()
    {
        QFETCH(int, code);
        QFETCH(int, attempts);
        Brain *brain = startGame(code);
        for (int k = 2; k <= attempts; ++k)
            brain->Command2_Click();
        QCOMPARE(int(Global::attemptNumber), attempts);
        QTEST(boardState(brain).left(10), "rows");
        QTEST((Guess{Global::secretColor1, Global::secretColor2, Global::secretColor3, Global::secretColor4}), "hidden");
        QCOMPARE(messages->texts, code == 170 ? QStringList{"Das klappt !"} : QStringList{});
        QCOMPARE(Global::codeNumber, code == 170 ? 180 : code);
        QCOMPARE(brain->Command2->text(), QStringLiteral("Nächster Versuch"));
        QVERIFY(!brain->Command2->isEnabled() && brain->mnulösung->isEnabled());
        QVERIFY(!brain->mnuschwieriggrad->menuAction()->isEnabled());
        for (int n = 1; n <= 6; ++n)
            QVERIFY(brain->paletteImage(n)->isEnabled());
    }

    // A ring takes the colour picked last, replacing its ball; column 4
    // opens "&Zeigen". No pick, a press released off the ring, or a picture
    // that cannot be read place nothing.
    void placing()
    {
        Brain *brain = openBoard();
        click(brain->ring(1, 3)); // rows 1..9 take clicks before the game, but nothing is picked
        QVERIFY(brain->ring(1, 3)->picture().isNull());
        QCOMPARE(brain->mousePointer(), 0);
        brain = startGame(1);
        placeOne(3, 2, 0);
        placeOne(5, 2, 0);
        QCOMPARE(Global::guessColor2, 5);
        QVERIFY(distance(mean(ballOf(brain->ring(2, 0)->grab().toImage())), mean(ballOf(QImage(ringName(5))))) < 0.05);
        QVERIFY(!brain->Command1->isEnabled());
        click(brain->paletteImage(1));
        QTest::mousePress(brain->ring(1, 0), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(brain->ring(1, 0), Qt::LeftButton, {}, QPoint(5, 40));
        QVERIFY(brain->ring(1, 0)->picture().isNull());
        QCOMPARE(Global::guessColor1, 0);
        QVERIFY(QFile::remove(play->file(ringName(6))));
        QVERIFY(QDir().mkdir(play->file(ringName(6))));
        placeOne(6, 4, 0);
        QCOMPARE(messages->texts.size(), 1);
        QVERIFY(messages->texts[0].contains(ringName(6)) && messages->texts[0].contains(QDir::toNativeSeparators(play->path())));
        QVERIFY(brain->ring(4, 0)->picture().isNull() && !brain->Command1->isEnabled());
        QCOMPARE(Global::guessColor4, 0);
        QVERIFY(QFile(play->file(ringName(1))).resize(40)); // damaged: the old ball stays
        placeOne(1, 2, 0);
        QCOMPARE(Global::guessColor2, 5);
        QCOMPARE(messages->texts.size(), 2);
        placeOne(2, 4, 0);
        QVERIFY(brain->Command1->isEnabled());
    }

    // A player's own ring picture: the rings scale it into the hole, but for
    // the one in column 4 of row 0, which takes the picture's own size (its
    // pixels at its density).
    void playersRingPicture_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("natural");
        QTest::newRow("twice the pixels at 192 dpi") << 66 << 192 << 33;
        QTest::newRow("larger at 96 dpi") << 50 << 96 << 50;
        QTest::newRow("smaller, no density") << 20 << 0 << 20;
    }
    void playersRingPicture()
    {
        QFETCH(int, pixels);
        QFETCH(int, dpi);
        QFETCH(int, natural);
        QImage own(pixels, pixels, QImage::Format_RGB32);
        own.fill(Qt::magenta);
        own.setDotsPerMeterX(qRound(dpi / 0.0254));
        own.setDotsPerMeterY(qRound(dpi / 0.0254));
        QVERIFY(QFile::remove(play->file(ringName(1))) && own.save(play->file(ringName(1)), "JPEG", 100));
        Brain *brain = startGame(1);
        const QSize hole = brain->ring(1, 0)->size();
        placeOne(1, 4, 0);
        placeOne(1, 1, 0);
        QCOMPARE(brain->ring(4, 0)->size(), QSize(natural, natural));
        QCOMPARE(brain->ring(1, 0)->size(), hole);
        for (ImageBox *ring : {brain->ring(4, 0), brain->ring(1, 0)}) {
            const QImage shown = ring->grab().toImage();
            for (QPoint corner : {QPoint(1, 1), QPoint(shown.width() - 2, shown.height() - 2)})
                QVERIFY(distance(shown.pixelColor(corner), QColor(Qt::magenta)) < 0.2);
        }
    }

    // The lamps of the evaluated row only, lit from the left; its rings show
    // the no-drop pointer; the second button takes over. A repeated colour
    // is refused and changes nothing.
    void evaluating_data()
    {
        QTest::addColumn<Guess>("guess");
        QTest::addColumn<QString>("lamps"); // left, right
        QTest::newRow("right colours, no place") << Guess{4, 3, 2, 1} << "00001111";
        QTest::newRow("one absent, one place") << Guess{1, 5, 2, 3} << "10001110";
        QTest::newRow("both absent, columns 4 and 2") << Guess{1, 6, 3, 5} << "11001100";
        QTest::newRow("repeated colour") << Guess{1, 1, 2, 3} << "00000000";
    }
    void evaluating()
    {
        QFETCH(Guess, guess);
        QFETCH(QString, lamps);
        Brain *brain = startGame(1);
        playAttempts(1);
        click(brain->Command2);
        place(guess, 1);
        click(brain->Command1);
        const bool refused = lamps == "00000000";
        QCOMPARE(messages->texts, refused ? QStringList{"Vier verschiedene Farben auswählen !"} : QStringList{});
        for (int row = 0; row < 3; ++row)
            QCOMPARE(lampPattern(row, true) + lampPattern(row, false),
                     row == 0 ? QStringLiteral("00001111") : row == 1 ? lamps : QStringLiteral("00000000"));
        QCOMPARE(brain->Command1->isEnabled(), refused);
        QCOMPARE(brain->Command2->isEnabled(), !refused);
        for (int column = 1; column <= 4; ++column)
            QCOMPARE(brain->ring(column, 1)->mousePointer(), refused ? 2 : 12);
    }

    // A column keeps the colour placed last in it, in whatever row; a second
    // "&Zeigen" in a row adds to its lamps but may darken the third; a win
    // lights all eight before its message, then shows the result.
    void columnsRememberTheirColour()
    {
        Brain *brain = startGame(1);
        place({1, 2, 4, 3}, 0);
        click(brain->Command1);
        place({0, 0, 5, 6}, 0);
        click(brain->Command1);
        QCOMPARE(lampPattern(0, true) + lampPattern(0, false), QStringLiteral("11001101"));
        click(brain->Command2);
        QString during;
        messages->onMessage = [&](const QString &) { during = lampPattern(1, true) + lampPattern(1, false); };
        place({0, 0, 3, 4}, 1);
        click(brain->Command1);
        QCOMPARE(messages->texts, QStringList{"Code geknackt !"});
        QCOMPARE(during, QStringLiteral("11111111"));
        QVERIFY(Form<WinorLose>::loaded()->isVisible());
        QCOMPARE(currentBoard(), brain);
        QVERIFY(brain->Command2->isEnabled() && !brain->Command1->isEnabled());
    }

    // Before the game a colour left picked can go into rows 1..9 and be
    // evaluated against hidden colours that are still none.
    void evaluationBeforeTheGame()
    {
        Global::selectedColor = 2;
        Brain *brain = openBoard();
        Global::codeNumber = 1;
        click(brain->ring(4, 3));
        click(brain->Command1); // three empty columns repeat colour 0
        QCOMPARE(messages->texts.size(), 1);
        Global::guessColor1 = 1;
        Global::guessColor2 = 3;
        Global::guessColor3 = 4;
        click(brain->Command1);
        QCOMPARE(lampPattern(0, true) + lampPattern(0, false), QStringLiteral("00001111"));
        QCOMPARE(brain->Command2->text(), QStringLiteral("&Spiel beginnen"));
        QVERIFY(brain->Command2->isEnabled() && !brain->Command1->isEnabled());
    }

    void noLevelNoLoss()
    {
        startGame(1);
        playAttempts(11);
        QVERIFY(messages->texts.isEmpty());
        QCOMPARE(Global::currentRow, 9); // attempt 11 scores into row 9 again
        QCOMPARE(lampPattern(9, false), QStringLiteral("1111"));
    }

    // Masks, flags, open rows and check marks for each level and order of
    // choosing; a shown mask takes the clicks meant for the holes under it.
    void levels_data()
    {
        QTest::addColumn<QString>("choices");
        QTest::addColumn<QString>("state");
        QTest::newRow("Einfach") << "E" << "0444444444||100|E--";
        QTest::newRow("Schwer") << "S" << "0444444400|358|010|-S-";
        QTest::newRow("Superbrain") << "B" << "0444400000|34567|001|--B";
        QTest::newRow("Schwer after Einfach") << "ES" << "0444444400|358|110|-S-";
        QTest::newRow("Superbrain after Schwer") << "SB" << "0444400000|345678|001|--B";
        QTest::newRow("Schwer after Superbrain") << "BS" << "0444444400|358|010|-S-";
        QTest::newRow("Einfach after Superbrain") << "BE" << "0444444444||100|E--";
        QTest::newRow("Superbrain after Einfach") << "EB" << "0444400000|34567|101|--B";
    }
    void levels()
    {
        QFETCH(QString, choices);
        QFETCH(QString, state);
        Global::selectedColor = 1;
        Brain *brain = openBoard();
        for (QChar c : choices)
            level(brain, c)->trigger();
        QCOMPARE(boardState(brain), state);
        const int firstHidden = state.indexOf(u'0', 1) < 0 || state.indexOf(u'0', 1) > 9 ? 10 : state.indexOf(u'0', 1);
        for (int row = 5; row < 10; ++row)
            for (int column = 1; column <= 4; ++column) {
                ImageBox *hole = brain->ring(column, row);
                hole->setEnabled(true);
                QTest::mouseClick(brain->windowHandle(), Qt::LeftButton, {}, hole->mapTo(brain, hole->rect().center()));
                QCOMPARE(hole->picture().isNull(), row >= firstHidden);
            }
    }

    // At the level's last attempt a miss is lost: its message over the old
    // board, then a fresh board without level under the second message.
    void lastAttempt_data()
    {
        QTest::addColumn<QString>("levels");
        QTest::addColumn<int>("last");
        QTest::addColumn<QStringList>("texts");
        const QStringList schwer{"Code leider nicht geknackt !", "Probier es nochmal !"};
        QTest::newRow("Schwer") << "S" << 8 << schwer;
        QTest::newRow("Einfach") << "E" << 10 << QStringList{"Code nicht geknackt !", "Probier es nochmal !"};
        QTest::newRow("Superbrain") << "B" << 5 << QStringList{"Code nicht geknackt!", "Probier es nochmal!"};
        QTest::newRow("Schwer after Einfach") << "ES" << 8 << schwer;
        QTest::newRow("Schwer, a win at 8") << "S" << 8 << QStringList{"Code geknackt !"};
    }
    void lastAttempt()
    {
        QFETCH(QString, levels);
        QFETCH(int, last);
        QFETCH(QStringList, texts);
        Brain *brain = startGame(1, levels);
        playAttempts(last - 1);
        QVERIFY(messages->texts.isEmpty());
        QStringList during;
        messages->onMessage = [&](const QString &) {
            during << (currentBoard() == brain ? "old " : "fresh ") + currentBoard()->Command2->text() + ' '
                    + lampPattern(last - 1, false);
        };
        playAttempts(1, texts.size() == 1);
        QCOMPARE(messages->texts, texts);
        QCOMPARE(bool(Form<WinorLose>::loaded()), texts.size() == 1); // a loss reveals nothing
        if (texts.size() == 1) {
            QCOMPARE(currentBoard(), brain);
            return;
        }
        QCOMPARE(during, (QStringList{"old Nächster Versuch 1111", "fresh &Spiel beginnen 0000"}));
        QCOMPARE(Global::attemptNumber, 0);
        QCOMPARE(boardState(currentBoard()), QStringLiteral("0444444444||000|---"));
        QVERIFY(currentBoard()->Command2->isEnabled() && !currentBoard()->Command1->isEnabled());
    }

    // The result window's first OK leads to the highscores with the box of
    // the attempts used (1 to 5) open and focused; their OK returns to a
    // fresh board without level.
    void winnersName_data()
    {
        QTest::addColumn<QString>("levels");
        QTest::addColumn<int>("attempts");
        QTest::newRow("1 at Superbrain") << "B" << 1;
        QTest::newRow("5") << "" << 5;
        QTest::newRow("7: no box") << "" << 7;
    }
    void winnersName()
    {
        QFETCH(QString, levels);
        QFETCH(int, attempts);
        startGame(1, levels);
        playAttempts(attempts, true);
        WinorLose *result = Form<WinorLose>::loaded();
        QVERIFY(result->Command1->isVisible() && !result->Command2->isVisible());
        QVERIFY(!(result->windowFlags() & Qt::WindowCloseButtonHint));
        result->Command1->setFocus();
        QTest::keyClick(result->Command1, Qt::Key_Return);
        settle();
        QVERIFY(!Form<WinorLose>::loaded());
        QCOMPARE(Global::secretColor1 + Global::secretColor2 + Global::secretColor3 + Global::secretColor4, 0);
        Form1 *scores = Form<Form1>::loaded();
        for (int index = 0; index < 5; ++index)
            QCOMPARE(scores->Text2(index)->isEnabled(), index == attempts - 1);
        QWidget *box = attempts <= 5 ? scores->Text2(attempts - 1) : nullptr;
        QCOMPARE(scores->focusWidget(), box ? box : scores->Command1);
        if (box) {
            typeText(box, QStringLiteral("Jürgen")); // replaces the name there
            QTest::keyClick(box, Qt::Key_Return);     // does not close the window
            QVERIFY(Form<Form1>::loaded());
        }
        Brain *before = currentBoard();
        click(scores->Command1);
        settle();
        QVERIFY(!Form<Form1>::loaded() && currentBoard() != before);
        QCOMPARE(Global::highscoreViewOnly, 1);
        QCOMPARE(boardState(currentBoard()), QStringLiteral("0444444444||000|---"));
        QCOMPARE(Global::recordName(qMin(attempts, 5)) == QStringLiteral("Jürgen"), bool(box));
    }

    // Restarted behind the open result window, the board is at attempt 0,
    // so the highscores open no box; a double click only closes the window.
    void resultWindowLeftOtherwise()
    {
        startGame(1);
        playAttempts(2, true);
        currentBoard()->activateWindow();
        settle();
        QCOMPARE(Global::attemptNumber, 0);
        click(Form<WinorLose>::loaded()->Command1);
        for (int index = 0; index < 5; ++index)
            QVERIFY(!Form<Form1>::loaded()->Text2(index)->isEnabled());
        unloadAll();
        startGame(1);
        playAttempts(1, true);
        QTest::mouseDClick(Form<WinorLose>::loaded(), Qt::LeftButton, {}, QPoint(5, 120));
        settle();
        QVERIFY(!Form<WinorLose>::loaded() && !Form<Form1>::loaded());
        QCOMPARE(Global::secretColor1 + Global::restartPending, 2);
    }

    // "Lösung anzeigen" shows the code (a ball of its own colour where a
    // picture is missing); its OK marks the board for a restart.
    void solution()
    {
        Brain *brain = startGame(1);
        QList<QColor> ringColours;
        for (int colour = 1; colour <= 6; ++colour)
            ringColours << hue(ballOf(QImage(ringName(colour))));
        QVERIFY(QFile::remove(play->file(ringName(1))));
        brain->mnulösung->trigger();
        WinorLose *result = Form<WinorLose>::loaded();
        QVERIFY(result->Command2->isVisible() && !result->Command1->isVisible());
        QCOMPARE(Global::highscoreViewOnly, 1);
        for (int column = 1; column <= 4; ++column) {
            QList<double> d;
            for (const QColor &c : ringColours)
                d << distance(hue(ballOf(result->picture(column)->grab().toImage())), c);
            QCOMPARE(std::min_element(d.begin(), d.end()) - d.begin(), column - 1); // code 1 hides 1-2-3-4
        }
        QVERIFY(messages->texts.isEmpty());
        brain->mnulösung->trigger();
        QCOMPARE(Form<WinorLose>::loaded(), result);
        click(result->Command2);
        settle();
        QVERIFY(!Form<WinorLose>::loaded() && !Form<Form1>::loaded());
        QCOMPARE(currentBoard(), brain);
        brain->activateWindow();
        settle();
        QVERIFY(currentBoard() != brain);
        QCOMPARE(Global::attemptNumber, 0);
    }

    void tabOrder_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("order");
        QTest::newRow("board") << "board" << "Command2 Command1";
        QTest::newRow("highscores") << "highscores" << "Text2(0) Text2(1) Text2(2) Text2(3) Text2(4) Command1";
    }
    void tabOrder()
    {
        QFETCH(QString, window);
        QWidget *w = openWindow(window);
        QStringList chain;
        for (QWidget *next = w->nextInFocusChain(); next != w; next = next->nextInFocusChain())
            if (next->focusPolicy() & Qt::TabFocus && next->window() == w)
                chain << next->objectName();
        QTEST(chain.join(u' '), "order");
    }

    // "&Start" leaves the start window for the board; the catalogue opened
    // from it stays.
    void startWindow()
    {
        auto *splash = showModeless<FrmSplash>();
        click(splash->Command1);
        QPointer<FrmSoftware> catalogue = Form<FrmSoftware>::loaded();
        QVERIFY(catalogue && catalogue->isVisible() && splash->isVisible());
        click(splash->Command2);
        settle();
        QVERIFY(!Form<FrmSplash>::loaded() && Form<Brain>::loaded()->isVisible() && catalogue->isVisible());
    }

    // Each information window exists once and ends the program when it is
    // the last one closed; OK, Enter, Esc and its close box unload it, but
    // Esc leaves the instructions, which have no cancel button.
    void closing_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("how");
        for (const char *w : {"about", "catalogue"})
            for (const char *how : {"OK", "Enter", "Esc", "close box"})
                QTest::addRow("%s %s", w, how) << QString(w) << QString(how);
        for (const char *how : {"Alt+O", "Esc", "close box"})
            QTest::addRow("instructions %s", how) << "instructions" << QString(how);
    }
    void closing()
    {
        QFETCH(QString, window);
        QFETCH(QString, how);
        QPointer<QWidget> w = openWindow(window);
        QCOMPARE(openWindow(window), w.data());
        QVERIFY(w->testAttribute(Qt::WA_QuitOnClose) && QTest::qWaitForWindowActive(w));
        if (how == "OK")
            click(w->findChild<QPushButton *>("cmdOK"));
        else if (how == "close box")
            w->close();
        else
            QTest::keyClick(w, how == "Enter" ? Qt::Key_Enter : how == "Esc" ? Qt::Key_Escape : Qt::Key_O,
                            how == "Alt+O" ? Qt::AltModifier : Qt::NoModifier);
        const bool stays = how == "Esc" && window == "instructions";
        QTRY_COMPARE(bool(w && w->isVisible()), stays); // an access key presses its button a moment later
        settle();
        QCOMPARE(w.isNull(), !stays);
    }

    // The credits line runs left from its place and is gone after 159 ticks,
    // jumps right first where it would start beyond the window, and starts
    // anew at every opening.
    void credits_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("x");
        QTest::newRow("design place") << 0 << 320;
        QTest::newRow("one tick") << 1 << 313;
        QTest::newRow("last seen") << 158 << -802;
        QTest::newRow("gone") << 159 << -809;
    }
    void credits()
    {
        QFETCH(int, ticks);
        QFETCH(int, x);
        auto *w = showModeless<FrmAbout>();
        QTRY_VERIFY(w->lblDescription->x() < 320); // moving by itself
        w->close();
        w = showModeless<FrmAbout>();
        w->Timer1->stop();
        for (int i = 0; i < ticks; ++i)
            w->Timer1_Timer();
        QCOMPARE(w->lblDescription->x(), x);
        QCOMPARE(w->lblDescription->geometry().right() >= 0, ticks < 159);
        QCOMPARE(creditsStep(16365.0, 11325.0, 5040.0), 16265.0);
        QCOMPARE(creditsStep(16366.0, 11325.0, 5040.0), 16666.0);
    }

    // Labels break at blanks only, keep blank runs inside a line, drop the
    // run at a break and cut a word wider than the label where it overflows.
    void breakingLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width"); // one unit per character
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("run kept") << "ab  cd" << 6.0 << QStringList{"ab  cd"};
        QTest::newRow("run dropped at a break") << "ab   cd  " << 6.0 << QStringList{"ab", "cd"};
        QTest::newRow("word of the full width") << "abc de" << 3.0 << QStringList{"abc", "de"};
        QTest::newRow("leading run alone") << "    ab" << 5.0 << QStringList{"", "ab"};
        QTest::newRow("long word cut") << "ab cdefgh" << 3.0 << QStringList{"ab", "cde", "fgh"};
        QTest::newRow("a character at least") << "abc" << 0.5 << QStringList{"a", "b", "c"};
        QTest::newRow("paragraphs") << "ab\r\n\r\ncd" << 9.0 << QStringList{"ab", "", "cd"};
    }
    void breakingLines()
    {
        QFETCH(QString, text);
        QFETCH(double, width);
        QTEST(infoui::DesignLabel::breakLines(text, width, [](const QString &s) { return double(s.size()); }),
              "lines");
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
