"""The board on a high-DPI screen: the game started with QT_SCALE_FACTOR=1
and =2 in a real X session. At 2 every control lies where it lies at 1, in
logical pixels, and the rings' edges are as sharp per screen pixel as at 1,
which only artwork drawn for the density gives: a picture scaled up from its
design size blurs each edge over two screen pixels."""

import statistics

import farbrix
import xsession
from farbrix import DESIGN, BOARD_TITLE, START_BUTTON, close_to


def luma(p):
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]


class HighDpi(farbrix.GameTestCase):

    # Room for the board at twice its size, where the design puts it.
    SCREEN_SIZE = (1600, 1600)

    def open_board(self, factor):
        session = self.session
        splash = session.wait_untitled_window()
        x, y = START_BUTTON.centre()
        session.click_in(splash, x * factor, y * factor)
        window = session.wait_window(BOARD_TITLE)
        session.wait_window_gone(splash.wid)
        # The client area is the window's lower part, below the menu bar.
        origin = (window.rect.x, window.rect.y + window.rect.height - DESIGN.client_height * factor)
        light_blue_bar = lambda shot: close_to(shot.pixel(origin[0] + 2, origin[1] + 100 * factor),
                                               DESIGN.light_blue, 8)
        shot = session.wait_for_screen(light_blue_bar, "the board painted")
        session.save_screenshot("scale-%d" % factor, shot)
        return window, origin, shot

    def edge_detail(self, shot, origin, factor, row, column):
        """How much a ring's edge profile changes from one screen pixel to the
        next within the same pair of pixels: across the left side of the
        ring, from the ground through the copper band. A picture scaled up
        from its design size repeats or blends each pixel, and its pairs
        barely differ; one drawn for the density keeps detail at every
        screen pixel: about half the change per screen pixel that scale 1
        shows, as the same edge is spread over twice the pixels."""
        x0, y0 = DESIGN.rings[row][column - 1]
        cx = origin[0] + x0 * factor + DESIGN.ring_size * factor // 2
        cy = origin[1] + y0 * factor + DESIGN.ring_size * factor // 2
        start = cx - 18 * factor
        start -= (start - origin[0]) % 2  # pairs begin on an even screen pixel of the board
        profile = [luma(shot.pixel(x, cy)) for x in range(start, cx - 8 * factor)]
        pairs = list(zip(profile[0::2], profile[1::2]))
        return statistics.mean(abs(a - b) for a, b in pairs)

    def test_layout_stays_and_rings_stay_sharp_at_twice_the_density(self):
        measured = {}
        for factor in (1, 2):
            with self.new_game({"QT_SCALE_FACTOR": str(factor)}):
                window, origin, shot = self.open_board(factor)
                self.assertEqual(window.rect.width, DESIGN.client_width * factor, "board width")
                # The design puts the client area's corner on the screen.
                self.assertEqual(origin, (DESIGN.screen_left * factor, DESIGN.screen_top * factor),
                                 "board position at scale %d" % factor)

                # The light blue bar ends where the design ends it.
                bar = DESIGN.label9.width * factor
                y = origin[1] + 100 * factor
                self.assertTrue(close_to(shot.pixel(origin[0] + bar - 1, y), DESIGN.light_blue, 8))
                self.assertFalse(close_to(shot.pixel(origin[0] + bar, y), DESIGN.light_blue, 8))

                # Every ring: dark in its hole, copper on its band.
                misplaced = []
                for row in range(10):
                    for column in range(1, 5):
                        x0, y0 = DESIGN.rings[row][column - 1]
                        half = DESIGN.ring_size / 2
                        cx, cy = origin[0] + (x0 + half) * factor, origin[1] + (y0 + half) * factor
                        hole = shot.mean(int(cx), int(cy), factor)
                        band = shot.mean(int(cx + 12 * factor), int(cy), factor)
                        if max(hole) > 50 or not (band[0] > band[1] > band[2] and band[0] > 90):
                            misplaced.append((row, column, hole, band))
                self.assertEqual(misplaced, [], "rings not under their holes at scale %d" % factor)

                measured[factor] = statistics.median(
                    self.edge_detail(shot, origin, factor, row, column)
                    for row in range(10) for column in range(1, 5))

        print("ring edge detail per screen pixel (median of 40 rings): %.1f at scale 1, %.1f at scale 2"
              % (measured[1], measured[2]))
        self.assertGreaterEqual(measured[2], 0.3 * measured[1],
                                "ring edges at scale 2 are softer than at scale 1")


if __name__ == "__main__":
    farbrix.main()
