#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# The benchmark in one command: builds the game, its in-process benchmark, a
# bare Qt program of the board's shape and the start-up probe in a release
# folder of their own (build/bench), then measures on a private Xvfb:
#   1. in-process: Start -> board painted, new game, evaluation + repaint,
#      1000 new games' memory, idle wake-ups and CPU (farbrix-bench);
#   2. start-up of the real programs, interleaved: farbrix, bare-qt and,
#      where installed, sgt-guess and gnome-mastermind (startup.py).
# As root it installs what is missing (Xvfb, the xcb headers, the two peers).
# Usage: bench/run.sh [RUNS]        (RUNS: start-up runs per program, 7)
# Wall-clock figures depend on how busy the machine is: compare programs
# within one run, never against a run of another day.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
build=build/bench

source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth python3 libxcb1-dev libxcb-damage0-dev libxcb-xtest0-dev pkg-config
if [ "$(id -u)" = 0 ]; then
    # The peers are optional: measured where they can be had.
    for peer in sgt-puzzles gnome-mastermind; do
        dpkg-query -W -f='${Status}' "$peer" 2>/dev/null | grep -q "ok installed" ||
            apt-get install -y -qq "$peer" >/dev/null 2>&1 || echo "(could not install $peer)"
    done
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DFARBRIX_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target farbrix farbrix-bench bare-qt farbrix-probe >/dev/null

# The game reads its ring pictures from its working directory.
play=$(mktemp -d /tmp/farbrix-bench-play.XXXXXX)
trap 'rm -rf "$play"' EXIT
cp "$build"/artwork/*ring*.jpg "$play"/

echo "== in-process (farbrix-bench on Xvfb)"
(cd "$play" && xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    env -u QT_QPA_PLATFORM "$OLDPWD/$build/bench/farbrix-bench" 2>/dev/null)

echo
echo "== start-up of the real programs"
programs=(-p farbrix "$PWD/$build/src/farbrix" -p bare-qt "$PWD/$build/bench/bare-qt")
[ -x /usr/games/sgt-guess ] && programs+=(-p sgt-guess /usr/games/sgt-guess)
[ -x /usr/games/gnome-mastermind ] && programs+=(-p gnome-mastermind /usr/games/gnome-mastermind)
# "&Start" lies at (235, 227) in the start window: its design rectangle
# (2760, 3120, 1455, 495 twips) centred, plus the 3-pixel border.
python3 bench/startup.py --probe "$PWD/$build/bench/farbrix-probe" -n "$runs" --play "$play" \
    --json "$build/startup.json" "${programs[@]}" --click farbrix 235,227
