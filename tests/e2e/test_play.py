"""Playing on the board and the levels, driven through a real X server."""

import farbrix


def lit_from_the_left(states):
    """The number of red lamps if they form a run from the left and every
    other lamp is grey, else None."""
    reds = states.count("red")
    if states != ["red"] * reds + ["grey"] * (len(states) - reds):
        return None
    return reds


class Play(farbrix.GameTestCase):

    def test_guess_is_refused_or_scored_and_the_next_row_takes_over(self):
        with self.new_game():
            session, player = self.session, self.player
            board = player.open_board()
            player.begin_game()
            solution = player.reveal_solution()
            self.assertEqual(len(set(solution)), 4, "the hidden colours differ: %s" % solution)

            # One colour four times: refused, nothing lit, the row stays open.
            player.place_row([2, 2, 2, 2], 0)
            player.show_guess()
            player.answer_message("Return")
            shot = session.screenshot()
            self.assertEqual([board.lamp_state(shot, 0, s) for s in range(1, 9)], ["grey"] * 8,
                             "lamps after a refused guess")

            guess = [1, 2, 3, 4] if solution != [1, 2, 3, 4] else [2, 1, 3, 4]
            player.place_row(guess, 0)
            player.show_guess()
            exact = sum(g == s for g, s in zip(guess, solution))
            common = len(set(guess) & set(solution))

            def lamps(shot):
                right = [board.lamp_state(shot, 0, s) for s in range(5, 9)]
                return "red" in right and ([board.lamp_state(shot, 0, s) for s in range(1, 5)], right)
            left, right = session.wait_for_steady(lamps, "the lamps of row 0 to light")
            self.assertEqual(lit_from_the_left(right), common,
                             "right-hand lamps %s for %d common colours (guess %s, hidden %s)"
                             % (right, common, guess, solution))
            self.assertIn(common, (2, 3, 4))
            self.assertEqual(lit_from_the_left(left), exact,
                             "left-hand lamps %s for %d right positions (guess %s, hidden %s)"
                             % (left, exact, guess, solution))
            shot = session.screenshot()
            for row in range(1, 10):
                self.assertEqual([board.lamp_state(shot, row, s) for s in range(1, 9)], ["grey"] * 8,
                                 "lamps of row %d" % row)

            player.next_attempt()
            # Another colour than row 0 shows in column 1; then the same
            # colour into row 1. Once row 1 shows it, the earlier click on
            # row 0 has been handled too.
            other = 5 if guess[0] != 5 else 6
            holes = [board.ring_area(0, c) for c in range(1, 5)]
            shot = session.screenshot()
            before = [shot.crop(h).rgb for h in holes]
            player.pick(other)
            player.click_ring(0, 1)
            after = player.place(other, 1, 1)
            self.assertEqual([after.crop(h).rgb for h in holes], before,
                             "row 0 changed after it was closed")
            self.assertEqual([player.ring_colour(after, 0, c) for c in range(1, 5)], guess)

    def test_superbrain_masks_rows_five_to_nine_and_the_solution_shows_four_rings(self):
        with self.new_game():
            session, player = self.session, self.player
            board = player.open_board()
            before = session.screenshot()
            for row in range(10):
                for column in range(1, 5):
                    self.assertFalse(self._all_black(before, board.ring_area(row, column)),
                                     "hole %d/%d is black before any level" % (row, column))

            player.choose_level(2)  # Superbrain

            def rows(shot):
                return [([board.lamp_state(shot, row, s) for s in range(1, 9)],
                         [self._all_black(shot, board.ring_area(row, c)) for c in range(1, 5)])
                        for row in range(10)]
            seen = session.wait_for_steady(
                lambda shot: rows(shot)[9][0] == ["black"] * 8 and rows(shot),
                "black masks over the lower rows")
            for row, (lamps, holes) in enumerate(seen):
                if row < 5:
                    self.assertEqual(lamps, ["grey"] * 8, "lamps of open row %d" % row)
                    self.assertEqual(holes, [False] * 4, "holes of open row %d hidden" % row)
                else:
                    self.assertEqual(lamps, ["black"] * 8, "lamps of masked row %d" % row)
                    self.assertEqual(holes, [True] * 4, "holes of masked row %d shown" % row)

            player.begin_game()
            window = player.show_solution()
            solution = player.read_result(window)
            self.assertEqual(len(set(solution)), 4, "four different colours: %s" % solution)
            self.assertNotIn(None, solution)

    @staticmethod
    def _all_black(shot, rect):
        return all(max(shot.pixel(x, y)) <= 16
                   for y in range(rect.y, rect.y + rect.height)
                   for x in range(rect.x, rect.x + rect.width))


if __name__ == "__main__":
    farbrix.main()
