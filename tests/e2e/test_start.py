"""Start window, the board as it first appears, the about window and quitting,
driven through a real X server."""

import time

import farbrix
import xsession
from farbrix import DESIGN, BOARD_TITLE


class StartAndLeave(farbrix.GameTestCase):

    def test_start_window_leads_to_the_board_with_grey_lamps_and_coloured_palette(self):
        with self.new_game():
            session = self.session
            splash = session.wait_untitled_window()
            # Frameless and centred: its own area is all there is of it.
            screen_w, screen_h = session.size
            border = 2 * farbrix.START_BORDER
            self.assertEqual((splash.rect.width, splash.rect.height),
                             (farbrix.START_CLIENT_SIZE[0] + border, farbrix.START_CLIENT_SIZE[1] + border))
            self.assertLessEqual(abs(splash.rect.x + splash.rect.width / 2 - screen_w / 2), 1)
            self.assertLessEqual(abs(splash.rect.y + splash.rect.height / 2 - screen_h / 2), 1)

            board = self.player.open_board()
            self.assertEqual(len(session.windows(BOARD_TITLE)), 1)
            # openbox keeps the position a program asks for.
            self.assertEqual((board.x, board.y), (DESIGN.screen_left, DESIGN.screen_top),
                             "the board's top-left corner on the screen")
            self.assertEqual(session.managed_windows()[0].wid, board.window.wid,
                             "the start window is gone, the board is the only window")
            shot = session.screenshot()

            not_grey = [(row, shape, board.lamp_colour(shot, row, shape))
                        for row in range(10) for shape in range(1, 9)
                        if board.lamp_state(shot, row, shape) != "grey"]
            self.assertEqual(not_grey, [], "lamps that are not grey at the start")

            palette = {n: self.player.palette_colour(shot, n) for n in range(1, 7)}
            self.assertEqual(palette, {n: n for n in range(1, 7)},
                             "palette balls by colour number (None: no ball colour recognised)")

            empty = [(row, column) for row in range(10) for column in range(1, 5)
                     if self.player.ring_colour(shot, row, column) is not None]
            self.assertEqual(empty, [], "holes that show a ball before any was placed")

    def test_about_window_runs_its_credits_line_and_closes_with_escape(self):
        with self.new_game():
            session = self.session
            board = self.player.open_board()
            self.player.menu(("alt+h", 1), ("Down Return", 0))  # Hilfe > Über
            about = self.player.wait_new_window({board.window.wid})
            self.assertEqual((about.rect.width, about.rect.height), (330, 393))

            band = xsession.Rect(about.rect.x, about.rect.y + 296, about.rect.width, 27)
            green = (0, 192, 0)

            def credits_shown(shot):
                return any(farbrix.close_to(shot.pixel(x, y), green, 40)
                           for y in range(band.y, band.y + band.height)
                           for x in range(band.x, band.x + band.width, 2))

            session.wait_for_screen(credits_shown, "the green credits line")
            # Everything but the credits must have settled before comparing:
            # the window manager repaints frames when the focus moves.
            outside_band = self._outside(band)
            last = [None]

            def settled(shot):
                now = [shot.crop(r).rgb for r in outside_band]
                done = now == last[0]
                last[0] = now
                return done
            session.wait_for_screen(settled, "the screen outside the credits line to settle")

            first = session.screenshot()
            time.sleep(0.5)
            second = session.screenshot()
            changed = first.differing_pixels(second)
            self.assertTrue(changed, "the credits line did not move in 0.5 s")
            stray = [p for p in changed if not band.contains(*p)]
            self.assertEqual(stray[:10], [], "pixels that changed outside the credits line")
            self.assertTrue(credits_shown(second), "the credits line left no green in its band")

            session.activate(about.wid)
            session.key("Escape")
            session.wait_window_gone(about.wid)
            self.assertEqual([w.wid for w in session.managed_windows()], [board.window.wid])

    def _outside(self, band):
        """The screen without the band, as rectangles."""
        w, h = self.session.size
        bottom = band.y + band.height
        return [xsession.Rect(0, 0, w, band.y), xsession.Rect(0, bottom, w, h - bottom),
                xsession.Rect(0, band.y, band.x, band.height),
                xsession.Rect(band.x + band.width, band.y, w - band.x - band.width, band.height)]

    def test_beenden_ends_the_program_at_once(self):
        with self.new_game() as game:
            self.player.open_board()
            self.player.begin_game()
            self.player.place(1, 0, 1)
            self.player.menu(("alt+s", 1), ("Down Return", 0))  # Spiel > Beenden
            self.assertEqual(game.wait_exit(3.0), 0)
            self.assertEqual(self.session.managed_windows(), [])

    def test_program_ends_with_its_last_window(self):
        # Closing the board leaves the about window, and the program, running;
        # unloading that last window by Esc then ends the program.
        with self.new_game() as game:
            session = self.session
            board = self.player.open_board()
            self.player.menu(("alt+h", 1), ("Down Return", 0))  # Hilfe > Über
            about = self.player.wait_new_window({board.window.wid})
            session.activate(board.window.wid)
            session.key("alt+F4")
            session.wait_window_gone(board.window.wid)
            self.assertIsNone(game.process.poll(), "the game ended with the about window still open")
            session.activate(about.wid)
            session.key("Escape")
            self.assertEqual(game.wait_exit(5.0), 0)


if __name__ == "__main__":
    farbrix.main()
