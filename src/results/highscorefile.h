// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The highscore table's format: the file TESTFILE in the working directory
// holds one line of five quoted names (won in 1, 2, 3, 4, 5 attempts), separated by
// commas, ended by CR LF, one byte per character in Windows-1252:
//
//     "Jürgen","Anna, Maria","","Zoë","Ede"<CR><LF>
//
// Nothing here touches a file or a widget: keeping the file safe (links,
// locks, copies aside) is tablefile.h's part, and the highscore window owns
// the labels and text boxes and decides what to show.
//
// Reading follows BASIC's Input #: a field that starts with a quote runs to
// the closing quote (commas and line ends inside belong to the name) and the
// rest up to the next comma or line end is skipped; an unquoted field runs to
// the next comma or line end with blanks around it trimmed. Whatever the
// file holds, the reader yields at most five fields, and each of them passes
// isStorable(): characters the file could not have been written with
// (control characters, quotes, bytes Windows-1252 leaves undefined) are
// dropped and a field is cut at maxNameLength (which counts as damage). So a table that was read can
// always be written back and reads back the same.
//
// A table is damaged when a name in it would be lost or changed by reading
// it and writing it back, in one of four ways:
// - it has one to four fields (none at all, as in an empty file, loses
//   nothing and is read like a missing file);
// - a quoted field has no closing quote;
// - a name holds a byte that is no Windows-1252 text: a control character
//   (CR, LF and tab included, which only separate or surround fields), DEL,
//   or one of the five bytes Windows-1252 leaves undefined;
// - a name is longer than maxNameLength.
// Everything else the reader skips is not damage: text between a closing
// quote and the next comma, fields after the fifth. A table this program
// writes is never damaged.
//
// Decisions for damaged files:
// - A quoted field without its closing quote is not a field: reading stops
//   before it, so the names before it count and the rest keep theirs.
// - A table cut short (the open quote or a missing field at its end, as a
//   write broken off leaves it) loses no whole name by being rewritten;
//   other damage would lose or change a name (see tablefile.h for what is
//   done with each).
// - Runs of CR and LF count as one line end (blank lines make no fields); a
//   comma followed by nothing or a line end does make an empty field.
// - Of a file longer than readLimit only its first readLimit bytes are read,
//   as the original reader took its first line's five fields and no more (see
//   tablefile.h for what is kept of the rest). A table this program writes is
//   never near that size.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QValidator>

#include <array>
#include <optional>

namespace highscore {

inline constexpr int entries = 5;
inline constexpr auto fileName = "TESTFILE";

inline constexpr qsizetype readLimit = 64 * 1024;
inline constexpr qsizetype maxNameLength = 10000;
// Five quoted names, four commas and CR LF must fit into what read() reads.
static_assert(entries * (maxNameLength + 2) + (entries - 1) + 2 <= readLimit);

using Names = std::array<QString, entries>;

// True if the file holds the name faithfully: every character is in
// Windows-1252 and is neither a double quote nor a control character
// (CR and LF included), and the name is at most maxNameLength long.
bool isStorable(const QString &name);

// The exact file contents, CR LF included; nothing if any name is not
// storable.
std::optional<QByteArray> encode(const Names &names);

// The fields of the table's bytes, 0 to 5 of them, in file order; if the
// table is damaged and `damage` is given, a German sentence saying how, and
// `cutShort` (if given) tells whether the damage is only a cut end.
QStringList decode(QByteArrayView bytes, QString *damage = nullptr, bool *cutShort = nullptr);

// For the name text boxes: typed or pasted text that the file could not
// hold is refused outright rather than mangled on saving.
class NameValidator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

} // namespace highscore
