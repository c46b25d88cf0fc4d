// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// libFuzzer target for the highscore table reader, built by tests/fuzz/run_fuzz.sh. Any bytes read as at
// most five names that the file can hold; written back, they read the same and the table is sound. Cut
// anywhere, as a write broken off leaves it, the table keeps every name before the cut and is only cut short.

#include "results/highscorefile.h"

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    const QStringList read = highscore::decode(QByteArrayView(data, qsizetype(size)));
    if (read.size() > highscore::entries)
        __builtin_trap();
    highscore::Names names;
    std::copy(read.begin(), read.end(), names.begin());
    const std::optional<QByteArray> table = highscore::encode(names);
    QString damage;
    if (!table || highscore::decode(*table, &damage) != QStringList(names.begin(), names.end())
        || !damage.isEmpty())
        __builtin_trap();
    bool cutShort = false; // a cut after a comma leaves one more, empty field
    const QStringList kept =
        highscore::decode(table->first(qsizetype(size) % table->size()), &damage, &cutShort);
    for (qsizetype i = 0; i < kept.size(); ++i)
        if ((kept[i] != names[i] && (i < kept.size() - 1 || !kept[i].isEmpty()))
            || (!damage.isEmpty() && !cutShort))
            __builtin_trap();
    return 0;
}
