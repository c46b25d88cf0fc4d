// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The highscore table as a file (its format is highscorefile.h's part), kept
// safe in a play folder that others may write too:
// - Links: reading, writing and copying aside follow a symbolic link only
//   where the link and the file it leads to belong to the user running the
//   game, as the kernel does in shared folders, so a planted link neither
//   leads the game to write over another user's or the system's files nor
//   lets it disclose them. Only a regular file is opened, and never in a way
//   that could block.
// - Size: of a file larger than readLimit only the first readLimit bytes are
//   read, and its names are taken from them; before OK writes the table anew,
//   the whole file is kept beside it under a second name (a hard link, which
//   costs nothing however large it is) named as a damaged table's copy
//   below, with ".groß" for ".beschädigt". Where none can be made, it is not
//   written over.
// - A table that cannot be read is never written over: its names would be
//   lost.
// - Lock: saving locks the table file itself (an exclusive flock, taken
//   again when the file was replaced while waiting). The kernel drops it
//   when a game ends however it ends, so there is no lock file to go stale
//   or to be planted; an in-place write holds it like any other. A table
//   this program creates is open to its user alone, so no other user can
//   lock it; one that another user's program has locked (an older, more open
//   file) is not waited for but replaced by a new file open to this user
//   alone, and the player is told whose program held it; where no file can
//   be made beside it, nothing is written and OK may be tried again. Where
//   the holder cannot be told (the process that took the lock has ended,
//   or is hidden from this user), a table other users may open counts as
//   held by one of them.
// - Hard links: a file with a second name may be a file outside the play
//   folder: it is replaced, never written in place.
// - Kills: a write broken off at any moment leaves the old table, the new
//   one, or (in place) one that reads as damaged.
// - Damage: before a damaged table is rewritten, its bytes are kept beside it
//   as "TESTFILE.beschädigt", or "TESTFILE.beschädigt-2" and so on where that
//   name is taken, never more open than the table: no kept copy is ever
//   overwritten, and a table kept once is not kept again. Where no copy can
//   be made, a table cut short is rewritten all the same with every whole
//   name it holds, and any other is left alone, with a message saying why.

#include "results/highscorefile.h"

namespace highscore {

struct ReadResult {
    QStringList fields;
    // A German sentence naming the file and the reason; empty when the file
    // was read or does not exist (then fields is empty too).
    QString error;
    // How the table is damaged; empty when it is not.
    QString damage;
    bool cutShort = false; // the damage is only a cut end
    bool large = false;    // the file holds more than the bytes read
    QByteArray bytes;      // what the file holds, at most readLimit of it
    quint64 device = 0, inode = 0;
    unsigned permissions = 0600; // its mode bits; a copy aside gets no more
};

ReadResult read(const QString &path = QString::fromLatin1(fileName));

// Keeps the damaged or large table that `table` was read from aside (see above).
struct KeptAside {
    bool mayRewrite = false; // a copy lies beside the table, or rewriting loses no whole name
    QString message;         // for the player: empty when this very table had been
                             // kept before, so the player hears of it once
};
KeptAside keepDamaged(const ReadResult &table, const QString &path = QString::fromLatin1(fileName));

// Replaces the file under its lock, atomically where a file can be created
// beside it, else in place, flushed and synced. It only ever replaces a
// regular file it can read or creates a missing one. On failure the old
// file is left exactly as it was, false is returned and *error (if given)
// holds a German sentence naming the file and the reason.
bool write(const Names &names, QString *error, const QString &path = QString::fromLatin1(fileName));

struct Saved {
    Names names;       // what the table holds now, or would hold
    bool busy = false; // another program holds the lock and nothing was written: OK may be tried again
    QString message;   // for the player; empty when there is nothing to say
};

// Stores the name of one slot (`editable`, 0 to 4; -1 for none) from
// `onScreen`, the names a window shows, while every other slot keeps what the
// file holds now: another game in the same folder may have saved since the
// window read it. Reading and writing happen under the table's lock; slots
// the file lacks take their names from `onScreen`.
Saved save(const Names &onScreen, int editable, const QString &path = QString::fromLatin1(fileName));

} // namespace highscore
