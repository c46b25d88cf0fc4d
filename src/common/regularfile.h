// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

class QFile;

// Opens `file` for reading only if it is a regular file (after links): a pipe
// in its place would block the game until a writer comes, a device might never
// end. The check is made again on the open file, in case the name was swapped
// in between, and that open never blocks. Compiled-in resources open as usual.
// On failure errno tells why the file could not be opened.
bool openRegularFile(QFile &file);
