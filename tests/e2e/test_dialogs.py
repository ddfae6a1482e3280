"""The details and category dialogs in the real program: opened by a tile click and F5, closed by Escape."""

import subprocess
import time
import unittest

from e2e_common import MAIN_TITLE, ProgramTestCase

# Tile 26 (Fe): period 4, column 8 of the 39-pixel grid that starts at (61, 75).
TILE_26_CENTRE = (61 + 39 * 7 + 19, 75 + 39 * 3 + 19)
DETAILS_SIZE = (641, 329)
CATEGORY_SIZE = (471, 368)


class DetailsAndCategory(ProgramTestCase):
    def wait_active(self, wid, timeout=5):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.session.active_window() == wid:
                return
            time.sleep(0.03)
        self.fail(f"window {wid:#x} did not become active; active is {self.session.active_window()!r}")

    def wait_count(self, program, count, timeout=5):
        return self.session.wait_count(MAIN_TITLE, count, program.proc.pid, timeout)

    def press(self, keys):
        # Sent to whichever window has the focus, as a user's key press is.
        self.session.run("xdotool", "key", "--clearmodifiers", keys)

    def test_tile_f5_and_three_escapes(self):
        program = self.start()
        main = program.main_window()
        self.session.activate(main)
        self.session.click(main, *TILE_26_CENTRE)

        windows = self.wait_count(program, 2)
        details = next(w for w in windows if w != main)
        self.assertEqual(self.session.client_geometry(details)[2:], DETAILS_SIZE)
        self.wait_active(details)

        self.press("F5")
        windows = self.wait_count(program, 3)
        category = next(w for w in windows if w not in (main, details))
        self.assertEqual(self.session.client_geometry(category)[2:], CATEGORY_SIZE)
        self.wait_active(category)

        self.press("Escape")
        self.wait_count(program, 2)
        self.assertIn(details, self.session.find_windows(MAIN_TITLE, program.proc.pid))
        self.wait_active(details)

        self.press("Escape")
        self.assertEqual(self.wait_count(program, 1), [main])
        self.wait_active(main)
        # Still running after that Escape: the tile opens the details dialog again (clicked off its
        # centre, so that a quick second click is not a double click).
        self.session.click(main, TILE_26_CENTRE[0] - 10, TILE_26_CENTRE[1] - 10)
        windows = self.wait_count(program, 2)
        self.wait_active(next(w for w in windows if w != main))
        self.press("Escape")
        self.assertEqual(self.wait_count(program, 1), [main])
        self.wait_active(main)

        self.press("Escape")
        self.assertEqual(program.wait_exit(3), 0)


if __name__ == "__main__":
    unittest.main()
