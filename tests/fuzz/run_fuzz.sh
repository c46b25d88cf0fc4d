#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# run_fuzz.sh FUZZ_SOURCE_DIR BUILD_DIR SECONDS CLANGXX [QT6_DIR]: builds tests/fuzz with clang and runs the
# highscore fuzzer; exits 77 (skipped) where clang++ or its libFuzzer (libclang-rt-14-dev) is missing.
set -u
src=$1 build=$2 seconds=$3 cxx=$4 qt6dir=${5:-}
mkdir -p "$build/corpus" && echo 'extern "C" int LLVMFuzzerTestOneInput(const char *, unsigned long) { return 0; }' >"$build/probe.cpp" || exit 1
"$cxx" -fsanitize=fuzzer,address "$build/probe.cpp" -o "$build/probe" >"$build/probe.log" 2>&1 \
    || { cat "$build/probe.log"; echo "SKIPPED: $cxx cannot link libFuzzer"; exit 77; }
cmake -S "$src" -B "$build/tree" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    ${qt6dir:+-DQt6_DIR="$qt6dir"} && cmake --build "$build/tree" || exit 1
# The corpus stays, so later runs start where this one ended; the seed is a sound table.
printf '"Anna","B\xfcrger, Hans","","Zo\xeb \x80","Ede"\r\n' >"$build/corpus/seed-table"
# libFuzzer's own failure code is 77, which would read as skipped.
exec "$build/tree/fuzz_highscore" -max_total_time="$seconds" -error_exitcode=1 -timeout_exitcode=1 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$build/" -print_final_stats=1 "$build/corpus"
