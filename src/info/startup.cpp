// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "info/startup.h"

#include "common/fonts.h"
#include "common/form.h"
#include "common/inputwatch.h"
#include "common/language.h"
#include "info/frmsplash.h"

#include <QApplication>

void setUpApplication()
{
    // The desktop's and screen readers' name for the program. No display
    // name: Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Farbrix"));
    // Menus and message boxes, which no design gives a font.
    QApplication::setFont(fonts::standard());
    language::install(language::choose(language::desktopLanguages()));
    input::watch();
}

void startProgram() { showModeless<FrmSplash>(); }
