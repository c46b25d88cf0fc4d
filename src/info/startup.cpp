// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "info/startup.h"

#include "common/form.h"
#include "info/frmsplash.h"

void startProgram() { showModeless<FrmSplash>(); }
