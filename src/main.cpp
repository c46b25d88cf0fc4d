// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/form.h"
#include "info/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();
    forms::endProgramWhenLastWindowUnloaded();
    startProgram();
    return QApplication::exec();
}
