// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// In-process figures of the real windows, on whatever platform Qt is given
// (bench/run.sh runs it on Xvfb through xcb, as the game runs):
//
//   start      click on "&Start" -> board window painted (first time: cold;
//              later ones reuse the fonts and cached pictures Qt keeps)
//   new game   "&Neu" as the menu runs it; and until the fresh board is painted
//   evaluate   "&Zeigen" including the repaint of the lamps it lights
//   games      resident memory before and after 1000 new games in a row, and
//              the windows left behind
//   idle       wake-ups and CPU over 5 s with the board open
//   about      CPU over 5 s with the about window open
//
// Usage: farbrix-bench [--rounds N] [--games N] [--idle-ms N]
// The working directory must hold the six ring pictures.

#include "common/fonts.h"
#include "common/form.h"
#include "common/messages.h"
#include "game/brain.h"
#include "info/frmabout.h"
#include "info/frmsplash.h"
#include "rules/global.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double nowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double threadCpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double cpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

long statusValue(const QString &path, const char *key)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray k(key);
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(k))
            return line.mid(k.size()).trimmed().split(' ').first().toLong();
    return 0;
}

double rssMiB() { return statusValue(QStringLiteral("/proc/self/status"), "VmRSS:") / 1024.0; }

// Voluntary context switches of every thread: how often one went to sleep
// and was woken.
long wakeups()
{
    long sum = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        sum += statusValue(tasks.filePath(tid + QStringLiteral("/status")), "voluntary_ctxt_switches:");
    return sum;
}

// Runs the event loop until `done` holds or `limitMs` passes.
bool spinUntil(const std::function<bool()> &done, double limitMs = 5000)
{
    const double end = nowMs() + limitMs;
    while (!done()) {
        if (nowMs() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// Destroys what unloading only scheduled, so each round starts clean.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Notices paints of a window's widgets. A window counts as painted once a
// paint of its own widget has finished and the event loop came round again,
// which is after the repaint manager flushed the whole window.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(const QString &objectName) : name(objectName) { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }

    void reset()
    {
        seen = false;
        flushed = false;
    }
    bool painted() const { return flushed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen && watched->objectName() == name) {
            seen = true;
            QTimer::singleShot(0, this, [this] { flushed = true; });
        }
        return false;
    }

private:
    QString name;
    bool seen = false;
    bool flushed = false;
};

struct Figures {
    std::vector<double> values;
    void add(double v) { values.push_back(v); }
    void print(const char *name, const char *unit) const
    {
        if (values.empty())
            return;
        std::vector<double> v = values;
        std::sort(v.begin(), v.end());
        std::printf("%-34s %9.3f %9.3f %9.3f  %s  (n=%zu)\n", name, v.front(), v[v.size() / 2], v.back(),
                    unit, v.size());
    }
};

void header() { std::printf("%-34s %9s %9s %9s\n", "figure", "min", "median", "max"); }

// The start window as the program opens it, then "&Start" clicked; returns
// the milliseconds until the board is painted.
double startToBoard(PaintWatch &boardPaint, double *cpu)
{
    FrmSplash *splash = showModeless<FrmSplash>();
    spinUntil([splash] { return splash->isVisible(); });
    settle();
    boardPaint.reset();
    const double t = nowMs(), c = threadCpuMs();
    splash->Command2->click();
    if (!spinUntil([&] { return boardPaint.painted(); }))
        qFatal("the board was not painted");
    *cpu = threadCpuMs() - c;
    return nowMs() - t;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Farbrix"));
    QApplication::setFont(fonts::standard());

    int rounds = 50, games = 1000, idleMs = 5000;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--rounds"))
            rounds = args[++i].toInt();
        else if (args[i] == QLatin1String("--games"))
            games = args[++i].toInt();
        else if (args[i] == QLatin1String("--idle-ms"))
            idleMs = args[++i].toInt();
    }
    // A won game would open the result window; the evaluations below never
    // win, and any message is answered at once.
    messages::setHandler([](const QString &) {});

    std::printf("# platform %s, %d rounds, %d games\n", qPrintable(QGuiApplication::platformName()), rounds,
                games);
    header();
    PaintWatch boardPaint(QStringLiteral("Brain.surface"));

    // Start -> board painted. The first click pays for the board's fonts and
    // artwork; the program does that once.
    Figures startCold, startColdCpu, startWarm, startWarmCpu;
    double cpu = 0;
    startCold.add(startToBoard(boardPaint, &cpu));
    startColdCpu.add(cpu);
    for (int i = 0; i < rounds; ++i) {
        Form<Brain>::unload();
        settle();
        startWarm.add(startToBoard(boardPaint, &cpu));
        startWarmCpu.add(cpu);
    }
    startCold.print("start -> board painted, first", "ms");
    startColdCpu.print("  the same, CPU of the GUI thread", "ms");
    startWarm.print("start -> board painted, again", "ms");
    startWarmCpu.print("  the same, CPU of the GUI thread", "ms");

    // "&Neu" as the menu runs it: the old board unloaded, a fresh one built.
    Figures newGame, newGameCpu, newGamePainted;
    for (int i = 0; i < rounds; ++i) {
        settle();
        Brain *board = Form<Brain>::instance();
        spinUntil([board] { return board->isVisible(); });
        settle();
        boardPaint.reset();
        const double t = nowMs(), c = threadCpuMs();
        board->mnuNeu_Click();
        newGame.add(nowMs() - t);
        newGameCpu.add(threadCpuMs() - c);
        if (!spinUntil([&] { return boardPaint.painted(); }))
            qFatal("the new board was not painted");
        newGamePainted.add(nowMs() - t);
    }
    newGame.print("new game (Neu), built", "ms");
    newGameCpu.print("  the same, CPU of the GUI thread", "ms");
    newGamePainted.print("new game (Neu), painted", "ms");

    // One evaluation and the repaint of the lamps it lights: code 1 hides
    // 1 2 3 4, the guess 1 2 5 6 has two colours in place.
    Figures evaluate;
    {
        settle();
        Brain *board = Form<Brain>::instance();
        Global::codeNumber = 1;
        board->Command2_Click();
        for (int column = 1; column <= 4; ++column) {
            Global::selectedColor = Global::Int(std::array<int, 4>{1, 2, 5, 6}[column - 1]);
            board->ringClick(column, 0);
        }
        PaintWatch lampPaint(QStringLiteral("Shape1(0)"));
        for (int i = 0; i < rounds; ++i) {
            for (int shape = 1; shape <= 8; ++shape)
                board->lamp(shape, 0)->setFillColor(0x808080);
            Global::attemptNumber = 1;
            settle();
            spinUntil([] { return false; }, 2); // let the grey lamps be drawn
            lampPaint.reset();
            const double t = nowMs();
            board->Command1_Click();
            if (!spinUntil([&] { return lampPaint.painted(); }))
                qFatal("the lamps were not repainted");
            evaluate.add(nowMs() - t);
        }
    }
    evaluate.print("evaluation + repaint of its row", "ms");

    // 1000 new games: what stays behind.
    {
        for (int i = 0; i < 20; ++i) { // let allocator and caches reach their level
            Form<Brain>::instance()->mnuNeu_Click();
            settle();
        }
        const double before = rssMiB();
        const int widgetsBefore = int(QApplication::allWidgets().size());
        const double t = nowMs();
        for (int i = 0; i < games; ++i) {
            Form<Brain>::instance()->mnuNeu_Click();
            settle();
        }
        const double elapsed = nowMs() - t;
        spinUntil([] { return false; }, 200);
        settle();
        const double after = rssMiB();
        std::printf("%-34s %9.1f -> %.1f MiB (%+.2f MiB); widgets %d -> %d; %.2f ms a game\n",
                    qPrintable(QStringLiteral("%1 new games, resident").arg(games)), before, after,
                    after - before, widgetsBefore, int(QApplication::allWidgets().size()), elapsed / games);
    }

    // Idle with the board open, then with the about window open.
    auto idle = [idleMs](const char *what) {
        settle();
        spinUntil([] { return false; }, 1000); // the window opened and painted
        const long w0 = wakeups();
        const double c0 = cpuMs(), t0 = nowMs();
        QEventLoop loop;
        QTimer::singleShot(idleMs, &loop, &QEventLoop::quit); // itself one wake-up
        loop.exec();
        const double elapsed = nowMs() - t0;
        const double cpu = cpuMs() - c0;
        std::printf("%-34s %ld wake-ups, %.1f ms CPU in %.1f s (%.2f %% of one core)\n", what, wakeups() - w0,
                    cpu, elapsed / 1000, 100 * cpu / elapsed);
    };
    idle("idle, board open");
    showModeless<FrmAbout>();
    idle("idle, about window open");
    Form<FrmAbout>::unload();
    Form<Brain>::unload();
    settle();
    return 0;
}
