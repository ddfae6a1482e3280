import os
import subprocess
import tempfile
import time
import unittest

from e2e_common import MAIN_TITLE, ProgramTestCase

LOGO = (3, 367, 93, 80)
CLOSE_BUTTON = (4, 40, 55, 33)


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


class MainWindow(ProgramTestCase):
    def test_logo_opens_the_about_dialog_and_escape_closes_it(self):
        program = self.start()
        main = program.main_window()
        x, y = centre(LOGO)
        for dx in (-20, 20):
            # The second round also shows that the first Escape left the program running. It clicks
            # elsewhere on the logo, or a quick second click would make a double click.
            self.session.click(main, x + dx, y)
            self.session.wait_window(MAIN_TITLE, count=2, pid=program.proc.pid)
            self.session.run("xdotool", "key", "Escape")
            deadline = time.monotonic() + 5
            while time.monotonic() < deadline and len(self.session.find_windows(MAIN_TITLE, program.proc.pid)) != 1:
                time.sleep(0.02)
            self.assertEqual(self.session.find_windows(MAIN_TITLE, program.proc.pid), [main])

    def test_close_button_ends_the_program_with_code_0(self):
        program = self.start()
        main = program.main_window()
        self.session.click(main, *centre(CLOSE_BUTTON))
        self.assertEqual(program.wait_exit(2), 0)

    def pixels(self, path):
        """(width, height, RGB bytes) of a PNG, read through ImageMagick."""
        size = self.session.run("identify", "-format", "%w %h", path).stdout.split()
        raw = subprocess.run(["convert", path, "rgb:-"], capture_output=True, check=True).stdout
        return int(size[0]), int(size[1]), raw

    def test_only_the_logo_changes_between_two_screenshots(self):
        program = self.start()
        main = program.main_window()
        # Park the pointer outside the window so that no hover look changes anything.
        self.session.run("xdotool", "mousemove", "0", "0")
        folder = tempfile.mkdtemp(prefix="pc-shots-")
        shot = lambda name: self.pixels(self.session.screenshot(os.path.join(folder, name), main))

        def next_change(previous, deadline):
            while time.monotonic() < deadline:
                time.sleep(0.05)
                current = shot("b.png")
                if current[2] != previous[2]:
                    return current
            return previous

        # The first change may still be start-up's own painting; the next one is the logo moving,
        # and nothing else may change with it.
        deadline = time.monotonic() + 10
        first = next_change(shot("a.png"), deadline)
        second = next_change(first, deadline)
        width, height, a = first
        self.assertEqual((width, height), (769, 479))
        b = second[2]
        changed = [(i // 3) for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3]]
        self.assertTrue(changed, "the logo did not move within 10 s")
        xs = [p % width for p in changed]
        ys = [p // width for p in changed]
        lx, ly, lw, lh = LOGO
        self.assertTrue(lx <= min(xs) and max(xs) < lx + lw and ly <= min(ys) and max(ys) < ly + lh,
                        f"pixels changed outside the logo: x {min(xs)}..{max(xs)}, y {min(ys)}..{max(ys)}")

    def logo_pixels(self, main, folder):
        width, _, raw = self.pixels(self.session.screenshot(os.path.join(folder, "logo.png"), main))
        lx, ly, lw, lh = LOGO
        return b"".join(raw[3 * (y * width + lx):3 * (y * width + lx + lw)] for y in range(ly, ly + lh))

    def assert_logo_moves(self, main, folder, seconds=5):
        deadline = time.monotonic() + seconds
        first = self.logo_pixels(main, folder)
        while time.monotonic() < deadline:
            if self.logo_pixels(main, folder) != first:
                return
        self.fail(f"the logo did not move within {seconds} s")

    def map_state(self, wid):
        out = self.session.run("xwininfo", "-id", str(wid), check=False).stdout
        return out.split("Map State:")[1].split()[0] if "Map State:" in out else None

    def wait_for(self, what, condition, seconds=5):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(0.03)
        self.fail(f"no {what} within {seconds} s")

    def test_logo_plays_on_after_the_window_was_minimised(self):
        program = self.start()
        main = program.main_window()
        self.session.run("xdotool", "mousemove", "0", "0")
        folder = tempfile.mkdtemp(prefix="pc-shots-")
        self.assert_logo_moves(main, folder)
        place = self.session.client_geometry(main)
        self.session.run("xdotool", "windowminimize", "--sync", str(main))
        self.wait_for("minimised window", lambda: self.map_state(main) == "IsUnMapped")
        self.session.run("xdotool", "windowactivate", "--sync", str(main), check=False)
        # Back on the screen and at its place (the window manager puts it back there).
        self.wait_for("restored window", lambda: self.map_state(main) == "IsViewable"
                      and self.session.client_geometry(main) == place)
        self.assert_logo_moves(main, folder)
        self.assertIsNone(program.wait_exit(0), "the program ended")


if __name__ == "__main__":
    unittest.main()
