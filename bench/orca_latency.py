# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""Key -> first utterance with Orca 43 running: what a blind player waits for after each kind of step.

Usage: bench/orca_latency.py FARBRIX_BINARY [ROUNDS [OTHER_BINARY ...]]   (needs what tests/e2e/test_orca.py needs)

Speech-dispatcher's capture module stamps every utterance with the clock as it writes it; the key's time
is taken just before xdotool sends it. For each step the first utterance that is not Orca's own echo of the
key counts, and the echo beside it, so that what Orca itself takes shows in the same run. Each round starts
the game afresh and plays one row; the ring pictures are the first build's. With several binaries each round
plays them in turn, so that they share the machine's load. dbus-monitor on the accessibility bus counts, per
step, the events the game sent and the calls Orca made back between the key and the utterance."""

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
    ("focus move: menu closed -> Spiel beginnen", "Escape", r"Spiel beginnen"),
    ("focus move: Spiel beginnen -> the row", "Return", r"Reihe 1, Spalte 1"),
    ("focus move along the row", "Right", r"Spalte 2"),
    ("focus move along the row", "Right", r"Spalte 3"),
    ("focus move along the row", "Left", r"Spalte 2"),
    ("focus move along the row", "Left", r"Spalte 1"),
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


def bus_traffic(path, spans):
    """For each (start, end): the game's events and the calls made to the game in that time."""
    messages = re.findall(
        r"^(signal|method call) time=([\d.]+) sender=(\S+) -> destination=(\S+).*?interface=(\S+);",
        open(path, errors="replace").read(),
        re.M,
    )
    events = [(float(t), sender) for kind, t, sender, _, face in messages if kind == "signal"]
    game = {
        s for kind, _, s, _, face in messages if kind == "signal" and face.startswith("org.a11y.atspi.Event.")
    }
    game -= {s for kind, _, s, _, face in messages if face == "org.a11y.atspi.Event.ScreenReader"}
    calls = [float(t) for kind, t, _, to, _ in messages if kind == "method call" and to in game]
    events = [t for t, s in events if s in game]
    count = lambda times, a, b: sum(a <= t <= b for t in times)
    return [(count(events, a, b), count(calls, a, b)) for a, b in spans]


def main():
    binaries, rounds = [sys.argv[1]] + sys.argv[3:], int(sys.argv[2]) if len(sys.argv) > 2 else 5
    art = os.environ.get("FARBRIX_ARTWORK_DIR", os.path.join(os.path.dirname(binaries[0]), "..", "artwork"))
    pictures = {n: open(os.path.join(art, n), "rb").read() for n in os.listdir(art) if "ring" in n}
    session = Session()
    times, spans = {b: {} for b in binaries}, {b: {} for b in binaries}
    load = open("/proc/loadavg").read().split()[:3]
    try:
        orca = test_orca.Orca(session, stamp="$(date +%s.%N)")
        bus = session.run(
            "dbus-send",
            "--session",
            "--dest=org.a11y.Bus",
            "--print-reply=literal",
            "/org/a11y/bus",
            "org.a11y.Bus.GetAddress",
        ).strip()
        traffic = os.path.join(session.scratch, "a11y-bus.txt")
        session._spawn(["dbus-monitor", "--address", bus], session.env, stdout=open(traffic, "w"))
        for _, binary in ((r, b) for r in range(rounds) for b in binaries):
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
                times[binary].setdefault(kind, ([], []))[0].append(speech[0])
                if echo:
                    times[binary][kind][1].append(echo[0])
                spans[binary].setdefault(kind, []).append((t0, t0 + speech[0]))
        time.sleep(1)  # dbus-monitor has written the last step
        for binary in binaries:
            for kind, span in spans[binary].items():
                times[binary][kind] += (bus_traffic(traffic, span),)
    finally:
        session.close()
    print(
        "load average before: %s, after: %s; %d rounds"
        % (" ".join(load), open("/proc/loadavg").read()[:14], rounds)
    )
    pct = lambda v, q: sorted(v)[min(len(v) - 1, int(round(q * (len(v) - 1))))]
    for binary in binaries:
        print("\n%s\n" % binary)
        print(
            "| step | n | first utterance, median | 90th percentile | Orca's key echo, median | 90th | events / calls until heard, median |"
        )
        print("|---|---|---|---|---|---|---|")
        for kind, (speech, echo, *bus) in times[binary].items():
            ms = lambda v, q: "%.0f ms" % (1000 * pct(v, q)) if v else "–"
            counts = bus[0] if bus else []
            traffic = (
                "%d / %d" % (statistics.median(e for e, _ in counts), statistics.median(c for _, c in counts))
                if counts
                else "–"
            )
            print(
                "| %s | %d | %s | %s | %s | %s | %s |"
                % (kind, len(speech), ms(speech, 0.5), ms(speech, 0.9), ms(echo, 0.5), ms(echo, 0.9), traffic)
            )


main()
