#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# run_fuzz.sh SOURCE BUILD_DIR SECONDS CLANGXX: builds the highscore fuzzer with clang's libFuzzer (g++ has
# none; clang++ and libclang-rt-14-dev are installed by scripts/test.sh) on the system's Qt, and runs it.
set -u
src=$1 build=$2 seconds=$3 cxx=$4
mkdir -p "$build/corpus" || exit 1
# shellcheck disable=SC2046 # pkg-config's flags are separate words
"$cxx" -std=c++20 -O1 -g -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$src/src" "$src/tests/fuzz_highscore.cpp" "$src/src/results/highscorefile.cpp" \
    $(pkg-config --cflags --libs Qt6Gui) -o "$build/fuzz_highscore" || exit 1
# The corpus stays, so later runs start where this one ended; the seed is a sound table.
printf '"Anna","B\xfcrger, Hans","","Zo\xeb \x80","Ede"\r\n' >"$build/corpus/seed-table"
exec "$build/fuzz_highscore" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$build/" -print_final_stats=1 "$build/corpus"
