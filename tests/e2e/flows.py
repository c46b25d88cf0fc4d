# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""The flows only a real window system shows, played by real clicks and keys, checked on
the screen's pixels and the play folder's files; `flows.py GROUP` runs a group in one X session."""

import os
import sys
from math import dist
from pathlib import Path

import xgame
from xgame import wait

BINARY, ARTWORK = os.environ["FARBRIX_BINARY"], os.environ["FARBRIX_ARTWORK_DIR"]

# Where things are on the board, in logical pixels from its corner below the menu bar: the palette balls red
# .. white, the holes of rows 0-4 by column, the lamps of rows 0-1 (four for right places, four for right
# colours), the buttons Zeigen and Spiel beginnen / Nächster Versuch.
PALETTE = [(272, 52), (332, 60), (392, 72), (436, 128), (444, 188), (444, 256)]
RINGS = [
    [(272, 104), (304, 104), (336, 112), (376, 128)],
    [(272, 144), (304, 144), (336, 152), (376, 160)],
    [(272, 176), (304, 176), (336, 184), (368, 192)],
    [(272, 216), (304, 216), (336, 224), (368, 232)],
    [(272, 248), (304, 248), (336, 256), (368, 264)],
]
LAMPS = [
    [(60, 84), (76, 92), (92, 100), (108, 100), (148, 84), (164, 92), (180, 100), (196, 100)],
    [(60, 116), (76, 124), (92, 132), (108, 132), (148, 124), (164, 132), (180, 140), (196, 140)],
]
SHOW, NEXT = (304, 488), (152, 488)
START = (235, 227)  # the start window's Start button
RESULT_BALLS = [(40 + 40 * i, 56) for i in range(4)]  # in the result window
BESIDE_SIGN = (4, -5)  # where a ball shows its colour, from its centre, clear of its engraved sign
LAMP_COLOURS, NEW_BOARD = {"r": (255, 0, 0), "g": (128, 128, 128)}, ([[None] * 4] * 5, ["g" * 8] * 2)


def nearest(seen, colours, limit):
    best = min(colours, key=lambda k: dist(seen, colours[k]))
    return best if dist(seen, colours[best]) < limit else None


class Game:  # started in the session, its board opened from the start window
    def __init__(self, x, files, scale=1, **env):
        self.x, self.f = x, scale
        x.start_game(BINARY, files, scale, **env)
        splash = x.window()
        x.click(self.at(START, splash, scale))
        self.find_board()
        x.gone(splash)

    def find_board(self):
        self.win = self.x.window("Farbrix v. 1.0")

        def corner():  # where the light blue bar down the board's left edge begins
            c = self.x.shot(self.win.x + 2, self.win.y, 1, self.win.h)
            return next((y for y in range(c.height) if dist(c.px(0, y), (128, 128, 255)) < 10), None)

        self.top = wait(corner, "the board painted")

    def at(self, point, window=None, f=1):  # on the screen
        if window:
            return window.x + point[0] * f, window.y + point[1] * f
        return self.win.x + point[0] * self.f, self.win.y + self.top + point[1] * self.f

    def ball(self, shot, point, window=None):  # the colour number of the ball at a point, or None
        x, y = self.at(point, window)
        return nearest(shot.mean(x + BESIDE_SIGN[0] * self.f, y + BESIDE_SIGN[1] * self.f), RING_COLOURS, 60)

    def state(self):
        """The balls in the holes of rows 0-4 and the lamps of rows 0-1 (r red, g grey)."""
        shot = self.x.shot()
        return (
            [[self.ball(shot, p) for p in row] for row in RINGS],
            ["".join(nearest(shot.px(*self.at(p)), LAMP_COLOURS, 30) or "?" for p in row) for row in LAMPS],
        )

    def place(self, row, colours):
        for column, colour in enumerate(colours):
            self.x.click(self.at(PALETTE[colour - 1]), self.at(RINGS[row][column]))
            wait(
                lambda: self.ball(self.x.shot(), RINGS[row][column]),
                "row %d column %d" % (row, column),
                colour,
            )

    def solution(self):
        """Optionen > Lösung anzeigen, read off the result window, closed by a double click on its background."""
        self.x.key("alt+o", "Up", "Return", wid=self.win.wid)
        result = self.x.window("Farbrix ")
        read = lambda shot: [self.ball(shot, p, result) for p in RESULT_BALLS]
        balls = wait(
            lambda: (lambda b: None not in b and b)(read(self.x.shot())), "four balls in the result window"
        )
        self.x.click(self.at((8, 118), result), count=2)
        self.x.gone(result)
        return balls

    def begin(self):
        """Spiel beginnen; a code number moved up in the table is told in a message."""
        button = lambda: self.x.shot(*self.at((NEXT[0] - 40, NEXT[1] - 8)), 80 * self.f, 16 * self.f).rgb
        before = button()
        self.x.click(self.at(NEXT))
        wait(lambda: button() != before, "the button to read Nächster Versuch")
        if self.x.windows("Farbrix", shown=False):  # made before the button repainted, shown or not yet
            self.x.answer()


def win_to_highscore(x):
    """Start -> board; a guess lights lamps; the next cracks the code, and the typed name reaches
    the highscore file through the result window; the program ends with its last window."""
    g = Game(x, dict(PICTURES, TESTFILE='"Zoë","Anna","Bernd","Carla","Dieter"\r\n'.encode("cp1252")))
    wait(g.state, "a new board", NEW_BOARD)
    g.begin()
    s = g.solution()
    guess = [s[0], s[1], next(c for c in range(1, 7) if c not in s), s[2]]
    g.place(0, guess)
    x.key("alt+z", wid=g.win.wid)  # Zeigen, by its access key
    # Two balls in their places, three right colours; lamps light from the left.
    wait(g.state, "the board after the first guess", ([guess] + [[None] * 4] * 4, ["rrggrrrg", "g" * 8]))
    x.click(g.at(NEXT))
    g.place(1, s)
    x.click(g.at(SHOW))
    x.answer()  # Code geknackt !
    wait(g.state, "the board after the win", ([guess, s] + [[None] * 4] * 3, ["rrggrrrg", "r" * 8]))
    result = x.window("Farbrix ")
    x.click(g.at((104, 104), result))  # OK
    scores = x.window("Highscores")
    x.key("ctrl+a", wid=scores.wid)  # in the box of the second attempt, which has the focus
    x.run("xdotool", "type", "--delay", 60, "Jürgen, der Große")
    x.click(g.at((224, 236), scores))  # OK
    table = '"Zoë","Jürgen, der Große","Bernd","Carla","Dieter"\r\n'.encode("cp1252")
    wait(lambda: Path(x.play, "TESTFILE").read_bytes(), "TESTFILE", table)
    g.find_board()
    wait(g.state, "the next board", NEW_BOARD)

    x.key("alt+h", "Down", "Return", wid=g.win.wid)  # Hilfe > Über
    about = x.window("Die Farbrix-Entwickler")
    # Its close box unloads the board, Enter the about window: with its last window the program ends.
    x.key("alt+F4", wid=g.win.wid)
    x.gone(g.win)
    x.key("Return", wid=about.wid)
    wait(x.game.poll, "the game to end with its last window", 0)


def languages(x):
    """An English desktop gets the game in English; the C locale German, even where LANGUAGE asks for English.
    What screen readers are told in English is the screenreader_windows test's part."""
    for desktop, instructions in (
        ("LC_ALL= LANG=en_GB.UTF-8", "How to Play"),
        ("LANGUAGE=en", "Spielanleitung"),
    ):
        g = Game(x, PICTURES, **dict(e.split("=", 1) for e in desktop.split()))
        x.key("alt+h", "Return", wid=g.win.wid)
        x.window(instructions)


def detail(lum, top, f):
    """Mean brightness variance of 2 x 2 pixel blocks over the rings: what a picture scaled up lacks."""
    blocks = [
        [lum[top + y + j][x + k] for j in (0, 1) for k in (0, 1)]
        for y in range(88 * f, 280 * f, 2)
        for x in range(256 * f, 400 * f, 2)
    ]
    return sum(sum((v - sum(b) / 4) ** 2 for v in b) / 4 for b in blocks) / len(blocks)


def scale_at_two(x):
    """At scale factor 2 the board keeps its logical layout and stays sharp."""
    seen = {}
    for f in (1, 2):
        g = Game(x, {}, f)
        seen[f] = g.win, x.shot(*g.win[1:5]).luma(), g.top
    (w1, l1, t1), (w2, l2, t2) = seen[1], seen[2]
    assert [2 * v for v in (w1.x, w1.y, w1.w, w1.h, t1)] == [w2.x, w2.y, w2.w, w2.h, t2], (w1, t1, w2, t2)
    # Every 2 x 2 block at scale 2 looks like its pixel at scale 1.
    off = [
        (i, y)
        for y in range(w1.h)
        for i in range(w1.w)
        if abs(l1[y][i] - sum(l2[2 * y + j][2 * i + k] for j in (0, 1) for k in (0, 1)) / 4) > 64
    ]
    assert len(off) < w1.w * w1.h / 500, "%d pixels differ at scale 2, such as %s" % (len(off), off[:5])
    # Drawn for the density, rings keep over a third of their detail per block at 2 (a half if edges stayed as
    # steep); blended up, a fifth.
    d1, d2 = detail(l1, t1, 1), detail(l2, t2, 2)
    print("ring detail per 2 x 2 block: %.0f at scale 1, %.0f at scale 2" % (d1, d2))
    assert d2 > 0.3 * d1, "the rings at scale 2 are blurred or blocky"


if __name__ == "__main__":
    if not all(map(xgame.shutil.which, xgame.TOOLS)):
        sys.exit(print("skipped: needs", *xgame.TOOLS) or 77)
    names = ("rot2ring", "grünring", "ora2ring", "gelbring", "blauring", "weißring")  # colours 1 .. 6
    PICTURES = {
        n + size + ".jpg": open(os.path.join(ARTWORK, n + size + ".jpg"), "rb").read()
        for n in names
        for size in ("", "@2x")
    }
    RING_COLOURS = {}  # what each ring picture shows beside its sign
    for number, name in enumerate(names, 1):
        pic = xgame.Shot(["convert", os.path.join(ARTWORK, name + ".jpg")])
        RING_COLOURS[number] = pic.mean(pic.width // 2 + BESIDE_SIGN[0], pic.height // 2 + BESIDE_SIGN[1])
    x = xgame.Session()
    try:
        for scenario in {"play": [win_to_highscore], "screen": [scale_at_two, languages]}[sys.argv[1]]:
            scenario(x)
            print("passed:", scenario.__name__, flush=True)
    except BaseException:
        x.run("import", "-window", "root", "e2e-failure-%s.png" % scenario.__name__)  # in the working folder
        raise
    finally:
        x.close()
