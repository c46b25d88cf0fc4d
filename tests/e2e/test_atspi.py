# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""A blind player wins a whole game through the AT-SPI bus alone, as Orca would read and operate it: no
clicks, no pixels. With a command as arguments, runs that command in the same private X server and
bus instead (the in-process test)."""
import glob, importlib.util, itertools, os, re, shutil, subprocess, sys, tempfile, time

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
from gi.repository import GLib  # noqa: E402

COLOURS, ROW = ["Rot", "Grün", "Orange", "Gelb", "Blau", "Weiß"], "Reihe %d, Spalte %d: "
BUTTON, LABEL, BOX = (
    (pyatspi.ROLE_PUSH_BUTTON,),
    (pyatspi.ROLE_LABEL,),
    (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT),
)
events, play, game = [], tempfile.mkdtemp(prefix="farbrix-atspi-"), None


def pump(seconds):  # delivers the events that came in
    for _ in range(int(seconds * 20)):
        time.sleep(0.05)
        while GLib.MainContext.default().iteration(False):
            pass


def nodes(node):
    yield node
    for child in node:
        yield from nodes(child) if child is not None else ()


def tops():
    return [top for app in pyatspi.Registry.getDesktop(0) if app and app.name == "Farbrix" for top in app]


def find(roles, name, root=None):
    """The showing object of a role whose name matches a regular expression, waited for up to 10 s."""
    for _ in range(50):
        for node in (node for top in ([root] if root else tops()) for node in nodes(top)):
            if (
                node.getRole() in roles
                and re.fullmatch(name, node.name)
                and node.getState().contains(pyatspi.STATE_SHOWING)
            ):
                return node
        pump(0.2)
    raise AssertionError("nothing of role %s named %r" % (roles, name))


def press(roles, name, root=None):
    node = find(roles, name, root)
    assert (
        node.getState().contains(pyatspi.STATE_SENSITIVE) and node.queryAction().getName(0) == "Press"
    ), name
    node.queryAction().doAction(0)
    pump(0.3)


def answer(text):  # hears a message box out and presses its OK
    box = find(BOX, ".*")
    find(LABEL, re.escape(text), box), press(BUTTON, "OK", box)


def heard(row):
    """The counts the row's two lamp groups tell, once the row is evaluated."""
    right = find(LABEL, "Reihe %d, richtige Farben: [2-4] Lampen leuchten" % row).name
    exact = find(
        LABEL,
        "Reihe %d, richtige Positionen und Farben: ((keine|1) Lampe leuchtet|[2-4] Lampen leuchten)" % row,
    )
    return [int(re.sub(r"\D", "", name.split(": ")[1]) or 0) for name in (exact.name, right)]


def guess(row, colours):
    for column, colour in enumerate(colours, 1):
        press(BUTTON, colour), press(BUTTON, ROW % (row, column) + ".*")
        find(BUTTON, ROW % (row, column) + colour)
    assert ("object:property-change:accessible-name", ROW % (row, 4) + colour) in [
        e[:2] for e in events
    ], events
    press(BUTTON, "Zeigen")


try:
    pyatspi.Registry.getDesktop(0)  # starts the accessibility bus
    if sys.argv[1:]:
        sys.exit(subprocess.run(sys.argv[1:]).returncode)
    pyatspi.Registry.registerEventListener(
        lambda e: events.append((e.type, e.source.name, e.detail1)),
        "object:state-changed",
        "object:property-change:accessible-name",
    )
    for ring in glob.glob(os.path.join(os.environ["FARBRIX_ARTWORK_DIR"], "*ring*.jpg")):
        shutil.copy(ring, play)
    game = subprocess.Popen([os.environ["FARBRIX_BINARY"]], cwd=play)
    find((pyatspi.ROLE_IMAGE,), "Farbrix"), find((pyatspi.ROLE_IMAGE,), "Das Farbcode-Knobelspiel")
    names = [node.name for top in tops() for node in nodes(top)]
    assert names.count("\u00a9 1999 Kugelwerkstatt") == 1 and not any("Besuchen" in n for n in names), names
    press(BUTTON, "Start"), press(BUTTON, "Spiel beginnen"), find(BUTTON, "N\u00e4chster Versuch")
    if any(top.getRole() in BOX for top in tops()):
        answer("Das klappt !")
    guess(1, ["Rot"] * 4)
    answer("Vier verschiedene Farben ausw\u00e4hlen !")
    candidates, row = list(itertools.permutations(range(6), 4)), 1
    while True:
        colours, events[:] = candidates[0], []
        guess(row, [COLOURS[c] for c in colours])
        lamps = heard(row)
        assert any(e[1].startswith("Reihe %d, richtige Farben: " % row) for e in events), events
        if lamps[0] == 4:
            break
        candidates = [
            c for c in candidates if [sum(map(int.__eq__, c, colours)), len({*c} & {*colours})] == lamps
        ]
        press(BUTTON, "N\u00e4chster Versuch")
        row += 1
        assert ("object:state-changed:sensitive", ROW % (row, 2) + "leer", 1) in events, events
    answer("Code geknackt !")
    for column, colour in enumerate(colours, 1):
        find(BUTTON, "Stelle %d: %s" % (column, COLOURS[colour]))
    press(BUTTON, "OK")
    boxes = [find((pyatspi.ROLE_TEXT,), "Name f\u00fcr %d Versuche?" % n) for n in range(1, 6)]
    assert all(box.queryText().getText(0, -1) for box in boxes)
    if row <= 5:  # the winner types a name into the box for the attempts taken
        boxes[row - 1].queryEditableText().setTextContents("Blinde Kuh")
        press(BUTTON, "OK")
        assert b"Blinde Kuh" in open(os.path.join(play, "TESTFILE"), "rb").read()
    print("won in %d attempts by ear" % row)
finally:
    game and game.kill()
    xvfb.terminate(), subprocess.run(["kill", os.environ["DBUS_SESSION_BUS_PID"]]), shutil.rmtree(play)
