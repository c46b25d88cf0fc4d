#pragma once

// The highscore table on disk: the file TESTFILE in the working directory,
// one line of five quoted names (won in 1, 2, 3, 4, 5 attempts), separated by
// commas, ended by CR LF, one byte per character in Windows-1252:
//
//     "Jürgen","Anna, Maria","","Zoë","Ede"<CR><LF>
//
// Nothing here touches a widget; the highscore window owns the labels and
// text boxes and decides what to show.
//
// Reading follows BASIC's Input #: a field that starts with a quote runs to
// the closing quote (commas and line ends inside belong to the name) and the
// rest up to the next comma or line end is skipped; an unquoted field runs to
// the next comma or line end with blanks around it trimmed. Whatever the
// file holds, the reader yields at most five fields, and each of them passes
// isStorable(): characters the file could not have been written with
// (control characters, quotes, bytes Windows-1252 leaves undefined) are
// dropped and a field is cut at maxNameLength. So a table that was read can
// always be written back and reads back the same.
//
// Decisions for damaged files:
// - A quoted field without its closing quote is not a field: reading stops
//   before it, so the names before it count and the rest keep theirs.
// - Runs of CR and LF count as one line end (blank lines make no fields); a
//   comma followed by nothing or a line end does make an empty field.
// - Only the first readLimit bytes are read; a longer file reads as if it
//   ended there. A table this program writes is never near that size.

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

// The fields of the table's bytes, 0 to 5 of them, in file order.
QStringList decode(QByteArrayView bytes);

struct ReadResult {
    QStringList fields;
    // A German sentence naming the file and the reason; empty when the file
    // was read or does not exist (then fields is empty too).
    QString error;
};

ReadResult read(const QString &path = QString::fromLatin1(fileName));

// Replaces the file atomically: on failure the old file is left exactly as
// it was, false is returned and *error (if given) holds a German sentence
// naming the file with its absolute path and the reason.
bool write(const Names &names, QString *error,
           const QString &path = QString::fromLatin1(fileName));

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
