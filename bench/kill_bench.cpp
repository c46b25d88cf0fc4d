// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// Kills a game while it saves, again and again, and looks at what each kill
// left: the old table, the new one, or one the game reports as damaged are
// fine; a table that reads as whole but is neither (old and new names
// spliced) is the fault this measures.
//
// A child process writes two tables of five long names (larger than a page)
// in turn, as OK does, under the table's lock; once it has written one, the
// parent kills it at a random moment within the next two writes' time,
// waits for it and reads the file.
//
// Usage: farbrix-kill-bench TABLE [KILLS] [NAME_LENGTH]
// TABLE's folder decides the way of writing: one where no file can be made
// beside the table makes every write an in-place one (bench/kill.sh sets
// such a folder up); in another, the table is replaced atomically.

#include "results/highscorefile.h"
#include "results/tablefile.h"

#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

highscore::Names table(char letter, int length)
{
    highscore::Names names;
    for (int i = 0; i < highscore::entries; ++i)
        names[i] = QString(length - i, QLatin1Char(letter));
    return names;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(highscore::readLimit + 1) : QByteArray();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s TABLE [KILLS] [NAME_LENGTH]\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int kills = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int length = argc > 3 ? std::atoi(argv[3]) : 9000;
    const highscore::Names a = table('a', length), b = table('b', length);
    const QByteArray bytesA = *highscore::encode(a), bytesB = *highscore::encode(b);

    QString error;
    if (!highscore::write(a, &error, path)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // How long one write takes here.
    constexpr int probes = 200;
    const auto start = Clock::now();
    for (int i = 0; i < probes; ++i)
        highscore::write(i % 2 ? a : b, nullptr, path);
    const auto perWrite = (Clock::now() - start) / probes;

    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<long long> delay(0, 2 * perWrite.count());
    int whole = 0, damaged = 0, spliced = 0, other = 0;
    QDir folder = QFileInfo(path).dir();
    for (int kill = 0; kill < kills; ++kill) {
        int ready[2];
        if (::pipe(ready) != 0)
            return 1;
        const pid_t child = ::fork();
        if (child == 0) {
            highscore::write(b, nullptr, path);
            (void)!::write(ready[1], "", 1);
            for (;;) {
                highscore::write(a, nullptr, path);
                highscore::write(b, nullptr, path);
            }
        }
        char byte;
        (void)!::read(ready[0], &byte, 1);
        ::close(ready[0]), ::close(ready[1]);
        const auto until = Clock::now() + Clock::duration(delay(random));
        while (Clock::now() < until) {}
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArray now = contents(path);
        QString damage;
        highscore::decode(now, &damage);
        if (now == bytesA || now == bytesB)
            ++whole;
        else if (!damage.isEmpty())
            ++damaged;
        else if (now.size() == bytesA.size())
            ++spliced, std::fprintf(stderr, "kill %d left a spliced table that reads as whole\n", kill);
        else
            ++other, std::fprintf(stderr, "kill %d left %lld bytes that read as whole\n", kill,
                                  static_cast<long long>(now.size()));
        // Temporary files of an atomic write broken off.
        for (const QString &left : folder.entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
            folder.remove(left);
        if (!damage.isEmpty()) // the next writes start from a whole table, as after OK
            highscore::write(a, nullptr, path);
    }
    std::printf("table of %lld bytes, one write %.1f µs; %d kills: %d whole (old or new), %d damaged "
                "(reported), %d spliced unnoticed, %d other unnoticed\n",
                static_cast<long long>(bytesA.size()),
                std::chrono::duration<double, std::micro>(perWrite).count(), kills, whole, damaged, spliced,
                other);
    return spliced + other == 0 ? 0 : 1;
}
