"""The installed game started the way the desktop's menu starts it: the
desktop entry's command, found in PATH, run from the home folder. The
launcher must prepare the play folder, the game must show the pictures of
that folder, and a second start must leave the player's files alone."""

import configparser
import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "packaging"))

import common  # noqa: E402
import farbrix  # noqa: E402
import xsession  # noqa: E402

MAGENTA = (255, 0, 255)
TABLE = b'"Anna","","","Bernd",""\r\n'


class LaunchedGame(xsession.Game):
    """The game started by a command rather than from a play folder of the
    harness's making; the play folder is the launcher's business."""

    def __init__(self, session, command, env, cwd):
        super().__init__(session, None, None, "installed")
        self.command, self.extra_env, self.cwd = command, env, cwd

    def start(self):
        env = dict(self.session.env, QT_QPA_PLATFORM="xcb", **self.extra_env)
        self._log_path = os.path.join(self.session.scratch_dir(), "game-%d.log" % id(self))
        self._log = open(self._log_path, "wb")
        self.process = subprocess.Popen(self.command, cwd=self.cwd, env=env, stdin=subprocess.DEVNULL,
                                        stdout=self._log, stderr=subprocess.STDOUT,
                                        preexec_fn=xsession._die_with_parent)
        self.session._game = self


class InstalledGame(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="farbrix-installed-")
        cls.prefix = os.path.join(cls.scratch, "prefix")
        common.install(cls.prefix)
        cls.session = xsession.XSession(os.environ.get("FARBRIX_E2E_ARTIFACTS", os.getcwd()))
        try:
            cls.session.start()
        except BaseException:
            cls.session.close()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.session.close()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def launch(self):
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(os.path.join(self.prefix, "share", "applications", "farbrix.desktop"), encoding="utf-8")
        command = shlex.split(entry["Desktop Entry"]["Exec"])
        env = {"HOME": self.home, "XDG_DATA_HOME": self.xdg,
               "PATH": os.path.join(self.prefix, "bin") + os.pathsep + os.environ["PATH"]}
        return LaunchedGame(self.session, command, env, self.home)

    def test_menu_start_prepares_the_play_folder_and_the_game_shows_its_pictures(self):
        self.home = os.path.join(self.scratch, "home")
        self.xdg = os.path.join(self.scratch, "xdg")
        os.makedirs(self.home)
        data = os.path.join(self.prefix, "share", "farbrix")
        play = os.path.join(self.xdg, "farbrix")
        pictures = common.ring_pictures()

        with self.launch():
            self.session.wait_untitled_window()  # the start window
        self.assertEqual(sorted(os.listdir(play)), sorted(pictures))
        for name in pictures:
            with open(os.path.join(play, name), "rb") as a, open(os.path.join(data, name), "rb") as b:
                self.assertEqual(a.read(), b.read(), name)

        # The red ball becomes plain magenta in this player's folder only; the
        # picture keeps its size and density, so it fills the hole as before.
        red = os.path.join(play, xsession.Game.RING_PICTURES[0])
        subprocess.run(["convert", red, "-fill", "#ff00ff", "-colorize", "100", red], check=True, timeout=30)
        with open(red, "rb") as f:
            magenta_picture = f.read()
        with open(os.path.join(play, "TESTFILE"), "wb") as f:
            f.write(TABLE)

        rings = farbrix.ring_references(data)
        rings[1] = MAGENTA
        with self.launch() as game:
            player = farbrix.Farbrix(self.session, game, rings)
            board = player.open_board()
            player.begin_game()
            shot = player.place(1, 0, 1)
            self.assertTrue(farbrix.close_to(shot.mean(*board.ring_centre(0, 1)), MAGENTA, 40),
                            "the red ball shows %s, not the play folder's magenta"
                            % (shot.mean(*board.ring_centre(0, 1)),))
            player.place(2, 0, 2)  # green still comes from the copied picture

        with open(red, "rb") as f:
            self.assertEqual(f.read(), magenta_picture, "the launcher replaced the player's picture")
        with open(os.path.join(play, "TESTFILE"), "rb") as f:
            self.assertEqual(f.read(), TABLE)
        self.assertEqual(sorted(os.listdir(play)), sorted(pictures + ["TESTFILE"]))


if __name__ == "__main__":
    farbrix.main(required_env=())
