"""The Debian package CPack built: its control data, its files, and whether
the unpacked tree starts the game from its play folder."""

import glob
import os
import re
import shutil
import subprocess
import tempfile
import unittest

import common


def dpkg_deb(*args):
    return subprocess.run(["dpkg-deb"] + list(args), check=True, stdout=subprocess.PIPE,
                          timeout=120).stdout.decode()


def control_fields(text):
    """The fields of a control file; continuation lines joined to their field."""
    fields = {}
    key = None
    for line in text.splitlines():
        if line[:1] in (" ", "\t") and key:
            fields[key] += "\n" + line.strip()
        elif ":" in line:
            key, value = line.split(":", 1)
            fields[key] = value.strip()
    return fields


def depends(field):
    """Package name -> version constraint ('' if none), alternatives left out."""
    result = {}
    for item in field.split(","):
        match = re.fullmatch(r"\s*([a-z0-9.+-]+)(?::\w+)?\s*(?:\((.*)\))?\s*", item.split("|")[0])
        if not match:
            raise AssertionError("cannot read %r in Depends" % item)
        result[match.group(1)] = match.group(2) or ""
    return result


class DebianPackage(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        found = glob.glob(os.path.join(os.environ["FARBRIX_PACKAGE_DIR"], "farbrix_*.deb"))
        if len(found) != 1:
            raise AssertionError("expected one farbrix_*.deb, found %s" % found)
        cls.deb = found[0]

    def test_control_data_names_the_game_its_libraries_and_fonts(self):
        self.assertIn("new Debian package", dpkg_deb("--info", self.deb))
        fields = control_fields(dpkg_deb("--info", self.deb, "control"))
        architecture = subprocess.run(["dpkg", "--print-architecture"], check=True,
                                      stdout=subprocess.PIPE).stdout.decode().strip()
        self.assertEqual(os.path.basename(self.deb),
                         "farbrix_%s_%s.deb" % (os.environ["FARBRIX_VERSION"], architecture))
        self.assertEqual((fields["Package"], fields["Version"], fields["Architecture"], fields["Section"]),
                         ("farbrix", os.environ["FARBRIX_VERSION"], architecture, "games"))
        self.assertTrue(fields["Description"].startswith("colour code-breaking board game, in German\n"),
                        fields["Description"])
        self.assertIn("Maintainer", fields)

        needed = depends(fields["Depends"])
        for font in ("fonts-comic-neue", "fonts-dejavu-core", "fonts-liberation2"):
            self.assertIn(font, needed)
        # Found by dpkg-shlibdeps from the program itself, with the least
        # versions it was linked against.
        for library in ("libqt6core6", "libqt6gui6", "libqt6widgets6", "libc6", "libstdc++6"):
            self.assertIn(library, needed)
            self.assertTrue(needed[library].startswith(">= "), "%s: %r" % (library, needed[library]))
        self.assertTrue(needed["libqt6widgets6"].startswith(">= 6."), needed["libqt6widgets6"])

    def test_files_are_under_usr_owned_by_root_with_the_right_modes(self):
        listing = {}
        for line in dpkg_deb("--contents", self.deb).splitlines():
            mode, owner, _, _, _, path = line.split(None, 5)
            if not mode.startswith("d"):
                listing[path] = (mode, owner)
        self.assertEqual(set(listing), {"./usr/" + f for f in common.expected_files()})
        for path, (mode, owner) in listing.items():
            executable = path in ("./usr/bin/farbrix", "./usr/libexec/farbrix/farbrix")
            self.assertEqual((mode, owner), ("-rwxr-xr-x" if executable else "-rw-r--r--", "root/root"), path)

    def test_unpacked_launcher_starts_the_game_in_a_fresh_play_folder(self):
        scratch = tempfile.mkdtemp(prefix="farbrix-deb-")
        try:
            subprocess.run(["dpkg-deb", "-x", self.deb, scratch], check=True)
            prefix = os.path.join(scratch, "usr")
            with open(os.path.join(prefix, "libexec", "farbrix", "farbrix"), "rb") as f:
                self.assertEqual(f.read(4), b"\x7fELF")
            common.replace_program(prefix)
            xdg = os.path.join(scratch, "xdg")
            run = common.run_launcher(os.path.join(prefix, "bin", "farbrix"), scratch, {"XDG_DATA_HOME": xdg})
            self.assertEqual((run.returncode, run.stderr, run.started), (0, "", True))
            self.assertEqual(run.cwd, os.path.join(xdg, "farbrix"))
            self.assertEqual(sorted(os.listdir(run.cwd)), sorted(common.ring_pictures()))
        finally:
            shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    common.main("dpkg-deb", "dpkg")
