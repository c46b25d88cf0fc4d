# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""One key, one action, with Orca 43 running: Start pressed ROUNDS times (Return, Space, Alt+S in turn),
each followed DELAY seconds later (0.2) by Orca's where-am-I (keypad Enter), as a player checks where the key
led.
Counts the presses after which the game began as well (the hole of row 1 heard, or Nächster Versuch), and
those after which a control was read without its name (a bare "push button": the departing Start button).

Usage: bench/orca_one_key.py FARBRIX_BINARY [ROUNDS [DELAY]]"""

import os
import re
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import test_orca  # noqa: E402
from xgame import Session  # noqa: E402

binary, rounds = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 12
delay = float(sys.argv[3]) if len(sys.argv) > 3 else 0.2
session, doubled, unnamed = Session(), 0, 0
try:
    orca = test_orca.Orca(session)
    for n in range(rounds):
        key = ("Return", "space", "alt+s")[n % 3]
        session.start_game(binary, {})
        orca.hear(r"Start push button")
        pressed = orca.heard
        session.run("xdotool", "key", key, "sleep", delay, "key", "KP_Enter")
        orca.hear(r"Spiel beginnen push button|Reihe 1, Spalte 1")
        time.sleep(3)
        said = orca.said()[orca.heard - 40 :]
        orca.heard = len(orca.said())
        began = "Reihe 1" in said or "Nächster Versuch" in said
        doubled += began
        unnamed += bool(re.search(r"^\s*push button", orca.said()[pressed:], re.M))
        print(
            key,
            "and where-am-I:",
            "the game began as well" if began else "the board, nothing more",
            flush=True,
        )
finally:
    session.close()
print(
    "%d of %d presses of Start also began the game, %d read a control without its name; load average %s"
    % (doubled, rounds, unnamed, open("/proc/loadavg").read()[:14])
)
