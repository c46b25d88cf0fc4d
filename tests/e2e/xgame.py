# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""A private X session (Xvfb, openbox) running the game in a scratch play folder, driven by xdotool,
read back pixel by pixel. Every process started here dies with this script."""

import collections
import ctypes
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

TOOLS = ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "setxkbmap", "import", "convert")
Window = collections.namedtuple("Window", "wid x y w h title")


def wait(observe, what, wanted=None, timeout=20.0):
    """Polls until observe() gives wanted (or anything true) and returns it; generous for two busy cores."""
    deadline = time.monotonic() + timeout
    while True:
        seen = observe()
        if (seen == wanted) if wanted is not None else seen:
            return seen
        if time.monotonic() > deadline:
            raise AssertionError(
                "%s: wanted %r, saw %r" % (what, "something" if wanted is None else wanted, seen)
            )
        time.sleep(0.05)


def output(args, env, **kw):  # what a command prints, its complaints dropped
    return subprocess.run(
        args, env=env, timeout=30, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, **kw
    ).stdout


class Shot:  # an RGB picture as ImageMagick reads it from a file or the screen
    def __init__(self, args, env=None):
        data = output(args + ["-depth", "8", "ppm:-"], env, check=True)
        m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        self.width, self.height, self.rgb = int(m[1]), int(m[2]), data[m.end() :]

    def px(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i : i + 3])

    def mean(self, x, y):  # of the 3 x 3 pixels around (x, y)
        points = [self.px(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)]
        return tuple(sum(p[c] for p in points) / 9 for c in range(3))

    def luma(self):  # rows of brightness values
        v, row = self.rgb, 3 * self.width
        return [
            [(299 * v[i] + 587 * v[i + 1] + 114 * v[i + 2]) / 1000 for i in range(y * row, (y + 1) * row, 3)]
            for y in range(self.height)
        ]


class Session:
    def __init__(self, size=(1600, 1600)):  # room for the board at twice its size
        self.scratch = tempfile.mkdtemp(prefix="farbrix-e2e-")
        self.procs, self.game = [], None
        read_end, write_end = os.pipe()
        xvfb = "Xvfb -displayfd %d -screen 0 %dx%dx24 -nolisten tcp -noreset" % (write_end, *size)
        self._spawn(xvfb.split(), os.environ, pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        display = os.fdopen(read_end).readline().strip()
        self.env = {
            k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "DBUS_", "WAYLAND"))
        }
        self.env.update(DISPLAY=":" + display, LC_ALL="C.UTF-8", NO_AT_BRIDGE="1")
        self.env.update(
            {"XDG_%s_HOME" % k: self.scratch for k in ("CONFIG", "DATA", "CACHE")},
            XDG_RUNTIME_DIR=self.scratch,
        )
        # A German layout has keys for ä, ö, ü and ß, so xdotool need not remap any while typing.
        self.run("setxkbmap", "-layout", "de")
        self._spawn(["openbox", "--sm-disable"], self.env, stderr=subprocess.DEVNULL)
        wait(lambda: "window id" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), "openbox")

    def _spawn(self, args, env, **kw):  # prctl(PR_SET_PDEATHSIG): killed with this script, even by SIGKILL
        dies_with_us = lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL)
        self.procs.append(
            subprocess.Popen(args, env=env, stdin=subprocess.DEVNULL, preexec_fn=dies_with_us, **kw)
        )
        return self.procs[-1]

    def run(self, *args):
        return output([str(a) for a in args], self.env).decode(errors="replace")

    def start_game(self, binary, files, scale=1, **env):
        """The game in a fresh play folder holding files (name: bytes), env added to the session's."""
        if self.game:
            self.game.kill()
            self.game.wait()
        self.play = tempfile.mkdtemp(prefix="play-", dir=self.scratch)
        for name, data in files.items():
            with open(os.path.join(self.play, name), "wb") as f:
                f.write(data)
        self.game = self._spawn(
            [binary], dict(self.env, QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=str(scale), **env), cwd=self.play
        )

    def close(self):
        for p in self.procs[::-1]:
            p.kill()
            p.wait()
        shutil.rmtree(self.scratch, ignore_errors=True)

    def shot(self, x=0, y=0, w=0, h=0):
        """The screen, or the part of it from (x, y) of size w x h."""
        part = ["-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage"] if w else []
        return Shot(["import", "-silent", "-window", "root"] + part, self.env)

    def windows(self, title=None, shown=True):
        """The game's windows (by exact title), open menus left out."""
        found = []
        for wid in self.run("xdotool", "search", *["--onlyvisible"] * shown, "--class", "farbrix").split():
            info = dict(re.findall(r"^\s*([\w -]+):\s*(\S+)", self.run("xwininfo", "-id", wid), re.M))
            name = self.run("xdotool", "getwindowname", wid)[:-1]
            viewable = info.get("Map State") == "IsViewable"
            if viewable >= shown and title in (None, name) and info.get("Override Redirect State") == "no":
                place = ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
                found.append(Window(int(wid), *(int(info[k]) for k in place), name))
        return found

    def window(self, title=None):
        """Waits for exactly one shown window of that title, which nobody may minimise or maximise."""
        w = wait(lambda: (lambda w: len(w) == 1 and w[0])(self.windows(title)), "one window %r" % title)
        can = self.run("xprop", "-id", w.wid, "_NET_WM_ALLOWED_ACTIONS")
        assert "_MOVE" in can and not re.search("MINIMIZE|MAXIMIZE", can), (w, can)
        return w

    def gone(self, window):
        wait(lambda: window.wid not in [w.wid for w in self.windows()], "%r to close" % (window,))

    def click(self, *points, count=1):
        """Clicks at each point (x, y) in turn."""
        self.run(
            "xdotool",
            *(a for x, y in points for a in ("mousemove", x, y, "click", "--repeat", count, "--delay", 80, 1))
        )

    def key(self, *keys, wid=None):
        """Keys to the active window, or to wid made active first. Keys
        pressed while a menu opens reach it, as Qt sends keys to the open menu."""
        self.run("xdotool", *(["windowactivate", "--sync", wid] if wid else []), "key", "--delay", 60, *keys)

    def answer(self, title="Farbrix"):
        box = self.window(title)
        self.key("Return", wid=box.wid)
        self.gone(box)
