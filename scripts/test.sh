#!/usr/bin/env bash
# Builds Farbrix and runs every test headless: unit and widget tests on Qt's
# offscreen platform, end-to-end tests in a private Xvfb session, the fuzzer
# for the highscore reader. Installs missing Debian packages when run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb openbox xdotool x11-utils imagemagick python3 clang libclang-rt-14-dev

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/test -j"$(nproc)"
cd build/test
ctest --output-on-failure -j"$(nproc)"
