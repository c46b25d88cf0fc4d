// libFuzzer target for the highscore table reader. Built with clang by
// tests/fuzz/run_fuzz.sh; the main build does not compile it.

#include "results/highscorefile.h"

#include <QStringDecoder>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void require(bool ok, const char *broken)
{
    if (!ok) {
        std::fprintf(stderr, "highscore invariant broken: %s\n", broken);
        std::abort();
    }
}

highscore::Names toNames(const QStringList &fields)
{
    highscore::Names names;
    for (int i = 0; i < highscore::entries && i < fields.size(); ++i)
        names[i] = fields[i];
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Any bytes: at most five fields, each one the window may write back,
    // and writing them back reads the same.
    const QStringList fields = highscore::decode(QByteArrayView(data, qsizetype(size)));
    require(fields.size() <= highscore::entries, "more than five fields");
    for (const QString &field : fields)
        require(highscore::isStorable(field), "a field the file cannot hold");
    const highscore::Names readBack = toNames(fields);
    const std::optional<QByteArray> rewritten = highscore::encode(readBack);
    require(rewritten.has_value(), "a read table cannot be written");
    require(highscore::decode(*rewritten) == QStringList(readBack.begin(), readBack.end()),
            "a rewritten table reads back differently");

    // Five storable names taken from the input, and whatever follows the
    // table's line: the names come back unchanged.
    FuzzedDataProvider provider(data, size);
    highscore::Names names;
    for (QString &name : names) {
        const std::string raw = provider.ConsumeRandomLengthString(256);
        QStringDecoder decoder("windows-1252");
        name = decoder.decode(QByteArrayView(raw.data(), qsizetype(raw.size())));
        name.removeIf([](QChar c) { return !highscore::isStorable(QString(c)); });
        require(highscore::isStorable(name), "storable characters make an unstorable name");
    }
    const std::string tail = provider.ConsumeRemainingBytesAsString();
    const std::optional<QByteArray> table = highscore::encode(names);
    require(table.has_value(), "storable names cannot be written");
    require(table->endsWith("\r\n"), "table line does not end with CR LF");
    const QByteArray withTail = *table + QByteArray(tail.data(), qsizetype(tail.size()));
    require(highscore::decode(withTail) == QStringList(names.begin(), names.end()),
            "written names read back differently");
    return 0;
}
