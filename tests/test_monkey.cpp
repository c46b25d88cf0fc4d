// A seeded monkey on the real windows: clicks anywhere, menu commands,
// activations, closings and damaged ring pictures, half of its moves playing
// towards a win, with the game's invariants checked after every event.
// FARBRIX_MONKEY_SEED and FARBRIX_MONKEY_EVENTS choose the run.

#include "testsupport.h"

#include "common/form.h"
#include "game/global.h"
#include "game/rules.h"
#include "info/frmsplash.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <random>
#include <set>

using namespace testsupport;

namespace {

QList<QWidget *> openWindows() // in a fixed order, so that a seed replays
{
    QList<QWidget *> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && !qobject_cast<QMenu *>(w))
            windows << w;
    std::sort(windows.begin(), windows.end(), [](QWidget *a, QWidget *b) { return a->objectName() < b->objectName(); });
    return windows;
}

QString brokenInvariant(bool newBoard)
{
    std::set<QString> names;
    for (QWidget *w : openWindows())
        if (!names.insert(w->objectName()).second)
            return "two windows " + w->objectName();
    Brain *board = Form<Brain>::loaded();
    using namespace Global;
    const std::set<int> hidden{secretColor1, secretColor2, secretColor3, secretColor4};
    const auto absent = rules::absentColours(codeNumber);
    if (board && (codeNumber < 1 || codeNumber > 306 || (hidden != std::set<int>{0}
                  && (hidden.size() != 4 || hidden.count(absent.first) || hidden.count(absent.second)))))
        return QStringLiteral("code number %1 and hidden colours do not fit").arg(codeNumber);
    if (board && newBoard && easyMode + hardMode + superMode + attemptNumber != 0)
        return "a new board kept the level or the attempt";
    const bool playing = board && attemptNumber >= 1 && attemptNumber <= 10 && board->Command2->text() == "Nächster Versuch";
    for (int row = 0; board && row < 10; ++row) {
        for (int column = 1; playing && column <= 4; ++column)
            if (board->ring(column, row)->isEnabled() != (row == attemptNumber - 1))
                return QStringLiteral("attempt %1: ring %2 of row %3").arg(attemptNumber).arg(column).arg(row);
        const QString left = lampPattern(row, true), right = lampPattern(row, false);
        if (left.contains("01") || (right != "0000" && !right.startsWith("11")))
            return QStringLiteral("row %1: lamps %2 %3").arg(row).arg(left, right);
    }
    return {};
}

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT
private slots:
    void randomPlayKeepsTheInvariants()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        const unsigned seed = qEnvironmentVariableIntValue("FARBRIX_MONKEY_SEED");
        const int events = qEnvironmentVariableIsSet("FARBRIX_MONKEY_EVENTS")
            ? qEnvironmentVariableIntValue("FARBRIX_MONKEY_EVENTS") : 2000;
        resetGlobal();
        PlayDir play;
        Messages messages;
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return int(rng() % unsigned(n)); };
        QPointer<Brain> lastBoard;
        for (int step = 1; step <= events; ++step) {
            const QList<QWidget *> windows = openWindows();
            Brain *board = Form<Brain>::loaded();
            const int kind = pick(10);
            QWidget *w = windows.isEmpty() ? nullptr : windows[pick(int(windows.size()))];
            if (!w) {
                showModeless<FrmSplash>();
            } else if (kind < 5 && board && board->isVisible()) { // towards a win
                const int column = 1 + pick(4), colour = Global::secretColor(column);
                placeOne(colour ? colour : 1 + pick(6), column, std::clamp<int>(Global::attemptNumber - 1, 0, 9));
                click(pick(2) ? board->Command1 : board->Command2);
            } else if (kind < 7) { // whatever lies at a control's middle takes the click
                const QList<QWidget *> controls = w->findChildren<QWidget *>();
                QWidget *c = controls.isEmpty() ? w : controls[pick(int(controls.size()))];
                if (!qobject_cast<QMenu *>(c) && !c->inherits("QMenuBar"))
                    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, c->mapTo(w, c->rect().center()));
            } else if (kind < 8 && board) {
                QList<QAction *> commands{board->mnuNeu, board->mnuhighscore, board->mnulösung, board->mnuanleitung,
                                          board->mnucredits, board->swkatalog};
                if (board->mnuschwieriggrad->menuAction()->isEnabled())
                    commands << board->mnueinfach << board->mnuschwer << board->mnusuperbrain;
                commands[pick(int(commands.size()))]->trigger();
            } else if (kind < 9) {
                pick(2) ? w->activateWindow() : void(w->close());
            } else { // a ring picture damaged or put back
                const QString ring = ringName(1 + pick(6));
                QFile::remove(ring);
                QFile damaged(ring);
                if (pick(2) && damaged.open(QIODevice::WriteOnly))
                    damaged.write(QByteArray(pick(64), char(pick(256))));
                else
                    QFile::copy(QDir(qEnvironmentVariable("FARBRIX_RING_DIR")).filePath(ring), ring);
            }
            settle();
            if (Form<Brain>::loaded() != lastBoard && Form<Brain>::loaded() && Global::attemptNumber == 0)
                Global::codeNumber = rules::drawCodeNumber(rng()); // the draw follows the seed too
            const QString broken = brokenInvariant(Form<Brain>::loaded() != lastBoard);
            lastBoard = Form<Brain>::loaded();
            if (!broken.isEmpty()) {
                unloadAll();
                QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3").arg(seed).arg(step).arg(broken)));
            }
        }
        unloadAll();
        qInfo("seed %u: %d events, %d wins", seed, events, int(messages.texts.count("Code geknackt !")));
        QVERIFY2(events < 2000 || messages.texts.contains("Code geknackt !"), "no game won: moves miss the game");
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
