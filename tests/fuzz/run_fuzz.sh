#!/usr/bin/env bash
# Builds tests/fuzz with clang and runs the highscore fuzzer for a bounded
# time. Exits 77, which ctest reports as skipped, when clang++ or its
# libFuzzer runtime (Debian: libclang-rt-14-dev) is not installed.
#
# Usage: run_fuzz.sh FUZZ_SOURCE_DIR BUILD_DIR SECONDS [CLANGXX] [QT6_DIR] [CMAKE]
set -u

src=$1
build=$2
seconds=$3
cxx=${4:-clang++}
qt6dir=${5:-}
cmake=${6:-cmake}

skip() {
    echo "SKIPPED: $*"
    exit 77
}

[ -n "$cxx" ] && command -v "$cxx" >/dev/null 2>&1 || skip "no clang++ found"
mkdir -p "$build" || exit 1

probe=$build/probe.cpp
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' >"$probe"
if ! "$cxx" -fsanitize=fuzzer,address "$probe" -o "$build/probe" >"$build/probe.log" 2>&1; then
    cat "$build/probe.log"
    skip "$cxx cannot link libFuzzer (Debian package libclang-rt-14-dev)"
fi

configure=(-S "$src" -B "$build/tree" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo)
[ -n "$qt6dir" ] && configure+=(-DQt6_DIR="$qt6dir")
"$cmake" "${configure[@]}" || exit 1
"$cmake" --build "$build/tree" || exit 1

# The corpus stays in the build tree, so later runs start where this one
# ended; the seed is a well-formed table.
mkdir -p "$build/corpus" || exit 1
printf '"Anna","B\xfcrger, Hans","","Zo\xeb \x80","Ede"\r\n' >"$build/corpus/seed-table"

# libFuzzer's own default failure code is 77, which would read as skipped.
"$build/tree/fuzz_highscore" -max_total_time="$seconds" -error_exitcode=1 -timeout_exitcode=1 \
    -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/" -print_final_stats=1 \
    "$build/corpus" || exit 1
