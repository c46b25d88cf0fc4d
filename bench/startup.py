#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""Start-up figures of real programs on a private Xvfb, side by side.

Each program is started N times, interleaved (A B C A B C ...) so that a
machine that slows down for a while slows all of them alike, after one
discarded warm-up run each. One run is one farbrix-probe (see probe.c):
exec -> first window mapped and painted, resident memory 1 s later, and
wake-ups and CPU over the next 5 s of idling. For Farbrix the probe then
clicks "&Start" and measures the board window the same way.

  startup.py --probe PROBE [-n RUNS] [--play DIR] [--json FILE]
             -p LABEL 'COMMAND [ARG...]' [-p ...] [--click LABEL X,Y]
"""
import argparse
import json
import os
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def start_xvfb(screen):
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen, "-br", "-noreset", "-nolisten", "tcp"],
        pass_fds=[write_fd],
        stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL,
    )
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        display = f.readline().strip()
    if not display:
        sys.exit("startup.py: Xvfb did not start")
    return xvfb, ":" + display


def environment(display, home):
    env = dict(os.environ)
    # No session bus, no Wayland, no forced platform: every program finds
    # the same bare X display.
    for key in (
        "WAYLAND_DISPLAY",
        "QT_QPA_PLATFORM",
        "GDK_BACKEND",
        "DBUS_SESSION_BUS_ADDRESS",
        "XAUTHORITY",
        "XDG_CONFIG_HOME",
        "XDG_DATA_HOME",
        "XDG_CACHE_HOME",
        "XDG_STATE_HOME",
        "SESSION_MANAGER",
    ):
        env.pop(key, None)
    runtime = os.path.join(home, "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env.update(DISPLAY=display, HOME=home, XDG_RUNTIME_DIR=runtime)
    return env


def run_once(probe, command, click, cwd, env):
    args = [probe]
    if click:
        args += ["--click", click]
    args += ["--"] + shlex.split(command)
    try:
        out = subprocess.run(args, cwd=cwd, env=env, capture_output=True, text=True, timeout=180)
    except subprocess.TimeoutExpired:
        return {"error": "probe did not return"}
    for line in out.stdout.splitlines():
        if line.startswith("{"):
            return json.loads(line)
    return {"error": (out.stderr or "no output").strip()[-200:]}


FIGURES = [
    ("paint_ms", "exec -> first paint (ms)", 1.0),
    ("map_ms", "exec -> window mapped (ms)", 1.0),
    ("rss_kib", "resident, start window (MiB)", 1 / 1024),
    ("idle_wakeups", "idle wake-ups, 5 s", 1.0),
    ("idle_cpu_ms", "idle CPU, 5 s (ms)", 1.0),
    ("paint_ratio_bare", "first paint / bare Qt, same round", 1.0),
    ("paint_ratio_sgt", "first paint / sgt-guess, same round", 1.0),
    ("click_paint_ms", "click Start -> board painted (ms)", 1.0),
    ("click_rss_kib", "resident, board open (MiB)", 1 / 1024),
    ("click_idle_wakeups", "idle wake-ups, board open, 5 s", 1.0),
    ("click_idle_cpu_ms", "idle CPU, board open, 5 s (ms)", 1.0),
]


def cell(values, scale):
    if not values:
        return "–"
    v = sorted(x * scale for x in values)
    fmt = (lambda x: f"{x:.2f}") if scale != 1.0 or any(x != int(x) for x in v) else (lambda x: f"{x:.0f}")
    return f"{fmt(statistics.median(v))} ({fmt(v[0])}–{fmt(v[-1])})"


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--probe", required=True)
    ap.add_argument("-n", "--runs", type=int, default=7)
    ap.add_argument("--warmup", type=int, default=1)
    ap.add_argument("-p", "--program", nargs=2, action="append", metavar=("LABEL", "COMMAND"), required=True)
    ap.add_argument("--click", nargs=2, action="append", metavar=("LABEL", "X,Y"), default=[])
    ap.add_argument("--play", default=".", help="working directory of every program")
    ap.add_argument("--screen", default="1280x1024x24")
    ap.add_argument("--gap", type=float, default=0.5)
    ap.add_argument("--json")
    opts = ap.parse_args()

    clicks = dict(opts.click)
    labels = [label for label, _ in opts.program]
    home = tempfile.mkdtemp(prefix="farbrix-startup-")
    xvfb, display = start_xvfb(opts.screen)
    env = environment(display, home)
    results = {label: [] for label in labels}
    load_before = os.getloadavg()
    try:
        for round_no in range(-opts.warmup, opts.runs):
            this_round = {}
            for label, command in opts.program:
                r = run_once(opts.probe, command, clicks.get(label), opts.play, env)
                tag = "warm-up" if round_no < 0 else f"{round_no + 1}/{opts.runs}"
                print(
                    f"[{tag}] {label:<18} " + ", ".join(f"{k} {v}" for k, v in r.items() if k != "program"),
                    file=sys.stderr,
                    flush=True,
                )
                this_round[label] = r
                time.sleep(opts.gap)
            if round_no < 0:
                continue
            for label in labels:
                r = this_round[label]
                for ref_key, ref_label in (("paint_ratio_bare", "bare-qt"), ("paint_ratio_sgt", "sgt-guess")):
                    ref = this_round.get(ref_label, {})
                    if "paint_ms" in r and "paint_ms" in ref:
                        r[ref_key] = r["paint_ms"] / ref["paint_ms"]
                results[label].append(r)
    finally:
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(home, ignore_errors=True)
    load_after = os.getloadavg()

    print(
        f"# {opts.runs} runs each (+{opts.warmup} warm-up), interleaved; Xvfb {opts.screen}, no window manager;"
        f" cells: median (min–max)"
    )
    print(
        f"# {time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}, {os.uname().nodename}, {os.cpu_count()} CPUs,"
        f" load {load_before[0]:.2f} -> {load_after[0]:.2f}"
    )
    print("| figure | " + " | ".join(labels) + " |")
    print("|---|" + "---|" * len(labels))
    for key, name, scale in FIGURES:
        cells = [cell([r[key] for r in results[l] if key in r], scale) for l in labels]
        if all(c == "–" for c in cells):
            continue
        print(f"| {name} | " + " | ".join(cells) + " |")
    failed = {l: sum(1 for r in results[l] if "error" in r) for l in labels}
    print("| runs failed | " + " | ".join(str(failed[l]) for l in labels) + " |")
    if opts.json:
        with open(opts.json, "w") as f:
            json.dump(results, f, indent=1)


if __name__ == "__main__":
    main()
