// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The game speaks German, its source language, or a language it carries a
// translation for (farbrix_<language>.qm in the resources), whichever comes
// first among the languages the desktop asks for. Everything else, and the
// C/POSIX locale, gets German.

#include <QStringList>

namespace language {

// The language to play in for the desktop's preferred languages, most
// wanted first ("en-GB", "de", "fr-CA"); "de" where none is carried.
QString choose(const QStringList &uiLanguages);

// What the desktop asks for (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, as
// QLocale::system() reads them), or nothing at all under the C/POSIX locale.
QStringList desktopLanguages();

// Installs the game's translation and Qt's own for `language` into the
// application, and makes that language QLocale's default (which also picks
// the language's version of a picture from the resources). Installing again
// replaces what was installed before.
void install(const QString &language);

} // namespace language
