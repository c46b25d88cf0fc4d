#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# Processor time the about window costs while it is open: the credits line
# moves 20 times a second. Usage:
#   tools/bench/about_cpu.sh [build-dir] [seconds]
# Runs on the display in $DISPLAY if there is one, otherwise offscreen.
set -eu
build=${1:-build}
seconds=${2:-10}
if [ -z "${DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
fi
test=$build/tests/test_info
[ -x "$test" ] || test=$build/test_info
FARBRIX_BENCH_ABOUT_SECONDS=$seconds "$test" aboutCpuUse 2>&1 | grep -E "about window open|FAIL"
