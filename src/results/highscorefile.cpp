// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "results/highscorefile.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

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

QString cleanField(QByteArrayView raw, bool *dropped, bool *cut)
{
    QStringDecoder decoder(codePage);
    QString text = decoder.decode(raw);
    const qsizetype size = text.size();
    text.removeIf([](QChar c) { return !isStorableChar(c); });
    *dropped = *dropped || text.size() < size;
    *cut = *cut || text.size() > maxNameLength;
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

QStringList decode(QByteArrayView bytes, QString *damage, bool *cutShort)
{
    QStringList fields;
    bool dropped = false;
    bool cut = false;
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
        fields.append(cleanField(raw, &dropped, &cut));
        afterComma = pos < n && bytes[pos] == ',';
        if (afterComma)
            ++pos;
        else
            skipLineEnds();
    }
    if (cutShort)
        *cutShort = !dropped && !cut && (openQuote || (!fields.isEmpty() && fields.size() < entries));
    if (!damage)
        return fields;
    if (openQuote)
        *damage =
            QCoreApplication::translate("highscore", "Ein Name hat kein schließendes Anführungszeichen.");
    else if (dropped)
        *damage = QCoreApplication::translate("highscore",
                                              "Ein Name enthält Zeichen, die kein Windows-1252-Text sind.");
    else if (cut)
        *damage = QCoreApplication::translate(
                      "highscore", "Ein Name ist länger als die %1 Zeichen, die ein Name haben kann.")
                      .arg(QLocale().toString(maxNameLength));
    else if (!fields.isEmpty() && fields.size() < entries)
        *damage = QCoreApplication::translate("highscore", "Sie enthält weniger als fünf Namen.");
    else
        damage->clear();
    return fields;
}

QValidator::State NameValidator::validate(QString &input, int &) const
{
    return isStorable(input) ? Acceptable : Invalid;
}

} // namespace highscore
