// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "results/highscorefile.h"

#include "common/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
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
    return u >= 0x20 && u != 0x7F && !(u >= 0x80 && u < 0xA0) && u != u'"' && !c.isSurrogate()
           && c != QChar::ReplacementCharacter;
}

QString cleanField(QByteArrayView raw, bool *dropped)
{
    QStringDecoder decoder(codePage);
    QString text = decoder.decode(raw);
    const qsizetype size = text.size();
    text.removeIf([](QChar c) { return !isStorableChar(c); });
    *dropped = *dropped || text.size() < size;
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

QString shown(const QFileInfo &info) { return QDir::toNativeSeparators(info.absoluteFilePath()); }

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
    if (!folder.isDir())
        return QStringLiteral("Der Ordner existiert nicht.");
    const QStorageInfo storage(folder.absoluteFilePath());
    if (!folder.isWritable() || (storage.isValid() && storage.isReadOnly()))
        return QStringLiteral("Der Ordner ist schreibgeschützt.");
    if (target.exists() && !target.isWritable())
        return QStringLiteral("Die Datei ist schreibgeschützt.");
    // A new file takes at least one block, however short the table.
    if (storage.isValid() && storage.bytesAvailable() < std::max<qint64>(needed, storage.blockSize()))
        return QStringLiteral("Der Datenträger ist voll.");
    return QStringLiteral("Das Betriebssystem meldet: %1").arg(systemText);
}

// The file a table for `path` goes into: `path` itself, or the file its
// symbolic links lead to. Links are followed only where the link and the
// file belong to the user running the game, as the kernel does in shared
// folders: a link planted in a play folder must not lead the game to write
// over another user's or the system's files. Returns why not, or nothing.
QString whereToWrite(const QString &path, QString *target)
{
    *target = QFileInfo(path).absoluteFilePath();
#ifdef Q_OS_UNIX
    for (int links = 0; links < 40; ++links) {
        struct stat status {
        };
        if (::lstat(QFile::encodeName(*target).constData(), &status) != 0)
            return links == 0 ? QString()
                              : QStringLiteral(
                                  "Die Verkn\u00fcpfung unter diesem Namen f\u00fchrt zu keiner Datei.");
        if (S_ISLNK(status.st_mode) && status.st_uid != ::geteuid())
            return QStringLiteral(
                "Die Verkn\u00fcpfung unter diesem Namen geh\u00f6rt einem anderen Benutzer.");
        if (S_ISLNK(status.st_mode)) {
            *target = QFileInfo(*target).symLinkTarget();
            continue;
        }
        if (S_ISDIR(status.st_mode))
            return QStringLiteral("Unter diesem Namen liegt ein Ordner.");
        if (!S_ISREG(status.st_mode))
            return QStringLiteral("Unter diesem Namen liegt keine gew\u00f6hnliche Datei.");
        if (links > 0 && status.st_uid != ::geteuid())
            return QStringLiteral(
                "Die Verkn\u00fcpfung unter diesem Namen f\u00fchrt zur Datei eines anderen Benutzers.");
        return {};
    }
    return QStringLiteral("Die Verkn\u00fcpfung unter diesem Namen f\u00fchrt zu keiner Datei.");
#else
    return QFileInfo(path).isDir() ? QStringLiteral("Unter diesem Namen liegt ein Ordner.") : QString();
#endif
}

// Where no file can be created beside the table but the table itself may be
// written: over the old bytes, then cut to length, so that a write broken
// off leaves the new names in front, which is all a reader takes.
bool writeInPlace(const QString &target, const QByteArray &bytes)
{
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(target).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {
    };
    const bool written = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)
                         && ::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0) == bytes.size()
                         && ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0;
    return ::close(fd) == 0 && written;
#else
    Q_UNUSED(target);
    Q_UNUSED(bytes);
    return false;
#endif
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return openRegularFile(file) ? file.readAll() : QByteArray();
}

} // namespace

bool isStorable(const QString &name) { return storedBytes(name).has_value(); }

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

QStringList decode(QByteArrayView bytes, QString *damage)
{
    QStringList fields;
    bool dropped = false;
    bool openQuote = false;
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
            openQuote = close == rest.end();
            if (openQuote)
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
        fields.append(cleanField(raw, &dropped));
        afterComma = pos < n && bytes[pos] == ',';
        if (afterComma)
            ++pos;
        else
            skipLineEnds();
    }
    if (!damage)
        return fields;
    if (openQuote)
        *damage = QStringLiteral("Ein Name hat kein schlie\u00dfendes Anf\u00fchrungszeichen.");
    else if (dropped)
        *damage = QStringLiteral("Ein Name enth\u00e4lt Zeichen, die kein Windows-1252-Text sind.");
    else if (!fields.isEmpty() && fields.size() < entries)
        *damage = QStringLiteral("Sie enth\u00e4lt weniger als f\u00fcnf Namen.");
    else
        damage->clear();
    return fields;
}

ReadResult read(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const auto failed = [&](const QString &reason) {
        return ReadResult{{},
                          QStringLiteral("Die Highscore-Liste „%1“ konnte nicht gelesen werden. %2")
                              .arg(shown(info), reason),
                          {}};
    };
    if (info.isDir())
        return failed(QStringLiteral("Unter diesem Namen liegt ein Ordner."));
    // Opening a pipe or a device could block or never end.
    if (!info.isFile())
        return failed(QStringLiteral("Unter diesem Namen liegt keine gewöhnliche Datei."));

    QFile file(path);
    if (!openRegularFile(file)) {
        const QString system = qt_error_string(errno);
        const QFileInfo now(path);
        if (!now.exists())
            return {};
        if (!now.isFile()) // swapped for another kind of file meanwhile
            return failed(QStringLiteral("Unter diesem Namen liegt keine gewöhnliche Datei."));
        if (!now.isReadable())
            return failed(QStringLiteral("Der Zugriff auf die Datei ist nicht erlaubt."));
        return failed(QStringLiteral("Das Betriebssystem meldet: %1").arg(system));
    }
    const QByteArray bytes = file.read(readLimit);
    if (file.error() != QFileDevice::NoError)
        return failed(QStringLiteral("Das Betriebssystem meldet: %1").arg(file.errorString()));
    ReadResult result;
    result.fields = decode(bytes, &result.damage);
    return result;
}

bool write(const Names &names, QString *error, const QString &path)
{
    const QFileInfo info(path);
    const auto failed = [&](const QString &reason) {
        if (error)
            *error =
                QStringLiteral("Die Highscore-Liste konnte nicht in \u201e%1\u201c gespeichert werden. %2")
                    .arg(shown(info), reason);
        return false;
    };

    const std::optional<QByteArray> bytes = encode(names);
    if (!bytes)
        return failed(QStringLiteral("Ein Name enth\u00e4lt Zeichen, die die Datei nicht aufnehmen kann."));
    QString target;
    if (const QString refused = whereToWrite(path, &target); !refused.isEmpty())
        return failed(refused);

    QString systemText;
    {
        // QSaveFile's own fallback would write in place on any refusal to
        // create its temporary file, without syncing: that is done here.
        QSaveFile file(target);
        file.setDirectWriteFallback(false);
        // Qt 6.4's commit() ignores a failing flush of its buffer and
        // fsync: on a full disk it replaces the table with an empty file.
        // So both are done here first, and their failure aborts the write.
        const bool opened = file.open(QIODevice::WriteOnly);
        if ((opened && file.write(*bytes) == bytes->size() && file.flush() && syncedToDisk(file)
             && file.commit())
            || (!opened && QFileInfo(target).isFile() && writeInPlace(target, *bytes))) {
            if (error)
                error->clear();
            return true;
        }
        systemText = file.errorString();
    } // discards the temporary file before the cause is looked for
    return failed(whyNotWritten(target, bytes->size(), systemText));
}

KeptAside keepDamaged(const QString &damage, const QString &path)
{
    const QString table = shown(QFileInfo(path));
    const QByteArray bytes = contents(path);
    for (int n = 1; n < 1000; ++n) {
        const QString name =
            table + QStringLiteral(".besch\u00e4digt") + (n > 1 ? QStringLiteral("-%1").arg(n) : QString());
        const QFileInfo there(name);
        if (there.exists() || there.isSymLink()) {
            if (contents(name) == bytes)
                return {true, {}}; // the player was told when it was kept
            continue;
        }
        QFile copy(name);
        if (copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (copy.write(bytes) == bytes.size() && copy.flush())
                return {true, QStringLiteral(
                                  "Die Highscore-Liste \u201e%1\u201c ist besch\u00e4digt. %2 Sie ist als "
                                  "\u201e%3\u201c aufbewahrt; OK schreibt die Liste neu.")
                                  .arg(table, damage, name)};
            copy.remove();
        } else if (!QFileInfo::exists(name)) {
            break;
        }
    }
    return {false,
            QStringLiteral(
                "Die Highscore-Liste \u201e%1\u201c ist besch\u00e4digt. %2 Sie kann nicht beiseitegelegt "
                "werden und wird darum nicht \u00fcberschrieben.")
                .arg(table, damage)};
}

Saved save(const Names &onScreen, int editable, const QString &path)
{
    Saved saved;
    saved.names = onScreen;
    const QString lockName = path + QStringLiteral(".lock");
    QLockFile lock(lockName);
    // A lock whose game died on this machine is taken over at once; one
    // made on another machine sharing the folder, after this long.
    lock.setStaleLockTime(10000);
    // Where no lock file can be made, no other game can make one either; and
    // a pipe or a link in its place would make the lock wait on it for good.
    const QFileInfo odd(lockName);
    const bool lockable = !odd.isSymLink() && (!odd.exists() || odd.isFile());
    if (lockable && !lock.tryLock(2000) && lock.error() == QLockFile::LockFailedError) {
        saved.busy = true;
        saved.message =
            QStringLiteral("Die Highscore-Liste \u201e%1\u201c wird gerade von einem anderen Spiel "
                           "gespeichert. Bitte gleich noch einmal OK dr\u00fccken.")
                .arg(shown(QFileInfo(path)));
        return saved;
    }
    const ReadResult now = read(path);
    for (int i = 0; i < entries && i < now.fields.size(); ++i) {
        if (i != editable)
            saved.names[i] = now.fields[i];
    }
    const KeptAside aside = now.damage.isEmpty() ? KeptAside{true, {}} : keepDamaged(now.damage, path);
    saved.message = aside.message;
    QString error;
    if (aside.kept && !write(saved.names, &error, path))
        saved.message = error;
    return saved;
}

QValidator::State NameValidator::validate(QString &input, int &) const
{
    return isStorable(input) ? Acceptable : Invalid;
}

} // namespace highscore
