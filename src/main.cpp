// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/fonts.h"
#include "common/form.h"
#include "common/inputwatch.h"
#include "common/language.h"
#include "info/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No application display name: Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Farbrix"));
    QApplication::setFont(fonts::standard());
    language::install(language::choose(language::desktopLanguages()));
    input::watch();
    forms::endProgramWhenLastWindowUnloaded();
    startProgram();
    return QApplication::exec();
}
