#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# run_fuzz.sh FUZZ_SOURCE_DIR BUILD_DIR SECONDS CLANGXX [QT6_DIR]: builds tests/fuzz with clang and runs the
# highscore fuzzer (clang++ and its libFuzzer, libclang-rt-14-dev, are installed by scripts/test.sh).
set -u
src=$1 build=$2 seconds=$3 cxx=$4 qt6dir=${5:-}
mkdir -p "$build/corpus" || exit 1
cmake -S "$src" -B "$build/tree" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    ${qt6dir:+-DQt6_DIR="$qt6dir"} && cmake --build "$build/tree" || exit 1
# The corpus stays, so later runs start where this one ended; the seed is a sound table.
printf '"Anna","B\xfcrger, Hans","","Zo\xeb \x80","Ede"\r\n' >"$build/corpus/seed-table"
exec "$build/tree/fuzz_highscore" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$build/" -print_final_stats=1 "$build/corpus"
