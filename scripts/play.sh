#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# Builds Farbrix (release) and starts it in the play directory ./play, which
# holds the six ring pictures and, once a game was won, the highscore table
# TESTFILE. Installs missing Debian packages when run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release -j"$(nproc)"

# The game reads its pictures and keeps its highscores by bare name in its
# working directory. Fresh pictures every time; the highscores stay.
mkdir -p play
cp build/release/artwork/*ring*.jpg play/
cd play
exec ../build/release/src/farbrix
