# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""Key -> first utterance with Orca 43 running: what a blind player waits for after each kind of step.

Usage: bench/orca_latency.py FARBRIX_BINARY [ROUNDS]   (needs what tests/e2e/test_orca.py needs)

Speech-dispatcher's capture module stamps every utterance with the clock as it writes it; the key's time
is taken just before xdotool sends it. For each step the first utterance that is not Orca's own echo of the
key counts, and the echo beside it, so that what Orca itself takes shows in the same run. Each round starts
the game afresh and plays one row; the ring pictures are the build's."""

import os
import re
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import test_orca  # noqa: E402
from xgame import Session  # noqa: E402

ECHO = re.compile(r"^(return|space|tab|escape|down|up|left|right|left alt|plus|h|o|\d|alt)\s*$")
STEPS = [  # (kind, keys, what the step is heard by)
    ("window: Start -> board", "Return", r"Farbrix v"),
    ("menu: Alt+O -> first item", "alt+o", r"Schwierigkeitsgrad"),
    ("menu: move", "Down", r"Highscore"),
    ("menu: move", "Down", r"Lösung"),
    ("menu: close", "Escape", r"Optionen"),
    ("focus move", "Escape", r"Spiel beginnen"),
    ("focus move", "Return", r"Reihe 1, Spalte 1"),
    ("focus move", "Right", r"Spalte 2"),
    ("focus move", "Right", r"Spalte 3"),
    ("focus move", "Left", r"Spalte 2"),
    ("focus move", "Left", r"Spalte 1"),
    ("placement", "1", r"Spalte 1: Rot"),
    ("placement", "2", r"Spalte 2: Grün"),
    ("placement", "3", r"Spalte 3: Orange"),
    ("placement", "4", r"Spalte 4: Gelb"),
    ("Zeigen -> both counts", "Return", r"richtige Farben \d"),
    ("window: Alt+H, Enter -> instructions", "alt+h Return", r"Spielanleitung"),
    ("window: Enter on Ok -> board", "Return", r"Farbrix v"),
]


def heard(path):
    """(time, text) of every utterance so far."""
    lines = []
    for line in open(path, encoding="utf-8", errors="replace").read().splitlines():
        stamp, _, text = line.partition(" ")
        if re.fullmatch(r"\d+\.\d+", stamp):
            lines.append((float(stamp), text.strip()))
        elif lines:  # a long text goes on on the next line
            lines[-1] = (lines[-1][0], lines[-1][1] + " " + line.strip())
    return lines


def main():
    binary, rounds = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 5
    art = os.environ.get("FARBRIX_ARTWORK_DIR", os.path.join(os.path.dirname(binary), "..", "artwork"))
    pictures = {n: open(os.path.join(art, n), "rb").read() for n in os.listdir(art) if "ring" in n}
    session = Session()
    times = {}
    try:
        orca = test_orca.Orca(session, stamp="$(date +%s.%N)")
        for _ in range(rounds):
            session.start_game(binary, pictures)
            try:
                orca.hear(r"Start push button", timeout=20)
            except AssertionError:  # Orca lost the new program now and then: that round is left out
                print("round left out: the start window not heard", file=sys.stderr)
                continue
            for kind, keys, expect in STEPS:
                time.sleep(0.6)  # Orca has said what it says
                before = len(heard(orca.file))
                t0 = time.time()
                session.key(*keys.split())
                deadline = time.time() + 10
                while time.time() < deadline:
                    new = heard(orca.file)[before:]
                    if any(re.search(expect, text) for _, text in new):
                        break
                    time.sleep(0.02)
                else:
                    print("not heard: %s (%r)" % (kind, new), file=sys.stderr)
                    continue
                speech = [t - t0 for t, text in new if not ECHO.match(text)]
                echo = [t - t0 for t, text in new if ECHO.match(text)]
                times.setdefault(kind, ([], []))[0].append(speech[0])
                if echo:
                    times[kind][1].append(echo[0])
    finally:
        session.close()
    load = open("/proc/loadavg").read().split()[:3]
    print("load average before/after: %s; %d rounds" % (" ".join(load), rounds))
    print("| step | n | first utterance, median | 90th percentile | Orca's key echo, median | 90th |")
    print("|---|---|---|---|---|---|")
    pct = lambda v, q: sorted(v)[min(len(v) - 1, int(round(q * (len(v) - 1))))]
    for kind, (speech, echo) in times.items():
        ms = lambda v, q: "%.0f ms" % (1000 * pct(v, q)) if v else "–"
        print(
            "| %s | %d | %s | %s | %s | %s |"
            % (kind, len(speech), ms(speech, 0.5), ms(speech, 0.9), ms(echo, 0.5), ms(echo, 0.9))
        )


main()
