"""A private X session for driving the real game: Xvfb, openbox, the game in
a scratch play directory, input through xdotool and screenshots read pixel by
pixel. Every process started here is ended with the session, and also when
this script is killed outright (the children die with their parent).
"""

import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP_EXIT_CODE = 77
REQUIRED_TOOLS = ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "setxkbmap", "import", "convert")

# Generous, because CI machines with two cores run several tests at once;
# every wait polls, so a fast machine does not pay for it.
DEFAULT_TIMEOUT = 20.0


def missing_tools():
    return [tool for tool in REQUIRED_TOOLS if shutil.which(tool) is None]


_PR_SET_PDEATHSIG = 1


def _die_with_parent():
    # Runs in the child between fork and exec. If ctest kills the test script
    # with SIGKILL on a timeout, the kernel then ends Xvfb, openbox and the
    # game as well.
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL, 0, 0, 0)
    except (OSError, AttributeError):
        pass


def wait_for(predicate, what, timeout=DEFAULT_TIMEOUT, interval=0.05):
    """Polls until predicate() returns something true and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


class Rect:
    def __init__(self, x, y, width, height):
        self.x, self.y, self.width, self.height = x, y, width, height

    def centre(self):
        return (self.x + self.width // 2, self.y + self.height // 2)

    def contains(self, x, y):
        return self.x <= x < self.x + self.width and self.y <= y < self.y + self.height

    def __repr__(self):
        return "Rect(%d, %d, %d x %d)" % (self.x, self.y, self.width, self.height)


class Image:
    """An RGB picture, 8 bits per channel, rows top to bottom."""

    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise ValueError("pixel data does not match %d x %d" % (width, height))
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError("pixel (%d, %d) outside %d x %d" % (x, y, self.width, self.height))
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def mean(self, x, y, radius=1):
        """Mean colour of the square of side 2 * radius + 1 around (x, y)."""
        sums = [0, 0, 0]
        count = 0
        for yy in range(y - radius, y + radius + 1):
            for xx in range(x - radius, x + radius + 1):
                p = self.pixel(xx, yy)
                for c in range(3):
                    sums[c] += p[c]
                count += 1
        return tuple(s / count for s in sums)

    def crop(self, rect):
        rows = []
        for y in range(rect.y, rect.y + rect.height):
            start = (y * self.width + rect.x) * 3
            rows.append(self.rgb[start:start + rect.width * 3])
        return Image(rect.width, rect.height, b"".join(rows))

    def differing_pixels(self, other):
        """Coordinates of the pixels that differ from another image of the same size."""
        if (self.width, self.height) != (other.width, other.height):
            raise ValueError("images differ in size")
        points = []
        row_bytes = self.width * 3
        for y in range(self.height):
            a = self.rgb[y * row_bytes:(y + 1) * row_bytes]
            b = other.rgb[y * row_bytes:(y + 1) * row_bytes]
            if a == b:
                continue
            for x in range(self.width):
                if a[3 * x:3 * x + 3] != b[3 * x:3 * x + 3]:
                    points.append((x, y))
        return points

    def save_png(self, path):
        ppm = b"P6 %d %d 255\n" % (self.width, self.height) + self.rgb
        subprocess.run(["convert", "ppm:-", path], input=ppm, check=True, timeout=30)


def parse_ppm(data):
    """Reads a binary PPM (P6) of 8 bits per sample, as ImageMagick writes it."""
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    if not match:
        raise ValueError("not an 8-bit binary PPM: %r" % data[:20])
    width, height = int(match.group(1)), int(match.group(2))
    return Image(width, height, data[match.end():match.end() + width * height * 3])


def load_picture(path):
    """Decodes any picture file ImageMagick reads."""
    out = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                         stdout=subprocess.PIPE, timeout=30).stdout
    return parse_ppm(out)


class WindowInfo:
    def __init__(self, wid, rect, viewable, override_redirect):
        self.wid, self.rect = wid, rect
        self.viewable, self.override_redirect = viewable, override_redirect


class XSession:
    """Xvfb on a free display with openbox as window manager."""

    def __init__(self, artifacts_dir, width=1280, height=1024):
        self.artifacts_dir = artifacts_dir
        self.size = (width, height)
        self.display = None
        self.env = None
        self._processes = []  # (name, Popen), started in this order
        self._logs = []
        self._scratch = None
        self._game = None

    # -- life cycle ------------------------------------------------------

    def start(self):
        os.makedirs(self.artifacts_dir, exist_ok=True)
        self._scratch = tempfile.mkdtemp(prefix="farbrix-x-")
        runtime = os.path.join(self._scratch, "runtime")
        os.mkdir(runtime, 0o700)

        read_end, write_end = os.pipe()
        try:
            xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                 "%dx%dx24" % self.size, "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                stderr=self._log_file("xvfb.log"),
                preexec_fn=_die_with_parent)
            self._processes.append(("Xvfb", xvfb))
            os.close(write_end)
            write_end = None
            number = b""
            deadline = time.monotonic() + DEFAULT_TIMEOUT
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([read_end], [], [], left)[0]:
                    raise RuntimeError("Xvfb did not report its display: " + self._log("xvfb.log"))
                piece = os.read(read_end, 16)
                if not piece:
                    raise RuntimeError("Xvfb ended at start: " + self._log("xvfb.log"))
                number += piece
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.display = ":" + number.decode().strip()

        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "XDG_", "WAYLAND_", "DBUS_"))
               and k not in ("DISPLAY", "XAUTHORITY", "SESSION_MANAGER")}
        env.update({
            "DISPLAY": self.display,
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self._scratch, "config"),
            "XDG_CACHE_HOME": os.path.join(self._scratch, "cache"),
            "XDG_DATA_HOME": os.path.join(self._scratch, "data"),
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "NO_AT_BRIDGE": "1",
        })
        self.env = env

        # A German keyboard has keys for the umlauts and ß. Without them
        # xdotool would remap a spare key code for each one while typing,
        # and a client still holding the old key map reads nothing there.
        self._run(["setxkbmap", "-layout", "de"])

        openbox = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                   stdout=subprocess.DEVNULL,
                                   stderr=self._log_file("openbox.log"),
                                   preexec_fn=_die_with_parent)
        self._processes.append(("openbox", openbox))
        wait_for(self._window_manager_ready, "openbox to manage the screen")

    def _window_manager_ready(self):
        out = self._run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
        return "window id" in out

    def scratch_dir(self):
        return self._scratch

    def _log_file(self, name):
        f = open(os.path.join(self._scratch, name), "wb")
        self._logs.append(f)
        return f

    def _log(self, name):
        try:
            with open(os.path.join(self._scratch, name), "rb") as f:
                return f.read().decode(errors="replace")[-2000:]
        except OSError:
            return ""

    def close(self):
        if self._game is not None:
            self._game.close()
        for name, process in reversed(self._processes):
            _end(process)
        self._processes = []
        for f in self._logs:
            f.close()
        self._logs = []
        if self._scratch:
            shutil.rmtree(self._scratch, ignore_errors=True)
            self._scratch = None

    # -- tools -----------------------------------------------------------

    def _run(self, args, check=True, timeout=DEFAULT_TIMEOUT, input=None):
        result = subprocess.run(args, env=self.env, input=input, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, timeout=timeout)
        if check and result.returncode != 0:
            raise RuntimeError("%s failed (%d): %s" % (" ".join(args), result.returncode,
                                                       result.stderr.decode(errors="replace")))
        return result.stdout.decode(errors="replace")

    def xdotool(self, *args):
        return self._run(["xdotool"] + [str(a) for a in args])

    # -- screen ----------------------------------------------------------

    def screenshot(self):
        data = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"],
                              env=self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              check=True, timeout=DEFAULT_TIMEOUT).stdout
        return parse_ppm(data)

    def save_screenshot(self, name, image=None):
        """Saves the screen (or a given shot) into the artifacts folder; returns the path."""
        image = image or self.screenshot()
        path = os.path.join(self.artifacts_dir, re.sub(r"[^A-Za-z0-9_.-]", "_", name) + ".png")
        image.save_png(path)
        return path

    def wait_for_screen(self, predicate, what, timeout=DEFAULT_TIMEOUT):
        """Takes screenshots until predicate(shot) is true; returns that shot.

        On a timeout the last shot is saved, so the failure can be looked at."""
        last = [None]

        def check():
            last[0] = self.screenshot()
            return predicate(last[0])

        try:
            wait_for(check, what, timeout, interval=0.02)
        except AssertionError as error:
            if last[0] is not None:
                path = self.save_screenshot("timeout-" + what[:60], last[0])
                raise AssertionError("%s (last screenshot: %s)" % (error, path)) from None
            raise
        return last[0]

    def wait_for_steady(self, observe, what, timeout=DEFAULT_TIMEOUT):
        """Takes screenshots until observe(shot) gives the same true value
        for two shots in a row, so a half-finished repaint is not taken for
        the result; returns that value."""
        previous = [None]

        def steady(shot):
            value = observe(shot)
            done = bool(value) and value == previous[0]
            previous[0] = value
            return done
        self.wait_for_screen(steady, what, timeout)
        return previous[0]

    # -- windows ---------------------------------------------------------

    def window_info(self, wid):
        """Geometry of the window's own area in root coordinates; None if it is gone."""
        result = subprocess.run(["xwininfo", "-id", str(wid)], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                timeout=DEFAULT_TIMEOUT)
        if result.returncode != 0:
            return None
        text = result.stdout.decode(errors="replace")

        def field(label):
            match = re.search(r"^\s*%s:\s*(\S+)" % re.escape(label), text, re.M)
            if not match:
                raise RuntimeError("xwininfo gave no %s for %s" % (label, wid))
            return match.group(1)

        rect = Rect(int(field("Absolute upper-left X")), int(field("Absolute upper-left Y")),
                    int(field("Width")), int(field("Height")))
        return WindowInfo(wid, rect, field("Map State") == "IsViewable",
                          field("Override Redirect State") == "yes")

    def windows(self, title_regex):
        """Shown, window-manager-managed windows whose title (WM_NAME)
        matches; override-redirect popups such as menus are left out."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title_regex],
                                env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                timeout=DEFAULT_TIMEOUT)
        found = []
        for line in result.stdout.decode().split():
            info = self.window_info(int(line))
            if info and info.viewable and not info.override_redirect:
                found.append(info)
        return found

    def wait_window(self, title_regex, timeout=DEFAULT_TIMEOUT):
        """Waits until exactly one shown window has a matching title."""
        seen = [0]

        def one():
            found = self.windows(title_regex)
            seen[0] = len(found)
            return found[0] if len(found) == 1 else None
        try:
            return wait_for(one, "a window titled %r" % title_regex, timeout, interval=0.1)
        except AssertionError as error:
            raise AssertionError("%s (%d shown at the end)" % (error, seen[0])) from None

    def dialog_created(self, title_regex):
        """True once a dialog window with a matching title exists, shown or
        not yet: the window and its type are set up before it is mapped."""
        result = subprocess.run(["xdotool", "search", "--name", title_regex], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                timeout=DEFAULT_TIMEOUT)
        for line in result.stdout.decode().split():
            out = self._run(["xprop", "-id", line, "_NET_WM_WINDOW_TYPE"], check=False)
            if "_NET_WM_WINDOW_TYPE_DIALOG" in out:
                return True
        return False

    def managed_windows(self):
        """Shown windows of the game that the window manager manages."""
        return [info for info in self._game_windows() if not info.override_redirect]

    def wait_window_gone(self, wid, timeout=DEFAULT_TIMEOUT):
        def gone():
            info = self.window_info(wid)
            return info is None or not info.viewable
        wait_for(gone, "window %s to close" % wid, timeout)

    def untitled_windows(self):
        """Shown, managed windows of the game without a title of their own.

        (Qt gives such windows the application's name as _NET_WM_NAME for
        the window manager to show; WM_NAME stays empty.)"""
        found = []
        for info in self._game_windows():
            if info.override_redirect:
                continue
            out = self._run(["xprop", "-id", str(info.wid), "WM_NAME"], check=False)
            if not re.search(r'=\s*"[^"]', out):
                found.append(info)
        return found

    def wait_untitled_window(self, timeout=DEFAULT_TIMEOUT):
        def one():
            found = self.untitled_windows()
            if len(found) > 1:
                raise AssertionError("%d untitled windows" % len(found))
            return found[0] if found else None
        return wait_for(one, "an untitled window", timeout, interval=0.1)

    def _game_windows(self):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "farbrix"],
                                env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                timeout=DEFAULT_TIMEOUT)
        found = []
        for line in result.stdout.decode().split():
            info = self.window_info(int(line))
            if info and info.viewable:
                found.append(info)
        return found

    def popups(self):
        """Shown override-redirect windows of the game, such as open menus."""
        return [info for info in self._game_windows() if info.override_redirect]

    def active_window(self):
        out = self._run(["xdotool", "getactivewindow"], check=False).strip()
        return int(out) if out.isdigit() else None

    def activate(self, wid):
        """Makes the window the active one (key presses go there)."""
        if self.active_window() == wid:
            return
        self._run(["xdotool", "windowactivate", str(wid)], check=False)
        wait_for(lambda: self.active_window() == wid, "window %s to become active" % wid)

    # -- input -----------------------------------------------------------

    def click(self, x, y, button=1, count=1):
        # No --sync: it never returns when the pointer already is there. The
        # server keeps XTEST motion and button events in order anyway.
        self.xdotool("mousemove", x, y, "click", "--repeat", count, "--delay", 60, button)

    def click_in(self, window, x, y, count=1):
        """Clicks at a position relative to a window's own area."""
        self.click(window.rect.x + x, window.rect.y + y, count=count)

    def key(self, *keys):
        self.xdotool("key", "--delay", 60, *keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", 60, "--", text)


def _end(process, grace=5.0):
    if process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class Game:
    """The game running in its own play directory inside a session."""

    RING_PICTURES = ("rot2ring.jpg", "grünring.jpg", "ora2ring.jpg",
                     "gelbring.jpg", "blauring.jpg", "weißring.jpg")

    @classmethod
    def picture_files(cls):
        """The ring pictures with their high-DPI copies: what a play folder holds."""
        doubled = ["%s@2x%s" % os.path.splitext(name) for name in cls.RING_PICTURES]
        return set(cls.RING_PICTURES) | set(doubled)

    def __init__(self, session, binary, artwork_dir, test_name="e2e", extra_env=None):
        self.session = session
        self.test_name = test_name
        self.extra_env = extra_env or {}
        self.binary = binary
        self.artwork_dir = artwork_dir
        self.play_dir = None
        self.process = None

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, kind, value, tb):
        if kind is not None:
            try:
                path = self.session.save_screenshot("failure-" + self.test_name)
                sys.stderr.write("screenshot at failure: %s\n" % path)
            except Exception as error:  # the failure itself matters more
                sys.stderr.write("no screenshot at failure: %s\n" % error)
            sys.stderr.write("game output:\n%s\n" % self.output())
        self.close()
        return False

    def start(self):
        self.play_dir = tempfile.mkdtemp(prefix="farbrix-play-")
        for name in self.picture_files():
            shutil.copyfile(os.path.join(self.artwork_dir, name), os.path.join(self.play_dir, name))
        env = dict(self.session.env, QT_QPA_PLATFORM="xcb", **self.extra_env)
        # The log stays out of the play directory, which holds only what the
        # game itself reads and writes.
        self._log_path = os.path.join(self.session.scratch_dir(), "game-%d.log" % id(self))
        self._log = open(self._log_path, "wb")
        self.process = subprocess.Popen([self.binary], cwd=self.play_dir, env=env,
                                        stdin=subprocess.DEVNULL, stdout=self._log,
                                        stderr=subprocess.STDOUT, preexec_fn=_die_with_parent)
        self.session._game = self

    def output(self):
        try:
            with open(self._log_path, "rb") as f:
                return f.read().decode(errors="replace")[-4000:]
        except (OSError, AttributeError):
            return ""

    def wait_exit(self, timeout):
        """The exit status, or an AssertionError if the game is still running."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the game still runs %.1f s later" % timeout) from None

    def read_file(self, name):
        with open(os.path.join(self.play_dir, name), "rb") as f:
            return f.read()

    def close(self):
        if self.process is not None:
            _end(self.process)
            self.process = None
            self._log.close()
        if self.play_dir:
            shutil.rmtree(self.play_dir, ignore_errors=True)
            self.play_dir = None
        if self.session._game is self:
            self.session._game = None

