# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
"""A blind player wins a whole game with the Orca screen reader and the keyboard alone: xdotool keys, no
clicks, no AT-SPI actions, no flat review. Every step waits for what Orca says, as the player would, and
every guess is made from the lamp counts Orca spoke. Speech is captured to a file by speech-dispatcher's
generic module; no sound card is needed."""

import itertools
import os
import re
import shutil
import subprocess
import sys
from collections import Counter
from pathlib import Path

from xgame import Session, wait

NEEDED = ("orca", "speech-dispatcher", "dbus-daemon", "Xvfb", "openbox", "xdotool")
if not all(map(shutil.which, NEEDED)):
    # Orca is what this test is about: without it the test fails rather than skips.
    sys.exit("cannot start Orca: the test needs %s (scripts/test.sh installs them)" % ", ".join(NEEDED))

COLOURS = ["Rot", "Grün", "Orange", "Gelb", "Blau", "Weiß"]
CODES = list(itertools.permutations(range(1, 7), 4))


def feedback(guess, secret):  # the two lamp counts: right places, right colours
    return sum(a == b for a, b in zip(guess, secret)), len(set(guess) & set(secret))


def next_guess(left):
    """The guess whose worst answer leaves the fewest codes; it cracks every code within five attempts."""
    if len(left) == 1:
        return left[0]
    return min(CODES, key=lambda g: (max(Counter(feedback(g, s) for s in left).values()), g not in left))


class Orca:
    def __init__(self, session, stamp=""):  # stamp: a shell word put before each utterance
        self.session, self.heard, env = session, 0, session.env
        home = env["XDG_CONFIG_HOME"]
        self.file = os.path.join(home, "speech.txt")
        os.makedirs(os.path.join(home, "speech-dispatcher", "modules"))
        with open(os.path.join(home, ".asoundrc"), "w") as f:
            f.write("pcm.!default { type null }\n")  # speech-dispatcher needs some sound device
        with open(os.path.join(home, "speech-dispatcher", "speechd.conf"), "w") as f:
            f.write('AddModule "capture" "sd_generic" "capture.conf"\nDefaultModule capture\n')
            f.write('DefaultLanguage "de"\nAudioOutputMethod "alsa"\n')
        with open(os.path.join(home, "speech-dispatcher", "modules", "capture.conf"), "w") as f:
            f.write("GenericExecuteSynth \"echo %s \\'$DATA\\' >> %s\"\n" % (stamp, self.file))
            # Orca's own language follows the locale: each one it may choose passes its text on whole.
            for language in ("de", "en", "en-us"):
                f.write('GenericLanguage "%s" "%s" "utf-8"\nAddVoice "%s" "MALE1" "%s"\n' % ((language,) * 4))
        env.pop("NO_AT_BRIDGE", None)
        env.update(HOME=home, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        bus = session._spawn(
            ["dbus-daemon", "--session", "--nofork", "--print-address"], env, stdout=subprocess.PIPE
        )
        env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        self.log = open(os.path.join(home, "orca.out"), "w")
        session._spawn(["orca", "--replace"], env, stdout=self.log, stderr=subprocess.STDOUT)
        try:
            self.hear(r"Screen reader on\.|Bildschirmleser an\.", timeout=60)
        except AssertionError:
            with open(self.log.name) as log:
                sys.exit("Orca did not start speaking:\n" + log.read()[-3000:])

    def said(self):
        return Path(self.file).read_text("utf-8", "replace") if os.path.exists(self.file) else ""

    def hear(self, pattern, timeout=45):
        """Waits until Orca says something matching pattern after what was heard before; returns the match."""
        found = wait(
            lambda: re.search(pattern, self.said()[self.heard :]), "Orca to say %r" % pattern, None, timeout
        )
        self.heard += found.end()
        return found


def play(session, orca):
    """Plays from the start window to the name in the table; returns the attempts."""
    press = session.key
    # The start window is a dialog: its texts are read as it appears, then the focus, heard as it moves.
    orca.hear(r"(?s)dialog \S.{60,}?\s+Start push button")
    press("Tab")
    orca.hear(r"Quelltext \? push button")
    press("KP_Enter")
    orca.hear(r"Quelltext \?")
    press("shift+Tab")
    orca.hear(r"Start push button")
    # One key, one action: where-am-I at once after Start reaches Orca alone, even when Orca answers Qt's
    # bridge too late, and the game has not begun: the level menu is still open to a choice.
    session.run("xdotool", "key", "Return", "sleep", 0.2, "key", "KP_Enter")
    orca.hear(r"Spiel beginnen push button")
    press("alt+h", "Return")
    orca.hear(r"(?s)Spielanleitung.*?Ok push button\.\s*Mit Tab zu den Spielregeln")
    press("Tab")
    orca.hear(r"Spielregeln read only text\.\s*Finden Sie die richtige Kombination")
    press("Down")
    orca.hear(r"heraus, um zu gewinnen !")
    press("KP_Add")  # say-all, to the last sentence
    orca.hear(r"(?s)Ziel des Spiels.*?die Lösung anzeigen lassen\.")
    press("Escape")
    orca.hear(r"Spiel beginnen push button")

    # Superbrain: five attempts, and the player hears which rows the masks hide.
    press("alt+o")
    orca.hear(r"Schwierigkeitsgrad\.")
    press("Right")
    orca.hear(r"Einfach")
    press("Down", "Down", "Return")
    orca.hear(r"Superbrain gewählt, Reihen 6 bis 10 abgedeckt")

    left, attempt = CODES, 0
    press("Return")
    while True:
        attempt += 1
        assert attempt <= 5, "not cracked in the five attempts of Superbrain"
        if orca.hear(r"Das klappt !|Reihe %d, Spalte 1: leer push button" % attempt)[0] == "Das klappt !":
            press("Return")  # a code number of the redirected range tells so at the start
            orca.hear(r"Reihe 1, Spalte 1: leer push button")
        if attempt == 1:  # once the long way: Tab to the palette, pick a colour, back to the row
            session.key("Tab")
            orca.hear(r"Rot push button\.\s*Farbe wählen")
            session.key("space")
            orca.hear(r"Rot gewählt")
            orca.hear(r"Reihe 1, Spalte 1: leer push button")
            # The menus from a hole, the greyed level choice named, every move heard.
            press("alt+o")
            orca.hear(r"Schwierigkeitsgrad grayed")
            press("Down")
            orca.hear(r"Highscore")
            press("Escape", "Escape", "alt+h")
            orca.hear(r"Anleitung")
            press("Escape", "Escape")
            orca.hear(r"Reihe 1, Spalte 1: leer push button")
        guess = next_guess(left)
        for column, colour in enumerate(guess, 1):
            press(str(colour))  # the placement in at most six words
            orca.hear(r"\n(\w+ )?Spalte %d: %s\.?\n" % (column, COLOURS[colour - 1]))
            orca.hear(r"Spalte %d: leer push button" % (column + 1) if column < 4 else r"Zeigen push button")
        press("Return")
        lamps = orca.hear(r"Reihe %d: richtige Positionen und Farben (\d), richtige Farben (\d)" % attempt)
        heard = int(lamps[1]), int(lamps[2])
        if heard[0] == 4:
            break
        left = [c for c in left if feedback(guess, c) == heard]
        orca.hear(r"Nächster Versuch push button")
        press("1")  # a digit with no hole to go to says why
        orca.hear(r"Reihe %d ist gezeigt, weiter mit Nächster Versuch" % attempt)
        press("Return")

    orca.hear(r"Code geknackt !")
    press("Return")
    orca.hear(r"Die richtige Kombination: " + ", ".join(COLOURS[c - 1] for c in guess))
    press("Return")
    orca.hear(r"Highscore")
    session.run("xdotool", "type", "--delay", 60, "Blinde Kuh")
    press("Tab")  # the table's five names, the new one among them
    orca.hear(r"OK push button\.\s*1 Versuch: [^.]+\.(\s*\d Versuche: [^.]+\.){4}")
    assert "Blinde Kuh." in orca.said()[orca.heard - 200 :], "the new name is not in the table read out"
    hints = orca.said().count("Ziffer 1 bis 6")  # an alert at the first hole may cut it short
    assert hints == 1 or hints == 0 < orca.said().count("Das klappt"), "the key hint heard %d times" % hints
    press("Return")  # the table saved, and a fresh board heard as it appears
    orca.hear(r"Farbrix v\.\s+1\.0 frame\.\s+Spiel beginnen push button")
    stored = open(os.path.join(session.play, "TESTFILE"), "rb").read()
    assert re.findall(rb'"([^"]*)"', stored)[attempt - 1] == b"Blinde Kuh", "TESTFILE holds %r" % stored
    return attempt


def main():
    session = Session()
    try:
        orca = Orca(session)
        art = os.environ["FARBRIX_ARTWORK_DIR"]
        pictures = {n: open(os.path.join(art, n), "rb").read() for n in os.listdir(art) if "ring" in n}
        session.start_game(os.environ["FARBRIX_BINARY"], pictures)
        try:
            print("won by ear in %d attempts" % play(session, orca))
        except AssertionError as failure:
            sys.exit("%s\nOrca said, from the last step on:\n%s" % (failure, orca.said()[orca.heard :]))
    finally:
        if "orca" in locals():  # what was heard, left in the build folder for a reader
            with open("orca-speech.txt", "w", encoding="utf-8") as f:
                f.write(orca.said())
        session.close()


if __name__ == "__main__":
    main()
