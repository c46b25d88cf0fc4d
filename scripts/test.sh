#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# Builds Farbrix and runs every test headless: unit and widget tests on Qt's
# offscreen platform, end-to-end tests in a private Xvfb session, the fuzzer
# for the highscore reader. Then builds the tests again with AddressSanitizer
# and UndefinedBehaviorSanitizer (leak checking on) and runs them once more.
# Installs missing Debian packages when run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth openbox xdotool x11-utils x11-xkb-utils imagemagick python3 at-spi2-core python3-pyatspi dbus-x11 orca speech-dispatcher \
                clang libclang-rt-14-dev util-linux clang-format black \
                desktop-file-utils appstream build-essential dpkg-dev debhelper lintian git librsvg2-bin man-db

jobs=$(nproc)
status=0

# The files named by the patterns: in a clone those git tracks, in an exported
# release tree (no .git) all but the build folders.
sources() {
    if [ -e .git ]; then
        git ls-files -z "$@"
    else
        local pattern names=()
        for pattern in "$@"; do names+=(-o -name "$pattern"); done
        find . \( -name 'build*' -o -name play -o -name Testing \) -prune -o -type f \( "${names[@]:1}" \) -print0
    fi
}

echo "== Style"
# One style for the whole tree: clang-format for C++ (.clang-format), black for Python.
sources '*.cpp' '*.h' '*.c' | xargs -0 clang-format --dry-run -Werror || status=1
sources '*.py' | xargs -0 black --check -q || status=1

echo "== Build and test"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/test -j"$jobs"
(cd build/test && ctest --output-on-failure -j"$jobs") || status=1

echo "== Build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
# The end-to-end tests, the fuzzer, the packaging tests and the screen-reader run on xcb (whose keymap
# library trips the sanitizer in its own code) are left out here:
# the fuzzer carries its own sanitizers, the widget tests already drive every
# window, and a package of a sanitized build is of no use.
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DFARBRIX_SANITIZE=ON >/dev/null
cmake --build build/asan -j"$jobs"
# Leak checking needs no suppressions: Qt frees what the tests allocate.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build/asan && ctest --output-on-failure -j"$jobs" -LE 'e2e|fuzz|package|xcb') || status=1

# The suite's size against the code it tests, in non-blank lines (test data
# files left out): the tests are meant to stay within about a third.
nonblank() { find "$@" -type f -not -path 'tests/data/*' -exec cat {} + | grep -c '[^[:space:]]'; }
code=$(nonblank src tools)
tests=$(nonblank tests)
echo "== Size: tests $tests, code $code non-blank lines; ratio $(awk "BEGIN { printf \"%.4f (at most 0.36)\", $tests / $code }")"

exit $status
