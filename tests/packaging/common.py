"""What the packaging tests share: the files an installation must hold, an
installation into a scratch prefix, and a stand-in for the game that tells
in which folder, with which arguments and as which process the launcher
started it.
"""

import os
import shutil
import subprocess
import sys
import unittest

SKIP_EXIT_CODE = 77

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
APP_ID = "org.example.kugelwerkstatt.farbrix"


def ring_pictures():
    """The names of the pictures the game loads from files, as the build lists them."""
    with open(os.environ["FARBRIX_RING_PICTURE_LIST"], encoding="utf-8") as f:
        return [line for line in f.read().split("\n") if line]


def expected_files():
    """Every file an installation holds, relative to its prefix."""
    files = {
        "bin/farbrix",
        "libexec/farbrix/farbrix",
        "share/applications/farbrix.desktop",
        "share/metainfo/%s.metainfo.xml" % APP_ID,
        "share/man/man6/farbrix.6.gz",
        "share/man/de/man6/farbrix.6.gz",
        "share/icons/hicolor/scalable/apps/farbrix.svg",
    }
    files |= {"share/icons/hicolor/%dx%d/apps/farbrix.png" % (s, s) for s in ICON_SIZES}
    files |= {"share/farbrix/" + name for name in ring_pictures()}
    return files


def files_under(root):
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def install(prefix):
    """cmake --install of the build into prefix."""
    result = subprocess.run([os.environ["FARBRIX_CMAKE"], "--install", os.environ["FARBRIX_BUILD_DIR"],
                             "--prefix", prefix], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    if result.returncode != 0:
        raise AssertionError("cmake --install failed:\n" + result.stdout.decode(errors="replace"))


STAND_IN = """#!/bin/sh
# Stands in for the game: tells where it was started and stops.
{ pwd; echo "$$"; echo "$#"; } > "$FARBRIX_STAND_IN_REPORT"
"""


def replace_program(prefix):
    """Puts the stand-in where the launcher looks for the game."""
    program = os.path.join(prefix, "libexec", "farbrix", "farbrix")
    os.remove(program)
    with open(program, "w") as f:
        f.write(STAND_IN)
    os.chmod(program, 0o755)


class Run:
    """One run of the launcher: its exit status and stderr, and if the
    stand-in was started, its working directory, process id and number of
    arguments."""

    def __init__(self, returncode, stderr, report_path, pid):
        self.returncode = returncode
        self.stderr = stderr.decode(errors="replace")
        self.pid = pid
        self.started = os.path.exists(report_path)
        if self.started:
            with open(report_path) as f:
                cwd, game_pid, argc = f.read().split("\n")[:3]
            os.remove(report_path)
            self.cwd, self.game_pid, self.argc = cwd, int(game_pid), int(argc)


def run_launcher(launcher, scratch, env_changes, args=()):
    """Runs the launcher without a display, with a minimal environment plus
    env_changes (a value None removes the variable)."""
    report = os.path.join(scratch, "stand-in-report")
    env = {"PATH": "/usr/bin:/bin", "HOME": os.path.join(scratch, "home"),
           "FARBRIX_STAND_IN_REPORT": report, "LC_ALL": "C.UTF-8"}
    for key, value in env_changes.items():
        if value is None:
            env.pop(key, None)
        else:
            env[key] = value
    process = subprocess.Popen([launcher] + list(args), env=env, cwd="/", stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, err = process.communicate(timeout=30)
    return Run(process.returncode, err, report, process.pid)


def require_tools(*tools):
    missing = [t for t in tools if shutil.which(t) is None]
    if missing:
        print("skipped: missing " + ", ".join(missing))
        sys.exit(SKIP_EXIT_CODE)


def main(*tools):
    require_tools(*tools)
    unittest.main(verbosity=2)
