"""cmake --install into a scratch prefix: what lands where, whether the
desktop entry, the AppStream data, the icon and the manual page fit together,
and what the launcher does with the play folder."""

import configparser
import gzip
import os
import re
import shutil
import struct
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ET

import common
from common import APP_ID, ICON_SIZES


def png_size_and_type(path):
    with open(path, "rb") as f:
        head = f.read(26)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise AssertionError("%s is no PNG" % path)
    width, height, _, colour_type = struct.unpack(">IIBB", head[16:26])
    return width, height, colour_type


def rgba_pixels(path, size):
    """The picture as size x size RGBA tuples. An SVG is drawn by librsvg,
    which the desktops use for icons; ImageMagick reads the result."""
    if path.endswith(".svg"):
        data = subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), path], check=True,
                              stdout=subprocess.PIPE, timeout=60).stdout
        path = "png:-"
    else:
        data = None
    raw = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], input=data, check=True,
                         stdout=subprocess.PIPE, timeout=60).stdout
    if len(raw) != size * size * 4:
        raise AssertionError("%s is not %d x %d" % (path, size, size))
    return [[tuple(raw[4 * (y * size + x):4 * (y * size + x) + 4]) for x in range(size)] for y in range(size)]


class InstalledTree(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="farbrix-prefix-")
        common.install(cls.prefix)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.prefix, ignore_errors=True)

    def path(self, relative):
        return os.path.join(self.prefix, relative)

    def test_every_file_lands_in_its_folder_and_nothing_else_is_installed(self):
        self.assertEqual(common.files_under(self.prefix), common.expected_files())
        for program in ("bin/farbrix", "libexec/farbrix/farbrix"):
            self.assertTrue(os.access(self.path(program), os.X_OK), program + " is not executable")
        with open(self.path("bin/farbrix"), "rb") as f:
            self.assertEqual(f.readline(), b"#!/bin/sh\n")
        with open(self.path("libexec/farbrix/farbrix"), "rb") as f:
            self.assertEqual(f.read(4), b"\x7fELF")
        subprocess.run(["sh", "-n", self.path("bin/farbrix")], check=True)

    def test_desktop_entry_and_appstream_data_name_the_installed_files(self):
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.path("share/applications/farbrix.desktop"), encoding="utf-8")
        desktop = entry["Desktop Entry"]
        self.assertEqual(desktop["Exec"], "farbrix", "the menu starts the launcher, without arguments")
        self.assertEqual(desktop["TryExec"], "farbrix")
        self.assertIn("Game", desktop["Categories"].split(";"))
        self.assertIn("BoardGame", desktop["Categories"].split(";"))
        self.assertTrue(os.path.exists(self.path("share/icons/hicolor/scalable/apps/%s.svg" % desktop["Icon"])))

        meta = ET.parse(self.path("share/metainfo/%s.metainfo.xml" % APP_ID)).getroot()
        self.assertEqual(meta.findtext("id"), APP_ID, "the metainfo file is named after its component")
        self.assertEqual(meta.findtext("launchable[@type='desktop-id']"), "farbrix.desktop")
        self.assertEqual(meta.findtext("provides/binary"), desktop["Exec"])
        lang = "{http://www.w3.org/XML/1998/namespace}lang"
        german = [s.text for s in meta.findall("summary") if s.get(lang) == "de"]
        self.assertEqual(len(german), 1, "one German summary")
        image = meta.findtext("screenshots/screenshot/image")
        self.assertTrue(image.startswith("https://"), image)

    def test_appstream_finds_the_desktop_entry_and_icon_the_metainfo_names(self):
        if shutil.which("appstreamcli") is None:
            self.skipTest("no appstreamcli")
        result = subprocess.run(["appstreamcli", "validate-tree", "--no-net", "--pedantic", self.prefix],
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
        self.assertEqual(result.returncode, 0, result.stdout.decode(errors="replace"))

    def test_icons_have_their_folders_size_and_show_four_balls_on_a_transparent_ground(self):
        for size in ICON_SIZES:
            path = self.path("share/icons/hicolor/%dx%d/apps/farbrix.png" % (size, size))
            self.assertEqual(png_size_and_type(path), (size, size, 6), path + ": size, RGBA")

        svg = ET.parse(self.path("share/icons/hicolor/scalable/apps/farbrix.svg")).getroot()
        ns = "{http://www.w3.org/2000/svg}"
        self.assertEqual(svg.tag, ns + "svg")
        self.assertEqual(svg.get("viewBox"), "0 0 64 64")
        gradients = {g.get("id") for g in svg.iter(ns + "radialGradient")}
        fills = [e.get("fill") for e in svg if e.tag in (ns + "circle", ns + "rect")]
        self.assertGreater(len(fills), 4)
        self.assertEqual([f for f in fills if f[5:-1] not in gradients], [], "fills without a gradient")

        if shutil.which("convert") is None or shutil.which("rsvg-convert") is None:
            self.skipTest("no convert or rsvg-convert to read the icons back")
        png = rgba_pixels(self.path("share/icons/hicolor/64x64/apps/farbrix.png"), 64)
        scalable = rgba_pixels(self.path("share/icons/hicolor/scalable/apps/farbrix.svg"), 64)
        for name, picture in (("png", png), ("svg", scalable)):
            self.assertEqual(picture[0][0][3], 0, name + ": the corner is not transparent")
            self.assertEqual(picture[32][32][3], 255, name + ": the middle is not opaque")
            # Red, green, yellow, blue, on the side of each ball away from its glint.
            red, green, yellow, blue = [picture[y][x][:3] for x, y in ((23, 23), (45, 23), (23, 45), (45, 45))]
            self.assertTrue(red[0] > 2 * max(red[1], red[2]), "%s: red ball %s" % (name, red))
            self.assertTrue(green[1] > 2 * max(green[0], green[2]), "%s: green ball %s" % (name, green))
            self.assertTrue(min(yellow[:2]) > 2 * yellow[2], "%s: yellow ball %s" % (name, yellow))
            self.assertTrue(blue[2] > 2 * max(blue[:2]), "%s: blue ball %s" % (name, blue))
        # Both are drawn from one description, so they may differ only by
        # the two renderers' antialiasing.
        squares = [(a - b) ** 2 for row_a, row_b in zip(png, scalable)
                   for pa, pb in zip(row_a, row_b) for a, b in zip(pa, pb)]
        rms = (sum(squares) / len(squares)) ** 0.5
        self.assertLess(rms, 6.0, "the scalable icon and the 64 px one differ")

    def test_manual_pages_are_compressed_roff_in_section_six_in_english_and_german(self):
        for page, files_heading in (("share/man/man6/farbrix.6.gz", "FILES"),
                                    ("share/man/de/man6/farbrix.6.gz", "DATEIEN")):
            with self.subTest(page=page):
                with gzip.open(self.path(page), "rt", encoding="utf-8") as f:
                    text = f.read()
                self.assertRegex(text, r"^(\'\\\" -\*- coding: UTF-8 -\*-\n)?\.TH FARBRIX 6 ")
                if shutil.which("man") is None:
                    continue
                result = subprocess.run(["man", "--warnings", "-l", self.path(page)],
                                        env=dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8"),
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
                self.assertEqual(result.stderr.decode(), "", "warnings from man")
                # Bold and underline come as overstrikes.
                shown = re.sub(".\b", "", result.stdout.decode())
                self.assertIn("\n" + files_heading + "\n", shown)
                self.assertIn("$XDG_DATA_HOME/farbrix/TESTFILE", shown)


class Launcher(unittest.TestCase):
    """The launcher of an installation that was moved after installing, with
    the game replaced by the stand-in."""

    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="farbrix-launcher-")
        installed = os.path.join(self.scratch, "installed")
        common.install(installed)
        self.prefix = os.path.join(self.scratch, "moved")
        shutil.move(installed, self.prefix)
        common.replace_program(self.prefix)
        self.launcher = os.path.join(self.prefix, "bin", "farbrix")
        self.data = os.path.join(self.prefix, "share", "farbrix")
        self.xdg = os.path.join(self.scratch, "xdg")
        self.play = os.path.join(self.xdg, "farbrix")

    def tearDown(self):
        shutil.rmtree(self.scratch, ignore_errors=True)

    def start(self, args=(), **env):
        env.setdefault("XDG_DATA_HOME", self.xdg)
        return common.run_launcher(self.launcher, self.scratch, env, args)

    def assertStartedIn(self, run, folder):
        self.assertEqual((run.returncode, run.stderr), (0, ""))
        self.assertTrue(run.started, "the game was not started")
        self.assertEqual(run.cwd, folder)
        self.assertEqual(run.game_pid, run.pid, "the launcher did not hand its process over to the game")

    def read(self, *parts):
        with open(os.path.join(*parts), "rb") as f:
            return f.read()

    def test_first_start_makes_the_play_folder_with_every_picture_and_starts_the_game_there(self):
        # A picture added later (a larger variant, say) is copied as well;
        # what is no picture is not.
        shutil.copyfile(os.path.join(self.data, common.ring_pictures()[0]),
                        os.path.join(self.data, "extra@2x.jpg"))
        with open(os.path.join(self.data, "liesmich.txt"), "w") as f:
            f.write("no picture")
        run = self.start(args=["--irgendwas", "x"])
        self.assertStartedIn(run, self.play)
        self.assertEqual(run.argc, 0, "arguments were passed on to the game")
        pictures = sorted(common.ring_pictures() + ["extra@2x.jpg"])
        self.assertEqual(sorted(os.listdir(self.play)), pictures)
        for name in pictures:
            self.assertEqual(self.read(self.play, name), self.read(self.data, name), name)

    def test_later_starts_replace_nothing_and_add_what_is_missing(self):
        self.assertStartedIn(self.start(), self.play)
        own, lost, linked = common.ring_pictures()[:3]
        with open(os.path.join(self.play, own), "wb") as f:
            f.write(b"the player's own picture")
        with open(os.path.join(self.play, "TESTFILE"), "wb") as f:
            f.write(b'"Anna","Bernd","","",""\r\n')
        os.remove(os.path.join(self.play, lost))
        # A dangling link must not be written through.
        os.remove(os.path.join(self.play, linked))
        elsewhere = os.path.join(self.scratch, "elsewhere.jpg")
        os.symlink(elsewhere, os.path.join(self.play, linked))

        self.assertStartedIn(self.start(), self.play)
        self.assertEqual(self.read(self.play, own), b"the player's own picture")
        self.assertEqual(self.read(self.play, "TESTFILE"), b'"Anna","Bernd","","",""\r\n')
        self.assertEqual(self.read(self.play, lost), self.read(self.data, lost))
        self.assertTrue(os.path.islink(os.path.join(self.play, linked)))
        self.assertFalse(os.path.exists(elsewhere))
        self.assertEqual(sorted(os.listdir(self.play)), sorted(common.ring_pictures() + ["TESTFILE"]))

    def test_without_a_usable_xdg_data_home_the_play_folder_is_in_home(self):
        home = os.path.join(self.scratch, "home")
        default = os.path.join(home, ".local", "share", "farbrix")
        for value in (None, "", "relative/data"):
            with self.subTest(XDG_DATA_HOME=value):
                self.assertStartedIn(self.start(XDG_DATA_HOME=value, HOME=home), default)
                self.assertEqual(sorted(os.listdir(default)), sorted(common.ring_pictures()))
                shutil.rmtree(home)
        self.assertFalse(os.path.exists(os.path.join("/", "relative")))

    def test_a_play_folder_that_cannot_be_made_is_reported_in_german_and_the_game_not_started(self):
        # A regular file where a folder should be stops even root.
        not_a_folder = os.path.join(self.scratch, "file")
        with open(not_a_folder, "w") as f:
            f.write("")
        taken = os.path.join(self.scratch, "taken")
        os.makedirs(taken)
        with open(os.path.join(taken, "farbrix"), "w") as f:
            f.write("")
        for xdg in (not_a_folder, taken):
            play = os.path.join(xdg, "farbrix")
            with self.subTest(play=play):
                run = self.start(XDG_DATA_HOME=xdg)
                self.assertEqual(run.returncode, 1)
                self.assertFalse(run.started, "the game was started anyway")
                self.assertIn("Der Spielordner %s kann nicht angelegt werden." % play, run.stderr)

    def test_started_from_a_desktop_the_reason_is_also_shown_in_a_message_box(self):
        # zenity is the first tool the launcher tries; this one writes down
        # how it was called instead of opening a window.
        tools = os.path.join(self.scratch, "tools")
        os.mkdir(tools)
        calls = os.path.join(self.scratch, "zenity-calls")
        with open(os.path.join(tools, "zenity"), "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$@" > "%s"\n' % calls)
        os.chmod(os.path.join(tools, "zenity"), 0o755)
        not_a_folder = os.path.join(self.scratch, "file")
        with open(not_a_folder, "w") as f:
            f.write("")
        run = self.start(XDG_DATA_HOME=not_a_folder, DISPLAY=":99", PATH=tools + ":/usr/bin:/bin")
        self.assertEqual(run.returncode, 1)
        with open(calls) as f:
            arguments = f.read().split("\n")
        self.assertIn("--error", arguments)
        self.assertTrue(any(a.startswith("--text=Der Spielordner %s/farbrix kann nicht angelegt werden."
                                         % not_a_folder) for a in arguments), arguments)

    def test_a_link_to_the_launcher_starts_the_moved_installation(self):
        bin_dir = os.path.join(self.scratch, "bin")
        os.mkdir(bin_dir)
        os.symlink(self.launcher, os.path.join(bin_dir, "farbrix"))
        run = common.run_launcher(os.path.join(bin_dir, "farbrix"), self.scratch, {"XDG_DATA_HOME": self.xdg})
        self.assertStartedIn(run, self.play)
        self.assertEqual(sorted(os.listdir(self.play)), sorted(common.ring_pictures()))

    def test_an_incomplete_installation_is_reported(self):
        os.remove(os.path.join(self.prefix, "libexec", "farbrix", "farbrix"))
        run = self.start()
        self.assertEqual(run.returncode, 1)
        self.assertIn("unvollständig installiert", run.stderr)
        self.assertFalse(os.path.exists(self.play))


if __name__ == "__main__":
    common.main("sh")
