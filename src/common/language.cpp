// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/language.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

namespace language {

namespace {
constexpr auto source = "de";

QString translationFile(const QString &language)
{
    return QStringLiteral(":/i18n/farbrix_%1.qm").arg(language);
}
} // namespace

QString choose(const QStringList &uiLanguages)
{
    for (const QString &tag : uiLanguages) {
        const QString language = tag.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (language == QLatin1String(source)
            || (!language.isEmpty() && QFile::exists(translationFile(language))))
            return language;
    }
    return QString::fromLatin1(source);
}

QStringList desktopLanguages()
{
    // The C library ignores LANGUAGE under the C/POSIX locale; Qt reads it
    // there all the same, and for C.UTF-8 even takes its language from it.
    QString locale = qEnvironmentVariable("LC_ALL");
    for (const char *next : {"LC_MESSAGES", "LANG"})
        locale = locale.isEmpty() ? qEnvironmentVariable(next) : locale;
    if (locale.isEmpty() || locale == u"C" || locale == u"POSIX" || locale.startsWith(u"C."))
        return {};
    return QLocale::system().uiLanguages();
}

void install(const QString &language)
{
    static QTranslator game, qt;
    for (QTranslator *translator : {&game, &qt})
        QCoreApplication::removeTranslator(translator);
    const QLocale locale(language);
    QLocale::setDefault(locale);
    // German is in the code itself; Qt's own texts come in German too.
    if (language != QLatin1String(source) && game.load(translationFile(language)))
        QCoreApplication::installTranslator(&game);
    if (qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
}

} // namespace language
