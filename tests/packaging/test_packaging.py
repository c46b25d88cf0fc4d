# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""`package SOURCE OUT`: the Debian package, built as its maintainer would
from a copy of the tree, passes lintian and holds what it should.
`launcher CMAKE BUILD`: an installation's launcher prepares the play folder,
with the game replaced by a stand-in that reports where it was started."""

import glob
import os
import re
import resource
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path


def read(*parts):
    return Path(*parts).read_bytes()


def write(path, data):
    Path(path).write_bytes(data)


def run(*command, **kwargs):
    return subprocess.run(command, check=True, stdout=subprocess.PIPE, text=True, **kwargs).stdout


def package(source, out):
    shutil.rmtree(out, ignore_errors=True)
    tree = os.path.join(out, "farbrix-" + run("dpkg-parsechangelog", "-S", "Version", cwd=source).strip())
    # The tree as it is, a clone or an exported release, without what .gitignore names (the build folders).
    ignored = [p.strip("/") for p in read(source, ".gitignore").decode().splitlines() if p and p[0] != "#"]
    shutil.copytree(source, tree, symlinks=True, ignore=shutil.ignore_patterns(".git", *ignored))
    with open(os.path.join(out, "build.log"), "w") as f:
        built = subprocess.run(["dpkg-buildpackage", "-us", "-uc", "-jauto"], cwd=tree, stdout=f, stderr=f)
    log = read(out, "build.log").decode()
    # The rules, the windows (at one and two screens), the faults (at both densities) and the launcher.
    assert built.returncode == 0 and "tests passed, 0 tests failed out of 6" in log, log[-3000:]
    shutil.rmtree(tree)
    (changes,) = glob.glob(os.path.join(out, "*.changes"))
    # Every tag fails, infos too: one that is to stay needs an override with its reason.
    said = run("lintian", "--pedantic", "-E", "--display-info", changes, stderr=subprocess.DEVNULL)
    assert not said.strip(), said
    (deb,) = glob.glob(os.path.join(out, "farbrix_*_amd64.deb"))
    root = os.path.join(out, "contents")
    run("dpkg-deb", "-x", deb, root)
    usr = os.path.join(root, "usr")
    for wanted in ["games/farbrix", "lib/games/farbrix/farbrix", "share/man/de/man6/farbrix.6.gz"]:
        assert os.path.isfile(os.path.join(usr, wanted)), "%s is not in the package" % wanted
    # lintian checks neither file as closely; desktop-file-validate exits 0 after warnings: its output counts.
    assert run("desktop-file-validate", os.path.join(usr, "share/applications/farbrix.desktop")) == ""
    run("appstreamcli", "validate-tree", "--no-net", "--strict", "--pedantic", root)
    # Both say untranslated what the game is in one language, English, and German beside it.
    summary = re.search("<summary>(.+)</summary>", read(glob.glob(usr + "/share/metainfo/*")[0]).decode())[1]
    assert "\nComment=" + summary in read(usr, "share/applications/farbrix.desktop").decode(), summary
    # The autopkgtest (ring pictures included) on the package unpacked here: autopkgtest would install it.
    run(os.path.join(source, "debian/tests/starts"), env=dict(os.environ, FARBRIX=usr + "/games/farbrix"))


def launch(prefix, scratch, xdg=None, home=None, lang="C.UTF-8"):
    """Runs the launcher with at most 32 MiB of memory; returns its status, its stderr and the stand-in's
    report (None if not started)."""
    report = os.path.join(scratch, "report")
    limit = 32 << 20
    env = dict(PATH="/usr/bin:/bin", HOME=home or scratch, REPORT=report, LANG=lang, XDG_DATA_HOME=xdg)
    r = subprocess.run(
        [os.path.join(prefix, "games", "farbrix"), "--an-argument"],
        cwd="/",
        timeout=30,
        env={name: value for name, value in env.items() if value},  # XDG_DATA_HOME only if given
        stdout=subprocess.DEVNULL,
        stderr=subprocess.PIPE,
        preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_AS, (limit, limit)),
    )
    started = os.path.exists(report) and read(report).decode().split("\n")[:2]
    if started:
        os.remove(report)
    return r.returncode, r.stderr.decode(), started


def launcher(cmake, build):
    scratch = tempfile.mkdtemp(prefix="farbrix-launcher-")
    try:
        prefix = os.path.join(scratch, "prefix")
        run(cmake, "--install", build, "--prefix", prefix)
        installed = os.path.join(prefix, "share/games/farbrix")
        pictures = sorted(os.listdir(installed))
        program = os.path.join(prefix, "lib", "games", "farbrix", "farbrix")
        assert read(program)[:4] == b"\x7fELF", "the game is no program"
        write(program, b'#!/bin/sh\n{ pwd; echo "$#"; } > "$REPORT"\n')
        xdg = os.path.join(scratch, "xdg")
        play = os.path.join(xdg, "farbrix")
        first = launch(prefix, scratch, xdg)
        assert first == (0, "", [play, "0"]), "first start: %s" % (first,)
        assert sorted(p for p in os.listdir(play) if p[0] != ".") == pictures
        assert all(read(play, p) == read(installed, p) for p in pictures)
        # An upgrade changes pictures: the one the player kept is refreshed, the one they swapped for their
        # own is not, nor those they swapped for links. A picture lost is copied anew, and no link in the play
        # folder is written through.
        own, lost, linked, dangling, changed = pictures[:5]
        victim, nowhere = os.path.join(scratch, "victim"), os.path.join(scratch, "nowhere")
        table = b'"Anna","","","",""\r\n'
        write(os.path.join(play, own), b"own")
        write(os.path.join(play, "TESTFILE"), table)
        for name in (own, changed, linked, dangling):
            write(os.path.join(installed, name), b"new " + name.encode())
        os.remove(os.path.join(play, lost))
        os.replace(os.path.join(play, linked), victim)
        old = read(victim)
        os.symlink(victim, os.path.join(play, linked))
        os.remove(os.path.join(play, dangling))
        os.symlink(nowhere, os.path.join(play, dangling))
        second = launch(prefix, scratch, xdg)
        assert second == (0, "", [play, "0"]), "second start: %s" % (second,)
        links = [os.readlink(os.path.join(play, n)) for n in (linked, dangling)]
        kept = [read(play, own), read(play, "TESTFILE"), read(victim), os.path.lexists(nowhere)] + links
        assert kept == [b"own", table, old, False, victim, nowhere], "replaced: %.300s" % (kept,)
        assert (read(play, lost), read(play, changed)) == (read(installed, lost), read(installed, changed))
        # Without XDG_DATA_HOME the play folder lies in the home folder. A note of 48 MiB is read only as far
        # as a note can reach (within 32 MiB of memory) and written anew.
        write(os.path.join(play, ".bilder.sha256"), b"x" * (48 << 20))
        assert launch(prefix, scratch, xdg)[2] == [play, "0"], "the note was read whole"
        assert os.path.getsize(os.path.join(play, ".bilder.sha256")) < 4096, "the note was not written anew"
        assert launch(prefix, scratch)[2] == [os.path.join(scratch, ".local", "share", "farbrix"), "0"]
        # A play folder that cannot be made, that others may write into, or that belongs to another user, or
        # one that would be made in another user's home: told in the game's language, and nothing is made or
        # started.
        os.mkdir(home := os.path.join(scratch, "home"))
        cases = [(os.path.join(play, "TESTFILE"), None, "kann nicht angelegt werden", lambda: 0)]
        cases += [(xdg, None, "chmod go-w", lambda: os.chmod(play, 0o777))]
        code, err, started = launch(prefix, scratch, os.path.join(play, "TESTFILE"), lang="en_GB.UTF-8")
        assert (code, started) == (1, False) and "cannot be made" in err, (code, err, started)
        if os.getuid() == 0:
            cases += [(None, home, "sudo -E", lambda: os.chown(home, 65534, 65534))]
            cases += [(xdg, None, "gehört einem anderen Benutzer", lambda: os.chown(play, 65534, 65534))]
        else:
            print("a home or play folder of another user is not tried: chown needs root")
        for data, home_of, said, prepare in cases:
            code, err, started = prepare() or launch(prefix, scratch, data, home_of)
            assert (code, started) == (1, False) and said in err, (said, code, err, started)
        assert os.listdir(home) == []
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    {"package": package, "launcher": launcher}[sys.argv[1]](*sys.argv[2:])
    print("passed")
