// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "results/tablefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStorageInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace highscore {

namespace {

constexpr int lockWaitMs = 2000;
constexpr int maxCopies = 999;

QString shown(const QString &path) { return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()); }

// Where a name leads under the ownership rule (see tablefile.h).
struct Place {
    QString target;       // the file behind the name's links, or where a new file would go
    QString refused;      // why the game may not touch it; empty if it may
    bool missing = false; // nothing there (a dangling link is refused too)
};

Place resolve(const QString &path)
{
    Place place{QFileInfo(path).absoluteFilePath(), {}, false};
    for (int links = 0; links < 40; ++links) {
        struct stat status {
        };
        if (::lstat(QFile::encodeName(place.target).constData(), &status) != 0) {
            place.missing = true;
            if (links > 0)
                place.refused = QCoreApplication::translate(
                    "highscore", "Die Verknüpfung unter diesem Namen führt zu keiner Datei.");
            return place;
        }
        if (S_ISLNK(status.st_mode) && status.st_uid != ::geteuid()) {
            place.refused = QCoreApplication::translate(
                "highscore", "Die Verknüpfung unter diesem Namen gehört einem anderen Benutzer.");
            return place;
        }
        if (S_ISLNK(status.st_mode)) {
            place.target = QFileInfo(place.target).symLinkTarget();
            continue;
        }
        if (S_ISDIR(status.st_mode))
            place.refused = QCoreApplication::translate("highscore", "Unter diesem Namen liegt ein Ordner.");
        else if (!S_ISREG(status.st_mode))
            place.refused =
                QCoreApplication::translate("highscore", "Unter diesem Namen liegt keine gewöhnliche Datei.");
        else if (links > 0 && status.st_uid != ::geteuid())
            place.refused = QCoreApplication::translate(
                "highscore", "Die Verknüpfung unter diesem Namen führt zur Datei eines anderen Benutzers.");
        return place;
    }
    place.refused =
        QCoreApplication::translate("highscore", "Die Verknüpfung unter diesem Namen führt zu keiner Datei.");
    return place;
}

// A regular file's bytes, read no further than a table can reach. The file
// is opened without following a link and without blocking, and checked on
// the open file, in case the name was swapped meanwhile.
struct Contents {
    QByteArray bytes;
    unsigned permissions = 0;
    qint64 size = 0;
    int error = 0; // errno of a failed open or read
    bool notRegular = false;
    bool tooLarge = false;
};

Contents readBounded(const QString &target)
{
    Contents file;
    const int fd =
        ::open(QFile::encodeName(target).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        file.error = errno;
        file.notRegular = file.error == ELOOP;
        return file;
    }
    struct stat status {
    };
    if (::fstat(fd, &status) != 0) {
        file.error = errno;
    } else if (!S_ISREG(status.st_mode)) {
        file.notRegular = true;
    } else {
        file.permissions = status.st_mode & 07777;
        file.size = status.st_size;
        file.tooLarge = file.size > readLimit;
        // One byte more than the limit tells a file that grew meanwhile.
        file.bytes.resize(file.tooLarge ? 0 : readLimit + 1);
        qsizetype got = 0;
        while (got < file.bytes.size()) {
            const ssize_t n = ::read(fd, file.bytes.data() + got, size_t(file.bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                file.error = n < 0 ? errno : 0;
                break;
            }
            got += n;
        }
        file.bytes.truncate(got);
        file.size = std::max<qint64>(file.size, got);
        file.tooLarge = file.tooLarge || got > readLimit;
    }
    ::close(fd);
    return file;
}

QString whyNotRead(const Contents &file)
{
    if (file.notRegular)
        return QCoreApplication::translate("highscore", "Unter diesem Namen liegt keine gewöhnliche Datei.");
    if (file.tooLarge)
        return QCoreApplication::translate(
                   "highscore", "Die Datei ist mit %1 viel größer, als eine Highscore-Liste sein kann.")
            .arg(QLocale().formattedDataSize(file.size));
    if (file.error == EACCES || file.error == EPERM)
        return QCoreApplication::translate("highscore", "Der Zugriff auf die Datei ist nicht erlaubt.");
    if (file.error)
        return QCoreApplication::translate("highscore", "Das Betriebssystem meldet: %1")
            .arg(qt_error_string(file.error));
    return {};
}

QString whyNotWritten(const QString &path, qsizetype needed, const QString &systemText)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return QCoreApplication::translate("highscore", "Der Ordner existiert nicht.");
    const QStorageInfo storage(folder.absoluteFilePath());
    if (!folder.isWritable() || (storage.isValid() && storage.isReadOnly()))
        return QCoreApplication::translate("highscore", "Der Ordner ist schreibgeschützt.");
    if (target.exists() && !target.isWritable())
        return QCoreApplication::translate("highscore", "Die Datei ist schreibgeschützt.");
    // A new file takes at least one block, however short the table.
    if (storage.isValid() && storage.bytesAvailable() < std::max<qint64>(needed, storage.blockSize()))
        return QCoreApplication::translate("highscore", "Der Datenträger ist voll.");
    struct statvfs volume {
    };
    if (::statvfs(QFile::encodeName(folder.absoluteFilePath()).constData(), &volume) == 0
        && volume.f_files > 0 && volume.f_favail == 0)
        return QCoreApplication::translate("highscore",
                                           "Auf dem Datenträger ist kein Platz für eine weitere Datei.");
    return QCoreApplication::translate("highscore", "Das Betriebssystem meldet: %1").arg(systemText);
}

QString notSaved(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("highscore",
                                       "Die Highscore-Liste konnte nicht in „%1“ gespeichert werden. %2")
        .arg(shown(path), reason);
}

// The table's lock while it lives (see tablefile.h).
class TableLock
{
public:
    explicit TableLock(const QString &path);
    ~TableLock()
    {
        if (fd >= 0)
            ::close(fd);
    }
    TableLock(const TableLock &) = delete;
    TableLock &operator=(const TableLock &) = delete;

    bool busy = false;
    QString refused; // why the table can be neither locked nor written; empty if it can

private:
    int fd = -1;
};

TableLock::TableLock(const QString &path)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const Place place = resolve(path);
        if (!place.refused.isEmpty()) {
            refused = place.refused;
            return;
        }
        const QByteArray name = QFile::encodeName(place.target);
        constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        // A missing table is created empty (which reads like none) to have
        // something to lock; where that fails, writing fails too, and says why.
        fd = ::open(name.constData(), O_RDONLY | flags | (place.missing ? O_CREAT : 0), 0666);
        if (fd < 0 && errno == EACCES && !place.missing)
            fd = ::open(name.constData(), O_WRONLY | flags);
        if (fd < 0) {
            if (!place.missing)
                refused = whyNotRead(Contents{{}, 0, 0, errno, errno == ELOOP, false});
            return;
        }
        struct stat held {
        }, there{};
        const bool regular = ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode);
        const bool locked = regular && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        const int why = errno;
        // The game that held the lock may have replaced the file meanwhile:
        // then the new file is the one to lock.
        if (locked && ::lstat(name.constData(), &there) == 0 && there.st_dev == held.st_dev
            && there.st_ino == held.st_ino)
            return;
        ::close(fd);
        fd = -1;
        if (!regular) {
            refused =
                QCoreApplication::translate("highscore", "Unter diesem Namen liegt keine gewöhnliche Datei.");
            return;
        }
        if (!locked && why != EWOULDBLOCK) {
            refused = QCoreApplication::translate(
                          "highscore", "Die Datei lässt sich nicht sperren. Das Betriebssystem meldet: %1")
                          .arg(qt_error_string(why));
            return;
        }
        if (waited.elapsed() > lockWaitMs) {
            busy = true;
            return;
        }
        QThread::msleep(locked ? 0 : 20);
    }
}

// Where no file can be created beside the table but the table itself may be
// written: over the old bytes, then cut to length, so that a write broken
// off leaves the new names in front, which is all a reader takes.
bool writeInPlace(const QString &target, const QByteArray &bytes)
{
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
}

// write() without taking the lock, which the caller holds.
bool writeLocked(const Names &names, QString *error, const QString &path)
{
    const auto failed = [&](const QString &reason) {
        if (error)
            *error = notSaved(path, reason);
        return false;
    };
    const std::optional<QByteArray> bytes = encode(names);
    if (!bytes)
        return failed(QCoreApplication::translate(
            "highscore", "Ein Name enthält Zeichen, die die Datei nicht aufnehmen kann."));
    const Place place = resolve(path);
    if (!place.refused.isEmpty())
        return failed(place.refused);
    if (const Contents old = place.missing ? Contents{} : readBounded(place.target); old.error != ENOENT)
        if (const QString why = whyNotRead(old); !why.isEmpty())
            return failed(why
                          + QCoreApplication::translate(
                              "highscore", " Eine Liste, die nicht gelesen werden kann, wird nicht "
                                           "überschrieben."));

    QString systemText;
    {
        // QSaveFile's own fallback would write in place on any refusal to
        // create its temporary file, without syncing: that is done here.
        QSaveFile file(place.target);
        file.setDirectWriteFallback(false);
        // Qt 6.4's commit() ignores a failing flush of its buffer and
        // fsync: on a full disk it replaces the table with an empty file.
        // So both are done here first, and their failure aborts the write.
        const bool opened = file.open(QIODevice::WriteOnly);
        if ((opened && file.write(*bytes) == bytes->size() && file.flush() && ::fsync(file.handle()) == 0
             && file.commit())
            || (!opened && QFileInfo(place.target).isFile() && writeInPlace(place.target, *bytes))) {
            if (error)
                error->clear();
            return true;
        }
        systemText = file.errorString();
    } // discards the temporary file before the cause is looked for
    return failed(whyNotWritten(place.target, bytes->size(), systemText));
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

ReadResult read(const QString &path)
{
    const Place place = resolve(path);
    if (place.missing)
        return {};
    ReadResult result;
    const auto failed = [&](const QString &reason) {
        result.error = QCoreApplication::translate("highscore",
                                                   "Die Highscore-Liste „%1“ konnte nicht gelesen werden. %2")
                           .arg(shown(path), reason);
        return result;
    };
    if (!place.refused.isEmpty())
        return failed(place.refused);
    const Contents file = readBounded(place.target);
    if (file.error == ENOENT) // removed meanwhile
        return result;
    if (const QString why = whyNotRead(file); !why.isEmpty())
        return failed(why);
    result.bytes = file.bytes;
    result.permissions = file.permissions;
    result.fields = decode(result.bytes, &result.damage, &result.cutShort);
    return result;
}

bool write(const Names &names, QString *error, const QString &path)
{
    const TableLock lock(path);
    const QString refused =
        lock.busy ? QCoreApplication::translate("highscore", "Ein anderes Spiel speichert sie gerade.")
                  : lock.refused;
    if (refused.isEmpty())
        return writeLocked(names, error, path);
    if (error)
        *error = notSaved(path, refused);
    return false;
}

KeptAside keepDamaged(const ReadResult &table, const QString &path)
{
    const QString shownTable = shown(path);
    const QString damaged =
        QCoreApplication::translate("highscore", "Die Highscore-Liste „%1“ ist beschädigt. %2")
            .arg(shownTable, table.damage);
    QString why;
    for (int n = 1; n <= maxCopies && why.isEmpty(); ++n) {
        const QString name =
            shownTable + QStringLiteral(".beschädigt") + (n > 1 ? QStringLiteral("-%1").arg(n) : QString());
        const QByteArray native = QFile::encodeName(name);
        // Created with the table's permissions at most, so no copy is more open than the table.
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              table.permissions & 0666);
        if (fd < 0 && errno == EEXIST) {
            const Contents there = readBounded(name);
            if (!there.error && !there.notRegular && !there.tooLarge && there.bytes == table.bytes)
                return {true, {}}; // the player was told when it was kept
            continue;
        }
        if (fd < 0) {
            why = whyNotWritten(name, table.bytes.size(), qt_error_string(errno));
            break;
        }
        const bool written = writeAll(fd, table.bytes) && ::fsync(fd) == 0;
        const int error = errno;
        if (::close(fd) == 0 && written)
            return {true, damaged
                              + QCoreApplication::translate(
                                    "highscore", " Sie ist als „%1“ aufbewahrt; OK schreibt die Liste neu.")
                                    .arg(name)};
        ::unlink(native.constData());
        why = whyNotWritten(name, table.bytes.size(), qt_error_string(error));
    }
    if (why.isEmpty())
        why = QCoreApplication::translate("highscore", "Es liegen schon %1 aufbewahrte Kopien neben ihr.")
                  .arg(maxCopies);
    if (table.cutShort)
        return {true,
                damaged
                    + QCoreApplication::translate(
                          "highscore", " Sie kann nicht beiseitegelegt werden: %1 Da ihr nur das Ende fehlt, "
                                       "schreibt OK sie mit jedem vollständigen Namen neu.")
                          .arg(why)};
    return {false, damaged
                       + QCoreApplication::translate(
                             "highscore",
                             " Sie kann nicht beiseitegelegt werden: %1 Darum wird sie nicht überschrieben.")
                             .arg(why)};
}

Saved save(const Names &onScreen, int editable, const QString &path)
{
    Saved saved;
    saved.names = onScreen;
    const TableLock lock(path);
    if (lock.busy) {
        saved.busy = true;
        saved.message = QCoreApplication::translate(
                            "highscore", "Die Highscore-Liste „%1“ wird gerade von einem anderen Spiel "
                                         "gespeichert. Bitte gleich noch einmal OK drücken.")
                            .arg(shown(path));
        return saved;
    }
    if (!lock.refused.isEmpty()) {
        saved.message = notSaved(path, lock.refused);
        return saved;
    }
    const ReadResult now = read(path);
    if (!now.error.isEmpty()) {
        saved.message =
            now.error + QCoreApplication::translate("highscore", " Darum wird sie nicht überschrieben.");
        return saved;
    }
    for (int i = 0; i < entries && i < now.fields.size(); ++i) {
        if (i != editable)
            saved.names[i] = now.fields[i];
    }
    const KeptAside aside = now.damage.isEmpty() ? KeptAside{true, {}} : keepDamaged(now, path);
    saved.message = aside.message;
    QString error;
    if (aside.mayRewrite && !writeLocked(saved.names, &error, path))
        saved.message = error;
    return saved;
}

} // namespace highscore
