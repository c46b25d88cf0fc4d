// The board window as loaded: its design, the load steps, activation and a
// new game.

#include "testsupport.h"

#include "common/form.h"
#include "game/boarddesign.h"
#include "game/brain.h"
#include "game/global.h"
#include "results/winorlose.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

class TestBoard : public GameTest
{
    Q_OBJECT

private slots:
    // Every control where the design puts it, in pixels: a swapped row or
    // column index, or a wrong twips conversion, fails here.
    void controlsWhereDesigned()
    {
        std::vector<std::pair<QString, QRect>> table;
        auto add = [&](const QString &name, const QRect &pixels) { table.emplace_back(name, pixels); };
        for (int row = 0; row < board::rows; ++row) {
            for (int column = 0; column < board::columns; ++column)
                add(QStringLiteral("Picture%1(%2)").arg(column + 7).arg(row),
                    twips::rect(board::ringRect(row, column)));
            for (int shape = 0; shape < 8; ++shape)
                add(QStringLiteral("Shape%1(%2)").arg(shape + 1).arg(row), twips::rect(board::lampRect(row, shape)));
        }
        for (int n = 0; n < 6; ++n) {
            add(QStringLiteral("Picture%1").arg(n + 1), twips::rect(board::palette[n]));
            add(QStringLiteral("Label%1").arg(n + 3), twips::rect(board::masks[n]));
        }
        // A few written out in pixels, independent of the tables.
        add(QStringLiteral("Picture7(8)"), QRect(248, 368, 33, 33)); // column 1 steps left in rows 8, 9
        add(QStringLiteral("Picture10(0)"), QRect(360, 112, 33, 33));
        add(QStringLiteral("Command1"), QRect(240, 472, 129, 33));
        add(QStringLiteral("Command2"), QRect(88, 472, 129, 33));
        add(QStringLiteral("Label10"), QRect(16, 512, 457, 25));
        add(QStringLiteral("Label9"), QRect(0, 0, 25, 577));
        add(QStringLiteral("Shape1(2)"), QRect(56, 152, 9, 9));

        Brain *brain = openBoard();
        for (const auto &[name, pixels] : table) {
            auto *control = brain->findChild<QWidget *>(name);
            QVERIFY2(control, qPrintable(name));
            QVERIFY2(control->geometry() == pixels, qPrintable(name));
        }
    }

    // Clicks must land on the control in front: masks before rings, the
    // buttons before everything, and lamps let clicks through.
    void stackingOrder()
    {
        Brain *brain = openBoard();
        QWidget *surface = brain->centralWidget();
        for (int row = 0; row < board::rows; ++row)
            for (int column = 1; column <= 4; ++column)
                QCOMPARE(surface->childAt(brain->ring(column, row)->geometry().center()), brain->ring(column, row));
        brain->mask(3)->show();
        QCOMPARE(surface->childAt(brain->ring(1, 9)->geometry().center()), brain->mask(3));
        brain->mask(6)->show(); // Label6 lies in front of Label3
        QCOMPARE(surface->childAt(brain->ring(1, 9)->geometry().center()), brain->mask(6));
        // Label10 lies over Label3 where both reach.
        QCOMPARE(surface->childAt(QPoint(100, 520)), brain->Label10);
        QCOMPARE(surface->childAt(brain->Command1->geometry().center()), brain->Command1);
        QCOMPARE(surface->childAt(brain->Command2->geometry().center()), brain->Command2);
        QCOMPARE(surface->childAt(brain->lamp(1, 0)->geometry().center()), nullptr); // the board itself
    }

    void windowFrameTitleAndPlace()
    {
        Brain *brain = openBoard();
        QCOMPARE(brain->windowTitle(), QStringLiteral("Farbrix v. 1.0"));
        QVERIFY(brain->windowFlags() & Qt::Tool);
        QVERIFY(!(brain->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(brain->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(brain->centralWidget()->size(), QSize(474, 537));
        QCOMPARE(brain->centralWidget()->mapToGlobal(QPoint(0, 0)), QPoint(168, 213));
        brain->resize(700, 700); // sizable, but nothing on the board moves
        QCOMPARE(brain->size(), QSize(700, 700));
        QCOMPARE(brain->ring(1, 0)->geometry(), QRect(256, 88, 33, 33));
        QCOMPARE(brain->Command1->geometry(), QRect(240, 472, 129, 33));
        QVERIFY(brain->testAttribute(Qt::WA_QuitOnClose));
    }

    void freshBoardState()
    {
        Brain *brain = openBoard();
        QCOMPARE(brain->Command2->text(), QStringLiteral("&Spiel beginnen"));
        QVERIFY(brain->Command2->isEnabled());
        QVERIFY(!brain->Command1->isEnabled());
        QCOMPARE(brain->Command1->text(), QStringLiteral("&Zeigen"));
        for (int n = 1; n <= 6; ++n)
            QVERIFY(!brain->paletteImage(n)->isEnabled());
        for (int row = 0; row < board::rows; ++row) {
            for (int column = 1; column <= 4; ++column) {
                QCOMPARE(brain->ring(column, row)->isEnabled(), row != 0);
                QVERIFY(brain->ring(column, row)->picture().isNull());
                QCOMPARE(brain->ring(column, row)->mousePointer(), 2);
            }
            for (int shape = 1; shape <= 8; ++shape)
                QCOMPARE(brain->lamp(shape, row)->fillColor(), board::lampGrey);
        }
        for (int n = 3; n <= 8; ++n)
            QVERIFY(brain->mask(n)->isHidden());
        QVERIFY(brain->mnuschwieriggrad->menuAction()->isEnabled());
        QVERIFY(!brain->mnulösung->isEnabled());
        for (QAction *level : {brain->mnueinfach, brain->mnuschwer, brain->mnusuperbrain})
            QVERIFY(!level->isChecked());
        QCOMPARE(brain->mousePointer(), 99);
        QVERIFY(brain->Label10->text().startsWith(QString(232, u' ')));
        QVERIFY(brain->Label10->text().size() > 232);
        QCOMPARE(brain->focusWidget(), brain->Command2);
    }

    void menuTree()
    {
        Brain *brain = openBoard();
        QStringList captions;
        for (QAction *top : brain->menuBar()->actions()) {
            captions << top->text();
            for (QAction *item : top->menu()->actions()) {
                captions << (item->isSeparator() ? QStringLiteral("-") : QStringLiteral("  ") + item->text());
                if (item->menu())
                    for (QAction *sub : item->menu()->actions())
                        captions << QStringLiteral("    ") + sub->text();
            }
        }
        const QStringList expected{
            "&Spiel", "  &Neu", "  Beenden", "&Optionen", "  Schwierigkeitsgrad", "    Einfach", "    Schwer",
            "    Superbrain", "-", "  Highscore", "-", QStringLiteral("  Lösung anzeigen"), "&Hilfe", "  &Anleitung",
            QStringLiteral("  &Über"), "  &Softwarekatalog"};
        QCOMPARE(captions, expected);
    }

    // The load steps clear the game but keep the picked colour and the names.
    void loadStepsKeepWhatOutlivesAGame()
    {
        Global::selectedColor = 4;
        Global::highscoreViewOnly = 1;
        Global::recordName2 = QStringLiteral("Anna");
        Global::easyMode = Global::hardMode = Global::superMode = 1;
        Global::guessColor3 = 5;
        Global::secretColor2 = 6;
        Global::restartPending = 1;
        Global::attemptNumber = 7;
        openBoard();
        QCOMPARE(Global::selectedColor, 4);
        QCOMPARE(Global::highscoreViewOnly, 1);
        QCOMPARE(Global::recordName2, QStringLiteral("Anna"));
        QCOMPARE(Global::easyMode + Global::hardMode + Global::superMode, 0);
        QCOMPARE(Global::guessColor3, 0);
        QCOMPARE(Global::secretColor2, 0);
        QCOMPARE(Global::restartPending, 0);
        QCOMPARE(Global::attemptNumber, 0);
        QVERIFY(Global::codeNumber >= 1 && Global::codeNumber <= 306);
        QCOMPARE(Global::ringFile2, QStringLiteral("grünring.jpg"));
        QCOMPARE(Global::ringFile6, QStringLiteral("weißring.jpg"));
    }

    // Activation restarts the board only when a restart is pending, and only
    // when the board becomes the program's active window.
    void activationRestartsOnlyWhenPending()
    {
        Brain *first = openBoard();
        first->mnuschwer_Click();
        Form<WinorLose>::instance()->show(); // another window of the program takes the focus
        settle();
        first->activateWindow();
        settle();
        QCOMPARE(currentBoard(), first);
        QVERIFY(first->mask(3)->isVisible());

        showModeless<WinorLose>();
        settle();
        Global::restartPending = 1;
        first->activateWindow();
        settle();
        Brain *second = currentBoard();
        QVERIFY(second != first);
        QCOMPARE(Global::restartPending, 0);
        QVERIFY(second->mask(3)->isHidden());
        QCOMPARE(second->Command2->text(), QStringLiteral("&Spiel beginnen"));
    }

    void newGameReplacesTheBoard()
    {
        Brain *first = openBoard();
        Global::selectedColor = 3;
        first->Command2_Click();
        QVERIFY(!first->mnuschwieriggrad->menuAction()->isEnabled());
        const auto before = Global::codeNumber;
        Q_UNUSED(before);
        first->mnuNeu->trigger();
        Brain *second = currentBoard();
        QVERIFY(second != first);
        QCOMPARE(Global::attemptNumber, 0);
        QCOMPARE(Global::selectedColor, 3);
        QVERIFY(second->mnuschwieriggrad->menuAction()->isEnabled());
        QVERIFY(second->Command2->isEnabled());
        QCOMPARE(second->Command2->text(), QStringLiteral("&Spiel beginnen"));
        QVERIFY(!second->mnulösung->isEnabled());
        QVERIFY(Global::codeNumber >= 1 && Global::codeNumber <= 306);
        settle();
        QVERIFY(Form<Brain>::loaded() == second);
        const auto windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(), [](QWidget *w) { return qobject_cast<Brain *>(w); }),
                 1);
    }

    // Picking arms the custom pointer; it switches at the next movement over
    // the board, once; a ring click always brings the default back.
    void pointerAlternates()
    {
        Brain *brain = openBoard();
        brain->Command2_Click();
        QWidget *surface = brain->centralWidget();
        brain->ringClick(1, 0);
        QCOMPARE(brain->mousePointer(), 0);
        QTest::mouseMove(surface, QPoint(20, 300));
        QCOMPARE(brain->mousePointer(), 0);
        click(brain->paletteImage(2));
        click(brain->paletteImage(2));
        QCOMPARE(Global::pointerPending, 2);
        QCOMPARE(brain->mousePointer(), 0);
        QTest::mouseMove(surface, QPoint(30, 300));
        QCOMPARE(brain->mousePointer(), 99);
        QCOMPARE(Global::pointerPending, 0);
        click(brain->ring(1, 0));
        QCOMPARE(brain->mousePointer(), 0);
    }
};

QTEST_MAIN(TestBoard)
#include "test_board.moc"
