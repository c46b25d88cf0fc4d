# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""Runs a command (the in-process accessibility test) in a private X server with an accessibility bus,
so that Qt's bridge is on and sends what a screen reader would get. What Orca makes of it is
test_orca.py's part."""
import importlib.util, os, re, shutil, subprocess, sys

if not all(map(shutil.which, ("Xvfb", "dbus-launch"))) or not importlib.util.find_spec("pyatspi"):
    print("skipped: needs Xvfb, dbus-launch and pyatspi")
    sys.exit(77)
read_fd, write_fd = os.pipe()
xvfb = subprocess.Popen(
    ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-noreset"], pass_fds=(write_fd,)
)
os.environ["DISPLAY"] = ":" + os.read(read_fd, 16).decode().strip()
os.environ.update(
    re.findall(r"(\w+)='?([^';]*)'?;", subprocess.check_output(["dbus-launch", "--sh-syntax"], text=True))
)
os.environ.update(
    QT_QPA_PLATFORM="xcb",
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",  # and for sanitized builds: libxkbcommon-x11
    ASAN_OPTIONS=os.environ.get("ASAN_OPTIONS", "").replace("strict_string_checks=1", ""),
)  # strndup()s X replies
import pyatspi  # noqa: E402 - only now is there a bus to reach

try:
    pyatspi.Registry.getDesktop(0)  # starts the accessibility bus
    sys.exit(subprocess.run(sys.argv[1:]).returncode)
finally:
    xvfb.terminate(), subprocess.run(["kill", os.environ["DBUS_SESSION_BUS_PID"]])
