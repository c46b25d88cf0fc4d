#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# Kills a game while it saves its table, KILLS times (10000), and counts what
# each kill left (bench/kill_bench.cpp). Once where no file can be made beside
# the table, so that every write is an in-place one, once in an ordinary
# folder, where the table is replaced atomically.
# Usage: bench/kill.sh [KILLS] [NAME_LENGTH]
# KILL_INPLACE_ONLY=1 leaves out the atomic run (7 ms a write on a disk).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/bench
# The bench folder's other programs need the xcb headers to be configured.
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" libxcb1-dev libxcb-damage0-dev libxcb-xtest0-dev pkg-config
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DFARBRIX_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target farbrix-kill-bench >/dev/null

scratch=$(mktemp -d /tmp/farbrix-kill.XXXXXX)
mkdir "$scratch/inplace" "$scratch/atomic"
if [ "$(id -u)" = 0 ]; then
    # Two inodes: the folder and the table; root is not stopped by a folder's mode.
    mount -t tmpfs -o nr_inodes=2 farbrix-kill "$scratch/inplace"
    trap 'umount "$scratch/inplace"; rm -rf "$scratch"' EXIT
else
    trap 'chmod 755 "$scratch/inplace"; rm -rf "$scratch"' EXIT
    touch "$scratch/inplace/TESTFILE"
    chmod 555 "$scratch/inplace"
fi
echo "== in place"
"$build/bench/farbrix-kill-bench" "$scratch/inplace/TESTFILE" "$@"
echo "== replaced atomically"
[ -n "${KILL_INPLACE_ONLY:-}" ] || "$build/bench/farbrix-kill-bench" "$scratch/atomic/TESTFILE" "$@"
