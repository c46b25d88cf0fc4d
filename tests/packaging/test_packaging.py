# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""An installation into a scratch prefix (or the Debian package's tree with
`deb`): what it holds, and what its launcher does with the play folder, with
the game replaced by a stand-in that reports where it was started."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile

env = os.environ
PICTURES = sorted(
    os.path.basename(p) for p in glob.glob(os.path.join(env["FARBRIX_ARTWORK_DIR"], "*ring*.jpg"))
)
REQUIRED = {
    "bin/farbrix",
    "libexec/farbrix/farbrix",
    "share/applications/farbrix.desktop",
    "share/metainfo/org.example.kugelwerkstatt.farbrix.metainfo.xml",
    "share/man/man6/farbrix.6.gz",
    "share/man/de/man6/farbrix.6.gz",
    "share/icons/hicolor/scalable/apps/farbrix.svg",
    "share/icons/hicolor/48x48/apps/farbrix.png",
} | {"share/farbrix/" + p for p in PICTURES}


def files(root):
    return {os.path.relpath(os.path.join(d, n), root) for d, _, names in os.walk(root) for n in names}


def read(*parts):
    with open(os.path.join(*parts), "rb") as f:
        return f.read()


def launch(prefix, scratch, xdg=None):
    """Runs the launcher; returns its status, its stderr and the stand-in's report (None if not started)."""
    report = os.path.join(scratch, "report")
    r = subprocess.run(
        [os.path.join(prefix, "bin", "farbrix"), "--an-argument"],
        cwd="/",
        timeout=30,
        env={
            "PATH": "/usr/bin:/bin",
            "HOME": scratch,
            "REPORT": report,
            **({"XDG_DATA_HOME": xdg} if xdg else {}),
        },
        stdout=subprocess.DEVNULL,
        stderr=subprocess.PIPE,
    )
    started = os.path.exists(report) and read(report).decode().split("\n")[:2]
    if started:
        os.remove(report)
    return r.returncode, r.stderr.decode(), started


def check_launcher(prefix, scratch):
    program = os.path.join(prefix, "libexec", "farbrix", "farbrix")
    assert read(program)[:4] == b"\x7fELF", "the game is no program"
    with open(program, "w") as f:
        f.write('#!/bin/sh\n{ pwd; echo "$#"; } > "$REPORT"\n')
    xdg = os.path.join(scratch, "xdg")
    play = os.path.join(xdg, "farbrix")
    first = launch(prefix, scratch, xdg)
    assert first == (0, "", [play, "0"]), "first start: %s" % (first,)
    assert sorted(os.listdir(play)) == PICTURES
    assert all(read(play, p) == read(prefix, "share", "farbrix", p) for p in PICTURES)
    # A later start replaces nothing of the player's and adds what is missing.
    own, lost, linked = PICTURES[:3]
    for name, data in ((own, b"the player's own"), ("TESTFILE", b'"Anna","","","",""\r\n')):
        with open(os.path.join(play, name), "wb") as f:
            f.write(data)
    os.remove(os.path.join(play, lost))
    os.remove(os.path.join(play, linked))  # a dangling link is there too, and not to be written through
    os.symlink(os.path.join(scratch, "elsewhere"), os.path.join(play, linked))
    second = launch(prefix, scratch, xdg)
    assert second == (0, "", [play, "0"]), "second start: %s" % (second,)
    assert (read(play, own), read(play, "TESTFILE")) == (
        b"the player's own",
        b'"Anna","","","",""\r\n',
    ), "replaced"
    assert read(play, lost) == read(prefix, "share", "farbrix", lost)
    assert os.path.islink(os.path.join(play, linked)) and not os.path.exists(
        os.path.join(scratch, "elsewhere")
    )
    # Without XDG_DATA_HOME the play folder lies in the home folder.
    assert launch(prefix, scratch)[2] == [os.path.join(scratch, ".local", "share", "farbrix"), "0"]
    # A play folder that cannot be made is told in German and nothing starts.
    code, err, started = launch(prefix, scratch, os.path.join(play, "TESTFILE"))
    assert (code, started) == (1, False) and "kann nicht angelegt werden" in err, (code, err, started)


def main():
    scratch = tempfile.mkdtemp(prefix="farbrix-packaging-")
    try:
        prefix = os.path.join(scratch, "prefix")
        subprocess.run(
            [env["FARBRIX_CMAKE"], "--install", env["FARBRIX_BUILD_DIR"], "--prefix", prefix],
            check=True,
            stdout=subprocess.DEVNULL,
        )
        installed = files(prefix)
        assert REQUIRED <= installed, "missing: %s" % (REQUIRED - installed)
        if sys.argv[1:] == ["deb"]:
            (deb,) = glob.glob(os.path.join(env["FARBRIX_PACKAGE_DIR"], "farbrix_*.deb"))
            control = subprocess.run(
                ["dpkg-deb", "-f", deb, "Package", "Section", "Depends"], check=True, stdout=subprocess.PIPE
            ).stdout.decode()
            for wanted in (
                "Package: farbrix",
                "Section: games",
                "libqt6widgets6 (>= 6.",
                "fonts-dejavu-core",
            ):
                assert wanted in control, "%r not in\n%s" % (wanted, control)
            prefix = os.path.join(scratch, "deb")
            subprocess.run(["dpkg-deb", "-x", deb, prefix], check=True)
            prefix = os.path.join(prefix, "usr")
            assert files(prefix) == installed, "the package holds %s" % (files(prefix) ^ installed)
        else:  # validators that are not installed are passed over
            if shutil.which("desktop-file-validate"):  # which exits 0 after warnings
                said = subprocess.run(
                    ["desktop-file-validate", os.path.join(prefix, "share/applications/farbrix.desktop")],
                    stdout=subprocess.PIPE,
                    text=True,
                )
                assert (said.returncode, said.stdout) == (0, ""), said.stdout
            if shutil.which(
                "appstreamcli"
            ):  # the metainfo, the desktop entry and the icon it names fit together
                subprocess.run(
                    ["appstreamcli", "validate-tree", "--no-net", "--strict", "--pedantic", prefix],
                    check=True,
                )
        check_launcher(prefix, scratch)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
    print("passed")
