"""A game won in one attempt and the winner's name stored in the highscore
table, driven through a real X server."""

import os

import farbrix
import xsession
from farbrix import BOARD_TITLE, HIGHSCORE_TITLE, MESSAGE_TITLE, RESULT_TITLE


class WinAndHighscore(farbrix.GameTestCase):

    NAME = "Jürgen, der Große"
    # The other boxes keep the names the table starts with.
    EXPECTED = ('"Jürgen, der Große","Mr Ringelmond","Tueftelino","Dr Kugelbart","Knobelkater"'
                "\r\n").encode("cp1252")

    def test_win_in_one_attempt_stores_the_typed_name_in_windows_1252(self):
        with self.new_game() as game:
            session, player = self.session, self.player
            board = player.open_board()
            player.begin_game()
            solution = player.reveal_solution()

            player.place_row(solution, 0)
            player.show_guess()
            session.wait_for_steady(
                lambda sh: [board.lamp_state(sh, 0, s) for s in range(1, 9)] == ["red"] * 8,
                "all eight lamps of row 0 to light")
            player.answer_message("Return")  # Code geknackt !

            result = session.wait_window(RESULT_TITLE)
            self.assertEqual(player.read_result(result), solution)
            session.click_in(result, *player.RESULT_OK.centre())
            session.wait_window_gone(result.wid)

            scores = session.wait_window(HIGHSCORE_TITLE)
            self.assertFalse(os.path.exists(os.path.join(game.play_dir, "TESTFILE")))
            session.activate(scores.wid)
            # The box for one attempt has the focus, its old name unselected.
            session.key("ctrl+a")
            session.type_text(self.NAME)
            session.click_in(scores, *player.HIGHSCORE_OK.centre())
            session.wait_window_gone(scores.wid)

            path = os.path.join(game.play_dir, "TESTFILE")
            xsession.wait_for(lambda: os.path.exists(path), "TESTFILE to be written")
            self.assertEqual(game.read_file("TESTFILE"), self.EXPECTED)
            self.assertEqual(set(os.listdir(game.play_dir)),
                             xsession.Game.picture_files() | {"TESTFILE"},
                             "the play directory holds the pictures and the table, nothing else")

            # The board is replaced by a fresh one: nothing placed, nothing lit.
            def replaced():
                shown = session.windows(BOARD_TITLE)
                return len(shown) == 1 and shown[0].wid != board.window.wid and shown[0]
            fresh = farbrix.Board(session, xsession.wait_for(replaced, "a new board window"))
            player.board = fresh
            state = session.wait_for_steady(
                lambda sh: ([player.ring_colour(sh, 0, c) for c in range(1, 5)],
                            [fresh.lamp_state(sh, 0, s) for s in range(1, 9)]),
                "the board to settle after the highscores")
            self.assertEqual(state, ([None] * 4, ["grey"] * 8), "row 0 after the restart")
            self.assertFalse(session.windows(MESSAGE_TITLE))


if __name__ == "__main__":
    farbrix.main()
