"""Where the windows open: each centred on the screen, frame included, on its first showing as on
every later one."""

import re
import time
import unittest

from e2e_common import MAIN_TITLE, ProgramTestCase, XSession

SCREEN = (1600, 1200)

# Where each dialog's opener is clicked (client coordinates of the main window), twice: the second
# click lands a few pixels from the first, so that the two are never taken for a double click.
OPENERS = {
    "details": [(61 + 39 * 7 + 10, 75 + 39 * 3 + 10), (61 + 39 * 7 + 25, 75 + 39 * 3 + 25)],  # tile 26
    "category": [(61 + 8, 42 + 8), (61 + 30, 42 + 22)],                                      # heading "1A"
    "about": [(3 + 20, 367 + 20), (3 + 70, 367 + 60)],                                        # the logo
}


class Placement(ProgramTestCase):
    def setUp(self):
        self.session = XSession(*SCREEN).__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)

    def frame_extents(self, wid):
        """(left, right, top, bottom) of the frame the window manager gave the window."""
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            out = self.session.run("xprop", "-id", str(wid), "_NET_FRAME_EXTENTS", check=False).stdout
            found = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", out)
            if found:
                return tuple(int(v) for v in found.groups())
            time.sleep(0.02)
        self.fail(f"window {wid:#x} got no frame")

    def assert_centred(self, wid, client):
        left, right, top, bottom = self.frame_extents(wid)
        x, y, width, height = client
        frame_centre = (x - left + (left + width + right) / 2, y - top + (top + height + bottom) / 2)
        for axis in (0, 1):
            self.assertLessEqual(abs(frame_centre[axis] - SCREEN[axis] / 2), 1,
                                 f"frame centred at {frame_centre}, client at {client}")

    def wait_active(self, wid):
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and self.session.active_window() != wid:
            time.sleep(0.02)
        self.assertEqual(self.session.active_window(), wid)

    def open_dialog(self, program, main, at):
        """Opens a dialog by a click at `at`; returns its window and its place when first seen and
        once it is active."""
        self.session.activate(main)
        self.session.click(main, *at)
        found = self.session.wait_window(MAIN_TITLE, count=2, pid=program.proc.pid)
        dialog = next(w for w in found if w != main)
        seen = self.session.client_geometry(dialog)
        self.wait_active(dialog)
        return dialog, seen, self.session.client_geometry(dialog)

    def close_dialog(self, program, dialog):
        self.session.key(dialog, "Escape")
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and len(self.session.find_windows(MAIN_TITLE, program.proc.pid)) != 1:
            time.sleep(0.02)
        self.assertEqual(len(self.session.find_windows(MAIN_TITLE, program.proc.pid)), 1)

    def test_windows_open_centred_and_in_one_place(self):
        program = self.start()
        main = program.main_window()
        self.wait_active(main)
        self.assert_centred(main, self.session.client_geometry(main))
        for name, clicks in OPENERS.items():
            with self.subTest(dialog=name):
                places = []
                for at in clicks:
                    dialog, seen, settled = self.open_dialog(program, main, at)
                    try:
                        self.assertEqual(seen, settled, "the dialog moved after it appeared")
                        self.assert_centred(dialog, settled)
                        places.append(settled)
                    finally:
                        self.close_dialog(program, dialog)
                self.assertEqual(places[0], places[1], "the first showing opened elsewhere than the second")


if __name__ == "__main__":
    unittest.main()
