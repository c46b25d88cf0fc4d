"""What the end-to-end tests know about the game: where things are on the
board, which colours they show, and the player's moves built from real
clicks and key presses.

Positions come from the board design header the program itself is built
from, so a test and the game cannot disagree about where a lamp is; the
tests check that the program really shows it there.
"""

import math
import os
import re
import signal
import sys
import unittest

import xsession
from xsession import Rect, wait_for

HERE = os.path.dirname(os.path.abspath(__file__))
DESIGN_HEADER = os.path.join(HERE, "..", "..", "src", "game", "boarddesign.h")

TWIPS_PER_PIXEL = 15

BOARD_TITLE = r"^Farbrix v\. 1\.0$"
MESSAGE_TITLE = r"^Farbrix$"
RESULT_TITLE = r"^Farbrix $"
HIGHSCORE_TITLE = r"^Highscores$"

COLOUR_NAMES = {1: "red", 2: "green", 3: "orange", 4: "yellow", 5: "blue", 6: "white"}
RING_PICTURES = dict(enumerate(xsession.Game.RING_PICTURES, start=1))

BLACK = (0, 0, 0)

# The start window is frameless; its own area is its client area inside a
# drawn border of three pixels. "Start" in window coordinates:
START_BORDER = 3
START_CLIENT_SIZE = (453, 320)
START_BUTTON = Rect(START_BORDER + 184, START_BORDER + 208, 97, 33)


def px(t):
    """Twips to pixels, rounded half away from zero as the program does."""
    return int(math.floor(abs(t) / TWIPS_PER_PIXEL + 0.5)) * (1 if t >= 0 else -1)


def px_rect(left, top, width, height):
    return Rect(px(left), px(top), px(width), px(height))


def distance(a, b):
    return math.sqrt(sum((x - y) ** 2 for x, y in zip(a, b)))


def close_to(colour, expected, tolerance=24):
    return distance(colour, expected) <= tolerance


def rgb_from_bgr(value):
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)


def rgb_from_rgb(value):
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)


class Design:
    """The board's design tables, read from the header."""

    def __init__(self, path=DESIGN_HEADER):
        with open(path, encoding="utf-8") as f:
            text = re.sub(r"//[^\n]*", "", f.read())
        self._text = text
        self.client_width = px(self._scalar("clientWidth"))
        self.client_height = px(self._scalar("clientHeight"))
        self.screen_left = px(self._scalar("screenLeft"))
        self.screen_top = px(self._scalar("screenTop"))
        self.ring_size = px(self._scalar("ringSize"))
        self.lamp_size = px(self._scalar("lampSize"))
        self.light_blue = rgb_from_bgr(self._scalar("lightBlue"))
        self.lamp_red = rgb_from_bgr(self._scalar("lampRed"))
        self.lamp_grey = rgb_from_bgr(self._scalar("lampGrey"))

        palette = self._table("palette", 6 * 4)
        self.palette = {n: px_rect(*palette[4 * (n - 1):4 * n]) for n in range(1, 7)}
        rings = self._table("rings", 10 * 4 * 2)
        self.rings = [[(px(rings[8 * r + 2 * c]), px(rings[8 * r + 2 * c + 1])) for c in range(4)]
                      for r in range(10)]
        lamps = self._table("lamps", 10 * 8 * 2)
        self.lamps = [[(px(lamps[16 * r + 2 * s]), px(lamps[16 * r + 2 * s + 1])) for s in range(8)]
                      for r in range(10)]
        self.ball_rgb = {n: rgb_from_rgb(v) for n, v in enumerate(self._table("ballRgb", 6), start=1)}
        self.command1 = px_rect(*self._table("command1", 4))
        self.command2 = px_rect(*self._table("command2", 4))
        self.label9 = px_rect(*self._table("label9", 4))

    def _scalar(self, name):
        match = re.search(r"\b%s\s*=\s*(0x[0-9A-Fa-f]+|\d+)\s*;" % name, self._text)
        if not match:
            raise RuntimeError("%s not found in the board design" % name)
        return int(match.group(1), 0)

    def _table(self, name, count):
        match = re.search(r"\b%s\s*\{(.*?)\}\s*;" % name, self._text, re.S)
        if match and "{" in match.group(1):
            # A nested table ends at its closing braces followed by ';'.
            match = re.search(r"\b%s\s*\{\{(.*?)\}\}\s*;" % name, self._text, re.S)
        if not match:
            raise RuntimeError("table %s not found in the board design" % name)
        numbers = [int(v, 0) for v in re.findall(r"0x[0-9A-Fa-f]+|\d+", match.group(1))]
        if len(numbers) != count:
            raise RuntimeError("table %s has %d numbers, expected %d" % (name, len(numbers), count))
        return numbers


DESIGN = Design()


# Where a ball's colour is read, in logical pixels from its centre: beside
# the engraved sign in its middle, clear of the highlight.
BESIDE_SIGN_IN_RING = (4, -5)
BESIDE_SIGN_ON_PALETTE = (-12, 0)


def ring_references(artwork_dir):
    """The colour each ring picture shows beside its sign, by colour number:
    what a hole shows there once the ball is placed."""
    references = {}
    for n, name in RING_PICTURES.items():
        picture = xsession.load_picture(os.path.join(artwork_dir, name))
        scale = picture.width // 33
        dx, dy = BESIDE_SIGN_IN_RING
        references[n] = picture.mean(picture.width // 2 + dx * scale, picture.height // 2 + dy * scale,
                                     max(1, scale))
    return references


def nearest(colour, references, tolerance):
    """The key of the reference nearest to the colour, or None if none is
    within the tolerance or the two nearest are too alike to tell apart."""
    ranked = sorted(references, key=lambda k: distance(colour, references[k]))
    best = ranked[0]
    d0 = distance(colour, references[best])
    if d0 > tolerance:
        return None
    if len(ranked) > 1 and distance(colour, references[ranked[1]]) < d0 + 20:
        return None
    return best


class Board:
    """The board window's client area below its menu bar."""

    def __init__(self, session, window):
        self.session = session
        self.window = window
        # The menu bar is inside the window; the board fills the rest.
        self.x = window.rect.x
        self.y = window.rect.y + window.rect.height - DESIGN.client_height
        if window.rect.width != DESIGN.client_width:
            raise AssertionError("board window is %d px wide, the design %d px"
                                 % (window.rect.width, DESIGN.client_width))

    def verify_origin(self, shot):
        """The light blue bar Label9 must start exactly at the board's left
        and top edges, and be exactly as wide as designed."""
        blue = DESIGN.light_blue
        width = DESIGN.label9.width
        probe_y = self.y + 100
        inside = [shot.pixel(self.x, probe_y), shot.pixel(self.x + width - 1, probe_y),
                  shot.pixel(self.x + width // 2, self.y),
                  shot.pixel(self.x + width // 2, self.y + DESIGN.client_height - 1)]
        outside = [shot.pixel(self.x + width, probe_y), shot.pixel(self.x + width // 2, self.y - 1)]
        problems = [p for p in inside if not close_to(p, blue, 8)]
        problems += [p for p in outside if close_to(p, blue, 8)]
        if problems:
            raise AssertionError("the light blue bar is not where the board's origin (%d, %d) "
                                 "puts it: %s" % (self.x, self.y, problems))

    def point(self, x, y):
        return (self.x + x, self.y + y)

    def area(self, rect):
        return Rect(self.x + rect.x, self.y + rect.y, rect.width, rect.height)

    def lamp_centre(self, row, shape):
        """shape 1..8 as Shape1..Shape8."""
        x, y = DESIGN.lamps[row][shape - 1]
        half = DESIGN.lamp_size // 2
        return self.point(x + half, y + half)

    def ring_centre(self, row, column):
        """column 1..4 as Picture7..Picture10."""
        x, y = DESIGN.rings[row][column - 1]
        half = DESIGN.ring_size // 2
        return self.point(x + half, y + half)

    def ring_area(self, row, column):
        x, y = DESIGN.rings[row][column - 1]
        return Rect(self.x + x, self.y + y, DESIGN.ring_size, DESIGN.ring_size)

    def palette_centre(self, colour):
        return self.area(DESIGN.palette[colour]).centre()

    def lamp_colour(self, shot, row, shape):
        return shot.pixel(*self.lamp_centre(row, shape))

    def lamp_state(self, shot, row, shape):
        """'red', 'grey', 'black' or the colour seen."""
        colour = self.lamp_colour(shot, row, shape)
        if close_to(colour, DESIGN.lamp_red):
            return "red"
        if close_to(colour, DESIGN.lamp_grey):
            return "grey"
        if close_to(colour, BLACK, 16):
            return "black"
        return colour


class Farbrix:
    """The player's moves on a running game."""

    def __init__(self, session, game, rings):
        self.session = session
        self.game = game
        self.rings = rings  # ring picture colours by colour number
        self.board = None

    # -- start window and board -----------------------------------------

    def open_board(self):
        """Clicks Start in the start window and waits for the board."""
        splash = self.session.wait_untitled_window()
        self.session.click_in(splash, *START_BUTTON.centre())
        window = self.session.wait_window(BOARD_TITLE)
        self.session.wait_window_gone(splash.wid)
        self.board = Board(self.session, window)
        # The first paint may come a moment after the window is mapped.
        shot = self.session.wait_for_screen(self._board_painted, "the board to be painted")
        self.board.verify_origin(shot)
        return self.board

    def _board_painted(self, shot):
        b = self.board
        return (close_to(shot.pixel(b.x + 2, b.y + 100), DESIGN.light_blue, 8)
                and b.lamp_state(shot, 0, 1) == "grey")

    def ring_colour(self, shot, row, column):
        """Colour number of the ball shown in a hole, None if none is."""
        x, y = self.board.ring_centre(row, column)
        colour = shot.mean(x + BESIDE_SIGN_IN_RING[0], y + BESIDE_SIGN_IN_RING[1], radius=1)
        return nearest(colour, self.rings, 70)

    def palette_colour(self, shot, colour):
        x, y = self.board.palette_centre(colour)
        seen = shot.mean(x + BESIDE_SIGN_ON_PALETTE[0], y + BESIDE_SIGN_ON_PALETTE[1], radius=1)
        return nearest(seen, DESIGN.ball_rgb, 90)

    # -- moves -------------------------------------------------------------

    def begin_game(self):
        """Spiel beginnen. A code number that the table moves up is told
        with a message, which this answers."""
        area = self.board.area(DESIGN.command2)
        before = self.session.screenshot().crop(area)
        self.session.click(*self.board.area(DESIGN.command2).centre())
        self._wait_changed_and_settled(area, before, "the first attempt to open")
        # The message box, if any, was created before the button's new look
        # could be painted.
        if self.session.dialog_created(MESSAGE_TITLE):
            self.answer_message()

    def _wait_changed_and_settled(self, area, before, what):
        last = [None]

        def settled(shot):
            now = shot.crop(area)
            done = now.rgb != before.rgb and last[0] is not None and now.rgb == last[0].rgb
            last[0] = now
            return done
        self.session.wait_for_screen(settled, what)

    def pick(self, colour):
        self.session.click(*self.board.palette_centre(colour))

    def click_ring(self, row, column):
        self.session.click(*self.board.ring_centre(row, column))

    def place(self, colour, row, column):
        """Picks a colour and puts it into a hole, which must then show it."""
        self.pick(colour)
        self.click_ring(row, column)
        return self.session.wait_for_screen(
            lambda shot: self.ring_colour(shot, row, column) == colour,
            "%s ball in row %d column %d" % (COLOUR_NAMES[colour], row, column))

    def place_row(self, colours, row):
        shot = None
        for column, colour in enumerate(colours, start=1):
            shot = self.place(colour, row, column)
        return shot

    def show_guess(self):
        """Zeigen."""
        self.session.click(*self.board.area(DESIGN.command1).centre())

    def next_attempt(self):
        """Nächster Versuch."""
        self.session.click(*self.board.area(DESIGN.command2).centre())

    def wait_message(self):
        return self.session.wait_window(MESSAGE_TITLE)

    def answer_message(self, key="Return"):
        box = self.wait_message()
        self.session.activate(box.wid)
        self.session.key(key)
        self.session.wait_window_gone(box.wid)
        return box

    # -- menus ---------------------------------------------------------------

    def menu(self, *steps):
        """Walks the board's menus by keyboard: each step is a key (or keys)
        and the number of menus that must be open after it."""
        self.session.activate(self.board.window.wid)
        for keys, open_menus in steps:
            self.session.key(*keys.split())
            wait_for(lambda: len(self.session.popups()) == open_menus,
                     "%d open menu(s) after %s" % (open_menus, keys))

    def choose_level(self, position):
        """Optionen > Schwierigkeitsgrad > the level at position 0..2."""
        self.menu(("alt+o", 1), ("Right", 2), (" ".join(["Down"] * position + ["Return"]), 0))

    def show_solution(self):
        """Optionen > Lösung anzeigen (below Schwierigkeitsgrad and Highscore)."""
        self.menu(("alt+o", 1), ("Up Return", 0))
        return self.session.wait_window(RESULT_TITLE)


    # -- result window -------------------------------------------------------

    # The result window's four boxes (33 x 33 px, 40 px apart) and a spot of
    # bare background, in its client coordinates.
    RESULT_BOXES = [(24 + 40 * i, 40) for i in range(4)]
    RESULT_BACKGROUND = (8, 118)
    RESULT_OK = Rect(64, 88, 81, 33)     # after a win
    HIGHSCORE_OK = Rect(184, 224, 81, 25)

    def result_colours(self, shot, window):
        half = DESIGN.ring_size // 2
        dx, dy = BESIDE_SIGN_IN_RING
        return [nearest(shot.mean(window.rect.x + x + half + dx, window.rect.y + y + half + dy), self.rings, 70)
                for x, y in self.RESULT_BOXES]

    def read_result(self, window):
        """The four colours the result window shows, once all are painted."""
        shot = self.session.wait_for_screen(
            lambda sh: all(self.result_colours(sh, window)), "four rings in the result window")
        return self.result_colours(shot, window)

    def close_result_by_double_click(self, window):
        self.session.click_in(window, *self.RESULT_BACKGROUND, count=2)
        self.session.wait_window_gone(window.wid)

    def reveal_solution(self):
        """Optionen > Lösung anzeigen, read the four colours, close the window
        by double-clicking its background."""
        window = self.show_solution()
        solution = self.read_result(window)
        self.close_result_by_double_click(window)
        return solution

    # -- other windows ---------------------------------------------------------

    def wait_new_window(self, known):
        """A newly shown managed window of the game, not one of `known` ids."""
        def fresh():
            found = [w for w in self.session.managed_windows() if w.wid not in known]
            return found[0] if len(found) == 1 else None
        return wait_for(fresh, "a new window of the game")


# -- running ------------------------------------------------------------------

class GameTestCase(unittest.TestCase):
    """Each test gets a fresh game process; the X session is shared by the
    tests of one script."""

    session = None
    SCREEN_SIZE = (1280, 1024)

    @classmethod
    def setUpClass(cls):
        cls.binary = os.environ["FARBRIX_BINARY"]
        cls.artwork_dir = os.environ["FARBRIX_ARTWORK_DIR"]
        artifacts = os.environ.get("FARBRIX_E2E_ARTIFACTS", os.getcwd())
        cls.session = xsession.XSession(artifacts, *cls.SCREEN_SIZE)
        try:
            cls.session.start()
        except BaseException:
            cls.session.close()
            raise
        cls.rings = ring_references(cls.artwork_dir)

    @classmethod
    def tearDownClass(cls):
        if cls.session is not None:
            cls.session.close()

    def new_game(self, extra_env=None):
        """A context: the game runs inside it and is ended when it is left;
        a failure inside saves a screenshot first."""
        game = xsession.Game(self.session, self.binary, self.artwork_dir, self.id().split(".", 1)[-1],
                             extra_env)
        self.player = Farbrix(self.session, game, self.rings)
        return game


def main(required_env=("FARBRIX_BINARY", "FARBRIX_ARTWORK_DIR")):
    # ctest ends a test that runs too long; a clean exit still ends the X
    # server and the game and removes the scratch folders.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
    missing = xsession.missing_tools()
    if missing:
        print("skipped: missing " + ", ".join(missing))
        sys.exit(xsession.SKIP_EXIT_CODE)
    for name in required_env:
        if name not in os.environ:
            print("%s is not set" % name)
            sys.exit(2)
    unittest.main(verbosity=2)
