// libFuzzer target for the highscore table reader, built by tests/fuzz/run_fuzz.sh. Any bytes read as at
// most five names that the file can hold; written back, they read the same and the table is sound.

#include "results/highscorefile.h"

#include <cstdio>
#include <cstdlib>

static void require(bool ok, const char *broken)
{
    if (!ok)
        std::fprintf(stderr, "highscore invariant broken: %s\n", broken), std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    const QStringList read = highscore::decode(QByteArrayView(data, qsizetype(size)));
    require(read.size() <= highscore::entries, "more than five fields");
    highscore::Names names;
    std::copy(read.begin(), read.end(), names.begin());
    const std::optional<QByteArray> table = highscore::encode(names);
    require(table.has_value(), "a name that was read cannot be written");
    QString damage;
    require(highscore::decode(*table, &damage) == QStringList(names.begin(), names.end()), "written names read back otherwise");
    require(damage.isEmpty(), "a written table reads as damaged");
    return 0;
}
