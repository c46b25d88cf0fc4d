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
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
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

// A regular file's first bytes, read no further than a table can reach. The
// file is opened without following a link and without blocking, and checked
// on the open file, in case the name was swapped meanwhile.
struct Contents {
    QByteArray bytes; // at most readLimit of them
    unsigned permissions = 0;
    quint64 device = 0, inode = 0;
    int error = 0; // errno of a failed open or read
    bool notRegular = false;
    bool large = false; // it holds more than the bytes read
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
        file.device = status.st_dev;
        file.inode = status.st_ino;
        // One byte more than the limit tells a file that grew meanwhile.
        file.bytes.resize(readLimit + 1);
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
        file.large = status.st_size > readLimit || got > readLimit;
        file.bytes.truncate(std::min(got, readLimit));
    }
    ::close(fd);
    return file;
}

QString whyNotRead(const Contents &file)
{
    if (file.notRegular)
        return QCoreApplication::translate("highscore", "Unter diesem Namen liegt keine gewöhnliche Datei.");
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

// Who holds the lock on a file, as the kernel lists it in /proc/locks: the
// process that took it. That one may have ended while another process that
// shares the open file keeps the lock, or be hidden from this user (hidepid):
// then who holds it cannot be told.
struct Holder {
    qint64 pid = 0;
    bool known = false;
    bool ours = false;
    QString user;    // of another user's process
    QString program; // of this user's process
};

QString readSmall(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()).trimmed() : QString();
}

Holder whoHolds(const struct stat &locked)
{
    Holder holder;
    const QString place = QStringLiteral("%1:%2:%3")
                              .arg(major(locked.st_dev), 2, 16, QLatin1Char('0'))
                              .arg(minor(locked.st_dev), 2, 16, QLatin1Char('0'))
                              .arg(quint64(locked.st_ino));
    // "1: FLOCK  ADVISORY  WRITE 1234 00:2f:5678 0 EOF"; a waiting process's line has "->" after the number.
    for (const QString &line : readSmall(QStringLiteral("/proc/locks")).split(QLatin1Char('\n'))) {
        const QStringList field = line.simplified().split(QLatin1Char(' '));
        if (field.size() >= 6 && field[1] != QLatin1String("->") && field[5] == place)
            holder.pid = field[4].toLongLong();
        if (holder.pid > 0)
            break;
    }
    struct stat process {
    };
    if (holder.pid <= 0
        || ::stat(QByteArray("/proc/" + QByteArray::number(holder.pid)).constData(), &process) != 0)
        return holder;
    holder.known = true;
    holder.ours = process.st_uid == ::geteuid();
    holder.program = readSmall(QStringLiteral("/proc/%1/comm").arg(holder.pid));
    if (const passwd *user = holder.ours ? nullptr : ::getpwuid(process.st_uid))
        holder.user = QString::fromLocal8Bit(user->pw_name);
    else if (!holder.ours)
        holder.user = QString::number(process.st_uid);
    return holder;
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

    bool busy = false;    // a program of this user holds it: nothing may be done
    bool foreign = false; // another user's program holds it: not taken, the table is to be replaced
    Holder holder;        // for both
    QString refused;      // why the table can be neither locked nor written; empty if it can

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
        // something to lock, open to this user alone, so that no other user
        // can lock it; where that fails, writing fails too, and says why.
        fd = ::open(name.constData(), O_RDONLY | flags | (place.missing ? O_CREAT : 0), 0600);
        if (fd < 0 && errno == EACCES && !place.missing)
            fd = ::open(name.constData(), O_WRONLY | flags);
        if (fd < 0) {
            if (!place.missing)
                refused = whyNotRead(Contents{{}, 0, 0, 0, errno, errno == ELOOP, false});
            return;
        }
        struct stat held {
        }, there{};
        if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
            refused =
                QCoreApplication::translate("highscore", "Unter diesem Namen liegt keine gewöhnliche Datei.");
            return;
        }
        // Waits on this very file: the game that holds it may replace it
        // meanwhile, and then the lock on it is worth nothing.
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK) {
                refused =
                    QCoreApplication::translate(
                        "highscore", "Die Datei lässt sich nicht sperren. Das Betriebssystem meldet: %1")
                        .arg(qt_error_string(errno));
                return;
            }
            holder = whoHolds(held);
            // The holder may have let go between the two looks, and then it
            // is found nowhere: the lock is tried again before it is judged.
            if (!holder.known && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
                break;
            // Another user's lock is not waited for: it could be held for ever.
            // Where the holder cannot be told, a file other users may open
            // counts as theirs.
            foreign = holder.known ? !holder.ours : (held.st_mode & 0066) != 0 || held.st_uid != ::geteuid();
            busy = !foreign && waited.elapsed() > lockWaitMs;
            if (foreign || busy) {
                ::close(fd);
                fd = -1;
                return;
            }
            QThread::msleep(20);
        }
        if (::lstat(name.constData(), &there) == 0 && there.st_dev == held.st_dev
            && there.st_ino == held.st_ino)
            return;
        ::close(fd);
        fd = -1;
    }
}

bool writeAllAt(int fd, const char *bytes, qsizetype size, off_t offset)
{
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, bytes + done, size_t(size - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Where no file can be created beside the table but the table itself may be
// written: over the old bytes. The first byte is made a control character
// first and given its own value last, so that a write broken off at any
// moment leaves a table that reads as damaged, never old and new names
// spliced into one that looks whole. A file with another name besides this
// one (a hard link) may be anybody's file outside the play folder: it is
// left alone, and the reason returned.
bool writeInPlace(const QString &target, const QByteArray &bytes, QString *refused)
{
    const int fd =
        ::open(QFile::encodeName(target).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {
    };
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    if (regular && status.st_nlink > 1)
        *refused = QCoreApplication::translate(
            "highscore", "Die Datei hat noch einen anderen Namen (eine harte Verknüpfung), der "
                         "außerhalb des Spielordners liegen kann. Darum wird sie nicht überschrieben.");
    const bool written = regular && refused->isEmpty() && writeAllAt(fd, "\x01", 1, 0)
                         && writeAllAt(fd, bytes.constData() + 1, bytes.size() - 1, 1)
                         && ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0
                         && writeAllAt(fd, bytes.constData(), 1, 0) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && written;
}

// write() without taking the lock, which the caller holds. Where another
// user's program holds it (`foreign`), the table is only ever replaced, by
// a file open to this user alone. A file larger than a table is written
// over only where the caller kept it aside (`keptAside`).
bool writeLocked(const Names &names, QString *error, const QString &path, bool foreign = false,
                 bool keptAside = false)
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
    if (const Contents old = place.missing ? Contents{} : readBounded(place.target); old.error != ENOENT) {
        if (const QString why = whyNotRead(old); !why.isEmpty())
            return failed(why
                          + QCoreApplication::translate(
                              "highscore", " Eine Liste, die nicht gelesen werden kann, wird nicht "
                                           "überschrieben."));
        if (old.large && !keptAside)
            return failed(QCoreApplication::translate(
                "highscore", "Die Datei enthält mehr, als eine Highscore-Liste enthalten kann, "
                             "und ohne eine Kopie würde das verloren gehen."));
    }

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
        if (opened && (!foreign || ::fchmod(file.handle(), 0600) == 0) && file.write(*bytes) == bytes->size()
            && file.flush() && ::fsync(file.handle()) == 0 && file.commit()) {
            if (error)
                error->clear();
            return true;
        }
        QString refused;
        if (!opened && !foreign && QFileInfo(place.target).isFile()
            && writeInPlace(place.target, *bytes, &refused)) {
            if (error)
                error->clear();
            return true;
        }
        if (!refused.isEmpty())
            return failed(refused);
        systemText = file.errorString();
    } // discards the temporary file before the cause is looked for
    return failed(whyNotWritten(place.target, bytes->size(), systemText));
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
    result.large = file.large;
    result.device = file.device;
    result.inode = file.inode;
    result.fields = decode(result.bytes, &result.damage, &result.cutShort);
    // Rewriting a large file would lose more than a cut end.
    result.cutShort = result.cutShort && !result.large;
    return result;
}

bool write(const Names &names, QString *error, const QString &path)
{
    const TableLock lock(path);
    const QString refused =
        lock.busy ? QCoreApplication::translate("highscore", "Ein anderes Spiel speichert sie gerade.")
                  : lock.refused;
    if (refused.isEmpty())
        return writeLocked(names, error, path, lock.foreign);
    if (error)
        *error = notSaved(path, refused);
    return false;
}

KeptAside keepDamaged(const ReadResult &table, const QString &path)
{
    const QString shownTable = shown(path);
    const QString intro =
        table.damage.isEmpty()
            ? QCoreApplication::translate(
                  "highscore",
                  "Die Datei der Highscore-Liste „%1“ enthält mehr als die fünf Namen der Liste.")
                  .arg(shownTable)
            : QCoreApplication::translate("highscore", "Die Highscore-Liste „%1“ ist beschädigt. %2")
                  .arg(shownTable, table.damage);
    const QString target = resolve(path).target;
    QString why;
    for (int n = 1; n <= maxCopies && why.isEmpty(); ++n) {
        const QString name =
            shownTable + (table.damage.isEmpty() ? QStringLiteral(".groß") : QStringLiteral(".beschädigt"))
            + (n > 1 ? QStringLiteral("-%1").arg(n) : QString());
        const QByteArray native = QFile::encodeName(name);
        // A large file is kept whole under a second name, which costs
        // nothing; the bytes of a small one are copied, with the table's
        // permissions at most, so no copy is more open than the table.
        int fd = -1;
        if (table.large) {
            if (::link(QFile::encodeName(target).constData(), native.constData()) == 0)
                return {true,
                        intro
                            + QCoreApplication::translate(
                                  "highscore", " Sie ist als „%1“ aufbewahrt; OK schreibt die Liste neu.")
                                  .arg(name)};
        } else {
            fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        table.permissions & 0666);
        }
        if (fd < 0 && errno == EEXIST) {
            struct stat there {
            };
            const Contents copy = table.large ? Contents{} : readBounded(name);
            if (table.large ? ::lstat(native.constData(), &there) == 0 && there.st_dev == table.device
                                  && there.st_ino == table.inode
                            : !copy.error && !copy.notRegular && !copy.large && copy.bytes == table.bytes)
                return {true, {}}; // the player was told when it was kept
            continue;
        }
        if (fd < 0) {
            why = whyNotWritten(name, table.bytes.size(), qt_error_string(errno));
            break;
        }
        const bool written =
            writeAllAt(fd, table.bytes.constData(), table.bytes.size(), 0) && ::fsync(fd) == 0;
        const int error = errno;
        if (::close(fd) == 0 && written)
            return {true, intro
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
                intro
                    + QCoreApplication::translate(
                          "highscore", " Sie kann nicht beiseitegelegt werden: %1 Da ihr nur das Ende fehlt, "
                                       "schreibt OK sie mit jedem vollständigen Namen neu.")
                          .arg(why)};
    return {false, intro
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
    const Holder &holder = lock.holder;
    if (lock.busy) {
        saved.busy = true;
        if (!holder.known)
            saved.message = QCoreApplication::translate(
                                "highscore", "Die Highscore-Liste „%1“ ist gerade von einem anderen Programm "
                                             "gesperrt. Bitte gleich noch einmal OK drücken.")
                                .arg(shown(path));
        else if (holder.program == readSmall(QStringLiteral("/proc/self/comm")))
            saved.message = QCoreApplication::translate(
                                "highscore", "Die Highscore-Liste „%1“ wird gerade von einem anderen Spiel "
                                             "gespeichert. Bitte gleich noch einmal OK drücken.")
                                .arg(shown(path));
        else
            saved.message =
                QCoreApplication::translate(
                    "highscore", "Die Highscore-Liste „%1“ ist gerade vom Programm „%2“ (Prozess %3) "
                                 "gesperrt. Bitte noch einmal OK drücken, wenn es sie freigegeben hat.")
                    .arg(shown(path), holder.program, QString::number(holder.pid));
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
    const KeptAside aside = now.damage.isEmpty() && !now.large ? KeptAside{true, {}} : keepDamaged(now, path);
    saved.message = aside.message;
    QString error;
    const bool stored = aside.mayRewrite && writeLocked(saved.names, &error, path, lock.foreign, now.large);
    if (!error.isEmpty())
        saved.message = error;
    if (lock.foreign) {
        // Whole sentences, each for itself: who held the table, and what became of it.
        const QString who =
            holder.known
                ? QCoreApplication::translate(
                      "highscore", "Ein Programm des Benutzers „%1“ (Prozess %2) hält die Highscore-Liste "
                                   "„%3“ gesperrt.")
                      .arg(holder.user, QString::number(holder.pid), shown(path))
                : QCoreApplication::translate(
                      "highscore", "Ein Programm, dessen Benutzer sich nicht feststellen lässt, hält die "
                                   "Highscore-Liste „%1“ gesperrt; andere Benutzer dürfen sie öffnen.")
                      .arg(shown(path));
        saved.busy = !stored;
        const QString done =
            stored ? QCoreApplication::translate(
                "highscore", "Farbrix hat sie darum durch eine neue Datei ersetzt, die andere Benutzer "
                             "nicht öffnen können, und die Namen darin gespeichert.")
                   : QCoreApplication::translate("highscore",
                                                 "Der Name bleibt im Fenster; bitte noch einmal OK drücken, "
                                                 "wenn die Sperre aufgehoben ist.");
        saved.message = QStringList{who, saved.message, done}.join(QLatin1Char(' ')).trimmed();
    }
    return saved;
}

} // namespace highscore
