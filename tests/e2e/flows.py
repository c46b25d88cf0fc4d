"""The game's flows that only a real window system shows, played by real
clicks and keys and checked on the screen's pixels and the play folder's
files. `flows.py GROUP` runs one group of scenarios in one X session."""

import os
import sys
import time

import xgame
from xgame import distance, wait

BINARY, ARTWORK = os.environ["FARBRIX_BINARY"], os.environ["FARBRIX_ARTWORK_DIR"]
BOARD, RESULT = "Farbrix v. 1.0", "Farbrix "

# Where things are on the board, in logical pixels from its top-left corner
# below the menu bar: the palette balls red .. white, the ring holes of rows
# 0-4 by column, the lamps of rows 0-1 (four for right places, four for right
# colours), and the buttons Zeigen and Spiel beginnen / Nächster Versuch.
PALETTE = [(272, 52), (332, 60), (392, 72), (436, 128), (444, 188), (444, 256)]
RINGS = [[(272, 104), (304, 104), (336, 112), (376, 128)], [(272, 144), (304, 144), (336, 152), (376, 160)],
         [(272, 176), (304, 176), (336, 184), (368, 192)], [(272, 216), (304, 216), (336, 224), (368, 232)],
         [(272, 248), (304, 248), (336, 256), (368, 264)]]
LAMPS = [[(60, 84), (76, 92), (92, 100), (108, 100), (148, 84), (164, 92), (180, 100), (196, 100)],
         [(60, 116), (76, 124), (92, 132), (108, 132), (148, 124), (164, 132), (180, 140), (196, 140)]]
SHOW, NEXT = (304, 488), (152, 488)
START = (235, 227)  # the start window's Start button, from its top-left corner
BESIDE_SIGN = (4, -5)  # where a ball shows its colour, from its centre, clear of its engraved sign
RESULT_BALLS, RESULT_OK, HIGHSCORE_OK = [(40 + 40 * i, 56) for i in range(4)], (104, 104), (224, 236)
EMPTY = [[None] * 4] * 5


class Game:
    def __init__(self, x, scale=1, pictures=True, table=None):
        self.x, self.f = x, scale
        x.start_game(BINARY, ARTWORK if pictures else None, scale, table)
        splash = x.window()  # the start window, alone
        x.click(splash.x + START[0] * scale, splash.y + START[1] * scale)
        self.find_board()
        x.gone(splash)

    def find_board(self):
        """The board's corner is where the light blue bar down its left edge begins."""
        self.win = self.x.window(BOARD)
        self.top = wait(lambda: (lambda s: next((y for y in range(s.height) if distance(s.px(2, y), (128, 128, 255))
                                                 < 10), None))(self.x.shot(self.win)), "the board painted")

    def at(self, point, window=None):
        """A point in the board (or in another window) on the screen."""
        if window:
            return window.x + point[0], window.y + point[1]
        return self.win.x + point[0] * self.f, self.win.y + self.top + point[1] * self.f

    def ball(self, shot, point, window=None):
        """The colour number of the ball at a point, None if none."""
        x, y = self.at(point, window)
        seen = shot.mean(x + BESIDE_SIGN[0] * self.f, y + BESIDE_SIGN[1] * self.f)
        best = min(RING_COLOURS, key=lambda n: distance(seen, RING_COLOURS[n]))
        return best if distance(seen, RING_COLOURS[best]) < 60 else None

    def holes(self):
        shot = self.x.shot()
        return [[self.ball(shot, p) for p in row] for row in RINGS]

    def lamps(self):
        """Rows 0 and 1: r for a red lamp, g for a grey one."""
        shot = self.x.shot()
        return [''.join("r" if distance(shot.px(*self.at(p)), (255, 0, 0)) < 30 else "g" if distance(
            shot.px(*self.at(p)), (128, 128, 128)) < 30 else "?" for p in row) for row in LAMPS]

    def place(self, row, colours):
        for column, colour in enumerate(colours):
            self.x.click(*self.at(PALETTE[colour - 1]))
            self.x.click(*self.at(RINGS[row][column]))
            wait(lambda: self.ball(self.x.shot(), RINGS[row][column]), "row %d column %d" % (row, column), colour)

    def solution(self):
        """Optionen > Lösung anzeigen, read off the result window, closed by a double click on its background."""
        self.x.menu(self.win.wid, ("alt+o", 1), ("Up Return", 0))
        result = self.x.window(RESULT)
        balls = wait(lambda: (lambda s: all(s) and s)([self.ball(self.x.shot(), p, result) for p in RESULT_BALLS]),
                     "the solution")
        self.x.click(*self.at((8, 118), result), count=2)
        self.x.gone(result)
        return balls

    def begin(self):
        """Spiel beginnen; a code number moved up in the table is told in a message."""
        button = lambda: self.x.shot().crop(*self.at((NEXT[0] - 40, NEXT[1] - 8)), 80 * self.f, 16 * self.f).rgb
        before = button()
        self.x.click(*self.at(NEXT))
        wait(lambda: button() != before, "the button to read Nächster Versuch")
        if self.x.windows("Farbrix", shown=False):  # made before the button repainted, shown or not yet
            self.x.answer()


def win_to_highscore(x):
    """Start -> board; a guess lights its lamps; the next one cracks the code,
    and the typed name reaches the highscore file through the result window."""
    table = '"Zoë","Anna","Bernd","Carla","Dieter"\r\n'.encode("cp1252")
    g = Game(x, table=table)
    wait(g.holes, "holes on a new board", EMPTY)
    wait(g.lamps, "lamps on a new board", ["g" * 8] * 2)
    g.begin()
    s = g.solution()
    g.place(0, [s[0], s[1], next(c for c in range(1, 7) if c not in s), s[2]])
    x.click(*g.at(SHOW))
    # Two balls in their places, three right colours; lamps light from the left.
    wait(g.lamps, "lamps after the first guess", ["rrggrrrg", "g" * 8])
    x.click(*g.at(NEXT))
    g.place(1, s)
    x.click(*g.at(SHOW))
    x.answer()  # Code geknackt !
    wait(g.lamps, "lamps after the win", ["rrggrrrg", "r" * 8])
    result = x.window(RESULT)
    x.click(*g.at(RESULT_OK, result))
    x.gone(result)
    scores = x.window("Highscores")
    x.key("ctrl+a", wid=scores.wid)  # in the box of the second attempt, which has the focus
    x.run("xdotool", "type", "--delay", 60, "Jürgen, der Große")
    x.click(*g.at(HIGHSCORE_OK, scores))
    x.gone(scores)
    wait(lambda: open(os.path.join(x.play, "TESTFILE"), "rb").read(), "TESTFILE",
         '"Zoë","Jürgen, der Große","Bernd","Carla","Dieter"\r\n'.encode("cp1252"))
    g.find_board()
    wait(g.holes, "holes on the next board", EMPTY)


def loss_at_superbrain(x):
    """Superbrain: the fifth wrong guess loses and a fresh board follows."""
    g = Game(x)
    x.menu(g.win.wid, ("alt+o", 1), ("Right", 2), ("Down Down Return", 0))  # Schwierigkeitsgrad > Superbrain
    g.begin()
    s = g.solution()
    for row in range(5):
        if row:
            x.click(*g.at(NEXT))
        g.place(row, [s[1], s[0], s[2], s[3]])  # an earlier end would leave a message box in the way
        x.click(*g.at(SHOW))
    x.answer()  # Code nicht geknackt!
    x.answer()  # Probier es nochmal!
    g.find_board()
    wait(g.holes, "holes after the loss", EMPTY)


def about_line_moves(x):
    """Hilfe > Über: a line of the about window moves; Escape closes it."""
    g = Game(x)
    x.menu(g.win.wid, ("alt+h", 1), ("Down Return", 0))
    about = x.window("Kugelwerkstatt Musterstadt")
    shots = [x.shot(about).luma()]

    def moved_in_a_band():
        shots.append(x.shot(about).luma())
        rows = [y for y, (a, b) in enumerate(zip(*shots[-2:])) if a != b]
        return rows and rows[-1] - rows[0] < about.h // 10
    wait(moved_in_a_band, "pixels to move within a narrow band of the about window")
    x.key("Escape", wid=about.wid)
    x.gone(about)


def clipped_message(x, f):
    """Lines of a message box's text whose ink reaches the label's right edge
    (where the OK button ends), or too few lines."""
    box = x.window("Farbrix")
    dark = [[i for i, v in enumerate(row) if v < 100] for row in x.shot(box).luma()] + [[]]
    bands = []  # runs of rows with dark pixels: lines of text, then the button
    for y in range(box.h):
        if dark[y] and not dark[y - 1]:
            end = next(e for e in range(y, box.h + 1) if not dark[e])
            bands.append((y, end, max(max(dark[r]) for r in range(y, end))))
    button = max(bands, key=lambda b: b[1] - b[0])
    text = bands[:bands.index(button)]
    cut = [b for b in text if b[2] > button[2] - f]
    return "%r at scale %d: lines (rows, right end) %s cut at %d\n" % (box, f, cut, button[2]) if cut or len(text) < 3 else ""


def detail(lum, top, f):
    """Mean brightness variance of 2 x 2 screen pixel blocks over the rings of
    rows 0-4: what a picture scaled up from its design size lacks."""
    blocks = [[lum[top + y + j][x + k] for j in (0, 1) for k in (0, 1)]
              for y in range(88 * f, 280 * f, 2) for x in range(256 * f, 400 * f, 2)]
    return sum(sum((v - sum(b) / 4) ** 2 for v in b) / 4 for b in blocks) / len(blocks)


def scale_and_message(x):
    """At scale factor 2 the board keeps its logical layout and stays sharp;
    the message of a missing ring picture is readable whole at 1 and 2."""
    seen, cut = {}, ""
    for f in (1, 2):
        g = Game(x, scale=f, pictures=False)
        seen[f] = g.win, x.shot(g.win).luma(), g.top
        g.begin()
        x.click(*g.at(PALETTE[0]))
        x.click(*g.at(RINGS[0][0]))
        cut += clipped_message(x, f)
    (w1, l1, t1), (w2, l2, t2) = seen[1], seen[2]
    assert [2 * v for v in (w1.x, w1.y, w1.w, w1.h, t1)] == [w2.x, w2.y, w2.w, w2.h, t2], (w1, t1, w2, t2)
    # Every 2 x 2 block at scale 2 looks like its pixel at scale 1.
    off = [(i, y) for y in range(w1.h) for i in range(w1.w)
           if abs(l1[y][i] - sum(l2[2 * y + j][2 * i + k] for j in (0, 1) for k in (0, 1)) / 4) > 64]
    assert len(off) < w1.w * w1.h / 500, "%d pixels differ at scale 2, such as %s" % (len(off), off[:5])
    # Drawn for the density, rings keep over a third of their detail per
    # block at 2 (a half if edges stayed as steep); blended up, a fifth.
    d1, d2 = detail(l1, t1, 1), detail(l2, t2, 2)
    print("ring detail per 2 x 2 block: %.0f at scale 1, %.0f at scale 2" % (d1, d2))
    assert d2 > 0.3 * d1, "the rings at scale 2 are blurred or blocky"
    assert not cut, "message text cut off:\n" + cut


GROUPS = {"play": [win_to_highscore, about_line_moves], "screen": [loss_at_superbrain, scale_and_message]}

if __name__ == "__main__":
    if not all(map(xgame.shutil.which, xgame.TOOLS)):
        sys.exit(print("skipped: needs", *xgame.TOOLS) or 77)
    RING_COLOURS = {}  # what each ring picture shows beside its sign, by colour number
    for n, name in enumerate(xgame.RING_PICTURES, 1):
        pic = xgame.Shot.read(["convert", os.path.join(ARTWORK, name)])
        RING_COLOURS[n] = pic.mean(pic.width // 2 + BESIDE_SIGN[0], pic.height // 2 + BESIDE_SIGN[1])
    x, failed = xgame.Session(), 0
    try:
        for scenario in GROUPS[sys.argv[1]]:
            started = time.monotonic()
            try:
                scenario(x)
                print("PASS %s (%.0f s)" % (scenario.__name__, time.monotonic() - started), flush=True)
            except Exception as error:
                failed += 1
                folder = os.environ.get("FARBRIX_E2E_ARTIFACTS", ".")
                os.makedirs(folder, exist_ok=True)
                x.shot().save(os.path.join(folder, scenario.__name__ + ".png"))
                print("FAIL %s: %s: %s" % (scenario.__name__, type(error).__name__, error), flush=True)
    finally:
        x.close()
    sys.exit(1 if failed else 0)
