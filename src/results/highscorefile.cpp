#include "results/highscorefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace highscore {

namespace {

constexpr auto codePage = "windows-1252";

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isDelimiter(char c) { return c == ',' || isLineEnd(c); }

// Windows-1252 decodes its five undefined bytes to C1 controls, and those
// encode back without complaint, so they have to be refused by code point.
bool isStorableChar(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 0x20 && u != 0x7F && !(u >= 0x80 && u < 0xA0) && u != u'"'
        && !c.isSurrogate() && c != QChar::ReplacementCharacter;
}

QString cleanField(QByteArrayView raw)
{
    QStringDecoder decoder(codePage);
    QString text = decoder.decode(raw);
    text.removeIf([](QChar c) { return !isStorableChar(c); });
    text.truncate(maxNameLength);
    return text;
}

// The name's bytes in the file, if the file holds it faithfully.
std::optional<QByteArray> storedBytes(const QString &name)
{
    if (name.size() > maxNameLength)
        return std::nullopt;
    if (!std::all_of(name.cbegin(), name.cend(), isStorableChar))
        return std::nullopt;
    QStringEncoder encoder(codePage);
    QByteArray bytes = encoder.encode(name);
    if (encoder.hasError())
        return std::nullopt;
    QStringDecoder decoder(codePage);
    const QString back = decoder.decode(bytes);
    if (decoder.hasError() || back != name)
        return std::nullopt;
    return bytes;
}

QString shown(const QFileInfo &info)
{
    return QDir::toNativeSeparators(info.absoluteFilePath());
}

bool syncedToDisk(QSaveFile &file)
{
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    Q_UNUSED(file);
    return true;
#endif
}

QString whyNotWritten(const QString &path, qsizetype needed, const QString &systemText)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (target.isDir())
        return QStringLiteral("Unter diesem Namen liegt ein Ordner.");
    if (!folder.isDir())
        return QStringLiteral("Der Ordner existiert nicht.");
    const QStorageInfo storage(folder.absoluteFilePath());
    if (!folder.isWritable() || (storage.isValid() && storage.isReadOnly()))
        return QStringLiteral("Der Ordner ist schreibgeschützt.");
    if (target.exists() && !target.isWritable())
        return QStringLiteral("Die Datei ist schreibgeschützt.");
    // A new file takes at least one block, however short the table.
    if (storage.isValid()
        && storage.bytesAvailable() < std::max<qint64>(needed, storage.blockSize()))
        return QStringLiteral("Der Datenträger ist voll.");
    return QStringLiteral("Das Betriebssystem meldet: %1").arg(systemText);
}

} // namespace

bool isStorable(const QString &name)
{
    return storedBytes(name).has_value();
}

std::optional<QByteArray> encode(const Names &names)
{
    QByteArray out;
    for (int i = 0; i < entries; ++i) {
        const std::optional<QByteArray> bytes = storedBytes(names[i]);
        if (!bytes)
            return std::nullopt;
        if (i > 0)
            out += ',';
        out += '"';
        out += *bytes;
        out += '"';
    }
    out += "\r\n";
    return out;
}

QStringList decode(QByteArrayView bytes)
{
    QStringList fields;
    const qsizetype n = bytes.size();
    qsizetype pos = 0;
    const auto skipLineEnds = [&] {
        while (pos < n && isLineEnd(bytes[pos]))
            ++pos;
    };
    const auto skipToDelimiter = [&] {
        while (pos < n && !isDelimiter(bytes[pos]))
            ++pos;
    };

    skipLineEnds();
    bool afterComma = false;
    while (fields.size() < entries && (pos < n || afterComma)) {
        while (pos < n && isBlank(bytes[pos]))
            ++pos;
        QByteArrayView raw;
        if (pos < n && bytes[pos] == '"') {
            const auto rest = bytes.sliced(pos + 1);
            const auto close = std::find(rest.begin(), rest.end(), '"');
            if (close == rest.end())
                break; // the rest of the file would be one name: take none of it
            raw = rest.first(close - rest.begin());
            pos += 1 + raw.size() + 1;
            skipToDelimiter();
        } else {
            const qsizetype start = pos;
            skipToDelimiter();
            qsizetype end = pos;
            while (end > start && isBlank(bytes[end - 1]))
                --end;
            raw = bytes.sliced(start, end - start);
        }
        fields.append(cleanField(raw));
        afterComma = pos < n && bytes[pos] == ',';
        if (afterComma)
            ++pos;
        else
            skipLineEnds();
    }
    return fields;
}

ReadResult read(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const auto failed = [&](const QString &reason) {
        return ReadResult{
            {},
            QStringLiteral("Die Highscore-Liste „%1“ konnte nicht gelesen werden. %2")
                .arg(shown(info), reason)};
    };
    if (info.isDir())
        return failed(QStringLiteral("Unter diesem Namen liegt ein Ordner."));
    // Opening a pipe or a device could block or never end.
    if (!info.isFile())
        return failed(QStringLiteral("Unter diesem Namen liegt keine gewöhnliche Datei."));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const QFileInfo now(path);
        if (!now.exists())
            return {};
        if (!now.isReadable())
            return failed(QStringLiteral("Der Zugriff auf die Datei ist nicht erlaubt."));
        return failed(QStringLiteral("Das Betriebssystem meldet: %1").arg(file.errorString()));
    }
    const QByteArray bytes = file.read(readLimit);
    if (file.error() != QFileDevice::NoError)
        return failed(QStringLiteral("Das Betriebssystem meldet: %1").arg(file.errorString()));
    return {decode(bytes), {}};
}

bool write(const Names &names, QString *error, const QString &path)
{
    const QFileInfo info(path);
    const auto failed = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("Die Highscore-Liste konnte nicht in „%1“ gespeichert werden. %2")
                         .arg(shown(info), reason);
        return false;
    };

    const std::optional<QByteArray> bytes = encode(names);
    if (!bytes)
        return failed(QStringLiteral("Ein Name enthält Zeichen, die die Datei nicht aufnehmen kann."));
    if (info.isDir())
        return failed(QStringLiteral("Unter diesem Namen liegt ein Ordner."));

    QString systemText;
    {
        // Never fall back to writing in place: that is what could leave
        // half a table behind.
        QSaveFile file(info.absoluteFilePath());
        file.setDirectWriteFallback(false);
        // Qt 6.4's commit() ignores a failing flush of its buffer and
        // fsync: on a full disk it replaces the table with an empty file.
        // So both are done here first, and their failure aborts the write.
        if (file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size()
            && file.flush() && syncedToDisk(file) && file.commit()) {
            if (error)
                error->clear();
            return true;
        }
        systemText = file.errorString();
    } // discards the temporary file before the cause is looked for
    return failed(whyNotWritten(info.absoluteFilePath(), bytes->size(), systemText));
}

QValidator::State NameValidator::validate(QString &input, int &) const
{
    return isStorable(input) ? Acceptable : Invalid;
}

} // namespace highscore
