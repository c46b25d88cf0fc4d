// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "rules/global.h"

#include <QtGlobal>

namespace Global {

Int &guessColor(int column)
{
    Int *columns[] = {&guessColor1, &guessColor2, &guessColor3, &guessColor4};
    Q_ASSERT(column >= 1 && column <= 4);
    return *columns[column - 1];
}

Int &secretColor(int column)
{
    Int *columns[] = {&secretColor1, &secretColor2, &secretColor3, &secretColor4};
    Q_ASSERT(column >= 1 && column <= 4);
    return *columns[column - 1];
}

QString &ringFile(int colour)
{
    QString *files[] = {&ringFile1, &ringFile2, &ringFile3, &ringFile4, &ringFile5, &ringFile6};
    Q_ASSERT(colour >= 1 && colour <= 6);
    return *files[colour - 1];
}

QString &recordName(int attempts)
{
    QString *names[] = {&recordName1, &recordName2, &recordName3, &recordName4, &recordName5};
    Q_ASSERT(attempts >= 1 && attempts <= 5);
    return *names[attempts - 1];
}

} // namespace Global
