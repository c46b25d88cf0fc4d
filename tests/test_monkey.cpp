// A seeded monkey on the real windows: thousands of random clicks, keys,
// menu commands, activations and closings, with the ring pictures and the
// highscore file damaged now and then, and the game's invariants checked
// after every single event.
//
// FARBRIX_MONKEY_SEED=n replays one seed, FARBRIX_MONKEY_SEEDS / _EVENTS make
// longer runs, FARBRIX_MONKEY_TRACE=1 prints every event as it happens (for a
// crash, where the log printed on failure never comes).

#include "testsupport.h"

#include "common/form.h"
#include "game/boarddesign.h"
#include "game/codetable.h"
#include "game/global.h"
#include "game/rules.h"
#include "info/frmabout.h"
#include "info/frmanleitung.h"
#include "info/frmsoftware.h"
#include "info/frmsplash.h"
#include "results/form1.h"
#include "results/winorlose.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <random>
#include <set>

using namespace testsupport;

namespace {

const char16_t *const ringNames[] = {u"rot2ring.jpg", u"grünring.jpg", u"ora2ring.jpg",
                                     u"gelbring.jpg", u"blauring.jpg", u"weißring.jpg"};

QString ringName(int colour) { return QString::fromUtf16(ringNames[colour - 1]); }

int envInt(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

QString describe(const QWidget *w)
{
    const QString name = w->objectName();
    return name.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : name;
}

// Visible top-level windows, in an order that does not depend on the hash
// set Qt keeps them in, so a seed replays the same events.
QList<QWidget *> openWindows()
{
    QList<QWidget *> windows;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !qobject_cast<QMenu *>(w))
            windows << w;
    }
    std::sort(windows.begin(), windows.end(), [](QWidget *a, QWidget *b) {
        return std::pair(QByteArray(a->metaObject()->className()), a->objectName())
            < std::pair(QByteArray(b->metaObject()->className()), b->objectName());
    });
    return windows;
}

class Monkey
{
public:
    Monkey(unsigned seed, PlayDir &dir, Messages &messages)
        : seed(seed), rng(seed), dir(dir), messages(messages)
    {
        trace = qEnvironmentVariableIntValue("FARBRIX_MONKEY_TRACE") != 0;
        messages.onMessage = [this](const QString &text) {
            note(QStringLiteral("      message: ") + QString(text).replace(u'\n', u' '));
        };
    }

    // Runs the events; returns the first broken invariant, or nothing.
    QString run(int events)
    {
        for (step = 1; step <= events; ++step) {
            event();
            settle();
            closeStrayPopups();
            const QString broken = check();
            if (!broken.isEmpty())
                return broken;
            followSeedInDraw();
        }
        return {};
    }

    QStringList log;
    int step = 0;

private:
    unsigned seed;
    std::mt19937 rng;
    PlayDir &dir;
    Messages &messages;
    bool trace = false;
    QPointer<Brain> lastBoard;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

    void note(const QString &line)
    {
        log << line;
        if (trace)
            fprintf(stderr, "%s\n", qPrintable(line));
    }
    void act(const QString &what) { note(QStringLiteral("%1: %2").arg(step).arg(what)); }

    // --- events --------------------------------------------------------

    void event()
    {
        if (chance(0.55))
            usefulMove();
        else
            arbitraryEvent();
    }

    void clickAt(QWidget *window, QPoint at, const QString &what)
    {
        act(QStringLiteral("click %1 at (%2,%3) in %4").arg(what).arg(at.x()).arg(at.y()).arg(describe(window)));
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    }

    // A click at the control's centre, through the window, so that whatever
    // lies on top there (a mask, a lamp, another control) takes it.
    void clickControl(QWidget *control)
    {
        QWidget *window = control->window();
        clickAt(window, control->mapTo(window, control->rect().center()), describe(control));
    }

    void usefulMove()
    {
        if (auto *result = Form<WinorLose>::loaded(); result && result->isVisible() && chance(0.5))
            return clickControl(result->Command1->isVisible() ? result->Command1 : result->Command2);
        if (auto *scores = Form<Form1>::loaded(); scores && scores->isVisible() && chance(0.5)) {
            if (chance(0.3)) {
                for (int index = 0; index < 5; ++index) {
                    if (scores->Text2(index)->isEnabled()) {
                        act(QStringLiteral("type a name into Text2(%1)").arg(index));
                        typeText(scores->Text2(index), randomText());
                    }
                }
            }
            return clickControl(scores->Command1);
        }

        Brain *board = Form<Brain>::loaded();
        if (!board || !board->isVisible()) {
            if (auto *splash = Form<FrmSplash>::loaded(); splash && splash->isVisible())
                return clickControl(splash->Command2);
            act(QStringLiteral("program start: splash window"));
            Form<FrmSplash>::instance()->show();
            return;
        }

        const int attempt = Global::attemptNumber;
        const int row = attempt >= 1 && attempt <= board::rows ? attempt - 1 : pick(board::rows);
        // Half the time the monkey knows the answer and works towards it, so
        // that games are won and the result and highscore windows come up.
        int wrongColumn = 0;
        for (int column = 4; column >= 1; --column) {
            if (Global::guessColor(column) != Global::secretColor(column))
                wrongColumn = column;
        }
        const bool informed = Global::secretColor1 != 0 && chance(0.5);
        if (informed && wrongColumn == 0 && board->Command1->isEnabled())
            return clickControl(board->Command1);
        if (!informed && board->Command1->isEnabled() && chance(0.3))
            return clickControl(board->Command1);
        if (board->Command2->isEnabled() && chance(attempt == 0 ? 0.6 : 0.35))
            return clickControl(board->Command2);

        const int column = informed && wrongColumn != 0 ? wrongColumn : 1 + pick(4);
        if (informed || chance(0.45)) {
            const int colour = informed ? int(Global::secretColor(column)) : 1 + pick(6);
            if (informed && !QFileInfo(dir.file(ringName(colour))).isFile())
                restoreRing(colour); // the player puts it back
            clickControl(board->paletteImage(colour));
            board = Form<Brain>::loaded();
            if (!board)
                return;
        }
        clickControl(board->ring(column, row));
    }

    void arbitraryEvent()
    {
        const QList<QWidget *> windows = openWindows();
        const int kind = pick(100);
        if (windows.isEmpty() || kind < 6)
            return faultInjection();
        QWidget *window = windows[pick(int(windows.size()))];

        if (kind < 30) {
            // Any control, shown or hidden, enabled or not; menus go through
            // their commands below, as a popup would offer "Beenden".
            QList<QWidget *> controls = window->findChildren<QWidget *>();
            controls.removeIf([](QWidget *c) { return qobject_cast<QMenuBar *>(c) || qobject_cast<QMenu *>(c); });
            if (controls.isEmpty())
                return clickAt(window, randomPoint(window), QStringLiteral("background"));
            return clickControl(controls[pick(int(controls.size()))]);
        }
        if (kind < 50)
            return clickAt(window, randomPoint(window), QStringLiteral("anywhere"));
        if (kind < 65)
            return menuCommand();
        if (kind < 79) {
            const bool activate = kind < 74;
            act(QStringLiteral("%1 %2").arg(activate ? "activate" : "close box of", describe(window)));
            activate ? window->activateWindow() : void(window->close());
            return;
        }
        if (kind < 88) {
            const bool enter = chance(0.5);
            act(QStringLiteral("%1 on %2").arg(enter ? "Enter" : "Esc", describe(window)));
            QTest::keyClick(window->windowHandle(), enter ? Qt::Key_Return : Qt::Key_Escape);
            return;
        }
        if (kind < 94) {
            QWidget *target = window;
            if (auto *result = Form<WinorLose>::loaded(); result && result->isVisible())
                target = result;
            // The result window's top-left corner is bare background.
            const QPoint at = qobject_cast<WinorLose *>(target) ? QPoint(3, 3) : randomPoint(target);
            act(QStringLiteral("double click at (%1,%2) in %3").arg(at.x()).arg(at.y()).arg(describe(target)));
            QTest::mouseDClick(target->windowHandle(), Qt::LeftButton, {}, at);
            return;
        }
        const QPoint at = randomPoint(window);
        act(QStringLiteral("mouse move to (%1,%2) in %3").arg(at.x()).arg(at.y()).arg(describe(window)));
        QTest::mouseMove(window->windowHandle(), at);
    }

    QPoint randomPoint(QWidget *window)
    {
        int top = 0;
        if (auto *main = qobject_cast<QMainWindow *>(window))
            top = main->menuBar()->height(); // the bar would open a popup
        const int height = std::max(1, window->height() - top);
        return {pick(std::max(1, window->width())), top + pick(height)};
    }

    QString randomText()
    {
        static const QString pool = QStringLiteral("abcXYZ äöüß,\"\t01");
        QString text;
        const int n = pick(12);
        for (int i = 0; i < n; ++i)
            text += pool[pick(int(pool.size()))];
        return text;
    }

    // Every menu command but "Beenden", which ends the event loop. A command
    // whose menu is disabled cannot be reached; a disabled command is still
    // triggered, and Qt must ignore it.
    void menuCommand()
    {
        Brain *board = Form<Brain>::loaded();
        if (!board || !board->isVisible())
            return usefulMove();
        const QList<QAction *> commands{board->mnuNeu,        board->mnueinfach,   board->mnuschwer,
                                        board->mnusuperbrain, board->mnuhighscore, board->mnulösung,
                                        board->mnuanleitung,  board->mnucredits,   board->swkatalog};
        QAction *command = commands[pick(int(commands.size()))];
        const bool level = command == board->mnueinfach || command == board->mnuschwer
            || command == board->mnusuperbrain;
        if (level && !board->mnuschwieriggrad->menuAction()->isEnabled()) {
            act(QStringLiteral("menu %1 (its menu is disabled: not reachable)").arg(command->objectName()));
            return;
        }
        act(QStringLiteral("menu %1%2").arg(command->objectName(), command->isEnabled() ? "" : " (disabled)"));
        command->trigger();
    }

    void faultInjection()
    {
        const int colour = 1 + pick(6);
        const QString ring = dir.file(ringName(colour));
        const QString scores = dir.file(QStringLiteral("TESTFILE"));
        const auto overwrite = [](const QString &path, const QByteArray &bytes) {
            QDir(path).removeRecursively();
            QFile f(path);
            if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                f.write(bytes);
        };
        switch (pick(7)) {
        case 0:
            act(QStringLiteral("delete %1").arg(ringName(colour)));
            QFile::remove(ring);
            break;
        case 1:
            act(QStringLiteral("corrupt %1").arg(ringName(colour)));
            overwrite(ring, randomBytes(pick(64)));
            break;
        case 2:
        case 6: {
            const QString name = pick(2) ? ringName(colour) : QStringLiteral("TESTFILE");
            act(QStringLiteral("a folder named %1").arg(name));
            QFile::remove(dir.file(name));
            QDir(dir.path()).mkdir(name);
            break;
        }
        case 3:
            restoreRing(colour);
            break;
        case 4:
            act(QStringLiteral("garbage TESTFILE"));
            overwrite(scores, randomBytes(pick(300)));
            break;
        default:
            act(QStringLiteral("delete TESTFILE"));
            QDir(scores).removeRecursively();
            QFile::remove(scores);
            break;
        }
    }

    QByteArray randomBytes(int n)
    {
        QByteArray bytes;
        for (int i = 0; i < n; ++i)
            bytes += char(chance(0.3) ? "\",\r\n"[pick(4)] : pick(256));
        return bytes;
    }

    void restoreRing(int colour)
    {
        act(QStringLiteral("restore %1").arg(ringName(colour)));
        const QString ring = dir.file(ringName(colour));
        QDir(ring).removeRecursively();
        QFile::remove(ring);
        QFile::copy(QDir(qEnvironmentVariable("FARBRIX_RING_DIR")).filePath(ringName(colour)), ring);
    }

    // A popup would keep the mouse; none should open, but if one does the
    // monkey dismisses it rather than play inside it.
    void closeStrayPopups()
    {
        while (QWidget *popup = QApplication::activePopupWidget()) {
            note(QStringLiteral("      closed a popup %1").arg(describe(popup)));
            popup->close();
            settle();
        }
    }

    // The board draws its code number from the time of day; for a failure to
    // replay, the monkey redraws it from its own seed on every fresh board.
    void followSeedInDraw()
    {
        Brain *board = Form<Brain>::loaded();
        if (board && board != lastBoard && Global::attemptNumber == 0)
            Global::codeNumber = rules::drawCodeNumber(rng());
        lastBoard = board;
    }

    // --- invariants ----------------------------------------------------

    QString check()
    {
        Brain *board = Form<Brain>::loaded();

        std::map<QByteArray, int> alive;
        for (QWidget *w : openWindows()) {
            if (++alive[w->metaObject()->className()] > 1)
                return QStringLiteral("two %1 windows are open").arg(w->metaObject()->className());
        }

        if (!board)
            return {};

        using namespace Global;
        if (codeNumber < codetable::firstNumber || codeNumber > codetable::lastNumber)
            return QStringLiteral("code number %1 out of range").arg(codeNumber);

        const std::array<int, 4> secret{secretColor1, secretColor2, secretColor3, secretColor4};
        if (secret != std::array<int, 4>{}) {
            const rules::AbsentPair absent = rules::absentColours(codeNumber);
            std::set<int> expected{1, 2, 3, 4, 5, 6};
            expected.erase(absent.first);
            expected.erase(absent.second);
            const std::set<int> hidden(secret.begin(), secret.end());
            if (hidden != expected)
                return QStringLiteral("hidden colours %1 %2 %3 %4 do not fit code number %5")
                    .arg(secret[0]).arg(secret[1]).arg(secret[2]).arg(secret[3]).arg(codeNumber);
        }

        if (board != lastBoard && (easyMode || hardMode || superMode))
            return QStringLiteral("a new game kept the level flags %1%2%3").arg(easyMode).arg(hardMode).arg(superMode);

        const bool playing = attemptNumber >= 1 && attemptNumber <= board::rows
            && board->Command2->text() == QStringLiteral("Nächster Versuch");
        for (int row = 0; row < board::rows; ++row) {
            if (playing) {
                for (int column = 1; column <= 4; ++column) {
                    if (board->ring(column, row)->isEnabled() != (row == attemptNumber - 1))
                        return QStringLiteral("attempt %1: ring %2 of row %3 is %4").arg(attemptNumber).arg(column)
                            .arg(row).arg(row == attemptNumber - 1 ? "disabled" : "enabled");
                }
            }

            QString lit;
            for (int shape = 1; shape <= 8; ++shape) {
                const std::uint32_t fill = board->lamp(shape, row)->fillColor();
                if (fill != board::lampRed && fill != board::lampGrey)
                    return QStringLiteral("lamp %1 of row %2 has colour %3").arg(shape).arg(row).arg(fill, 6, 16);
                lit += fill == board::lampRed ? u'1' : u'0';
            }
            const QString left = lit.left(4);
            if (left.indexOf(u"01") >= 0)
                return QStringLiteral("row %1: left lamps %2 not lit from the left").arg(row).arg(left);
            // Not "contiguous": a second evaluation in the same row only ever
            // lights right-hand lamps, except the third, which it may turn off
            // again, so 1101 is a state the rules reach.
            const QString right = lit.mid(4);
            if (right != u"0000" && !right.startsWith(u"11"))
                return QStringLiteral("row %1: right lamps %2").arg(row).arg(right);
        }
        return {};
    }
};

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Closing the last window would end the program; the monkey keeps
        // playing and brings up the start window again.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    // One row per seed: QtTest's watchdog limits each row, not the whole
    // run, so long runs with many seeds are not cut off.
    void randomPlayKeepsTheInvariants_data()
    {
        QTest::addColumn<unsigned>("seed");
        const bool one = qEnvironmentVariableIsSet("FARBRIX_MONKEY_SEED");
        const unsigned first = one ? unsigned(envInt("FARBRIX_MONKEY_SEED", 1)) : 1;
        const unsigned count = one ? 1 : unsigned(envInt("FARBRIX_MONKEY_SEEDS", 4));
        for (unsigned seed = first; seed < first + count; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }

    void randomPlayKeepsTheInvariants()
    {
        QFETCH(unsigned, seed);
        const int events = envInt("FARBRIX_MONKEY_EVENTS", 1500);
        resetGlobal();
        PlayDir play;
        Messages messages;
        Monkey monkey(seed, play, messages);
        const QString broken = monkey.run(events);
        const int wins = int(messages.texts.count(QStringLiteral("Code geknackt !")));
        qInfo("seed %u: %d events, %d messages, %d wins", seed, monkey.step - 1, int(messages.texts.size()), wins);
        unloadAll();
        if (!broken.isEmpty()) {
            for (const QString &line : monkey.log)
                fprintf(stderr, "%s\n", qPrintable(line));
            QFAIL(qPrintable(QStringLiteral("seed %1, after event %2: %3 (replay with FARBRIX_MONKEY_SEED=%1)")
                                 .arg(seed).arg(monkey.step).arg(broken)));
        }
        // A monkey that never wins has not reached the result windows.
        if (events >= 1500)
            QVERIFY2(wins > 0, "no game was won: the moves are not reaching the game");
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
