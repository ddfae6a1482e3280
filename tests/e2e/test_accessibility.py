"""Reads the running program as a screen reader does, through the AT-SPI registry."""

import os
import shutil
import subprocess
import time
import unittest

from e2e_common import MAIN_TITLE, ProgramTestCase

try:
    import pyatspi
except ImportError:  # pragma: no cover - the package is part of the set-up
    pyatspi = None

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# Row 26 of the catalogue as the details dialog shows it, caption by caption.
IRON = {
    "Atom Numarası": "26",
    "Sembol": "Fe",
    "Atomik Yığın": "55.845 amu",
    "Erime Noktası": "1535.0 °C (1808.15 °K, 2795.0 °F)",
    "Kaynama Noktası": "2750.0 °C (3023.15 °K, 4982.0 °F)",
    "Prt.ve Elek.Sayısı": "26",
    "Nötron Sayısı": "30",
    "Sınıfı": "Geçiş Elementleri",
    "Kristal Yapısı": "Kübik",
    "Yoğunluk": "7.86 g/cm3",
    "Elektron Dizilişi": "",
    "Bulunuş Tarihi": "Bilinmiyor",
    "Buluşu Yapan": "Bilinmiyor",
    "Kullanım Alanı": "",
    "Elde Ediliş Şekli": "",
}

HEADINGS = ["1A", "2A", "3B", "4B", "5B", "6B", "7B", "8B", "8B", "8B", "1B", "2B",
            "3A", "4A", "5A", "6A", "7A", "8A"]


def walk(node):
    stack = [node]
    while stack:
        current = stack.pop()
        if current is None:
            continue
        yield current
        try:
            stack.extend(current[i] for i in reversed(range(current.childCount)))
        except Exception:  # a node that went away while we read it
            continue


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


@unittest.skipIf(pyatspi is None, "python3-pyatspi is not installed")
@unittest.skipUnless(os.path.exists(BUS_LAUNCHER), "at-spi2-core is not installed")
class ScreenReaderView(ProgramTestCase):
    def setUp(self):
        super().setUp()
        if not self.session.bus_address:
            self.skipTest("no session bus")
        self.launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=self.session.env(),
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(self.launcher.terminate)
        # pyatspi talks to the session's bus and display.
        os.environ["DISPLAY"] = self.session.display
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.session.bus_address
        self.program = self.start(extra_env={"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        self.main = self.program.main_window()

    def application(self, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.name == "periyodik-cetvel" and app.childCount:
                    return app
            time.sleep(0.1)
        self.fail("the program is not on the accessibility bus")

    def window(self, title, role=None, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for w in self.application():
                if w is not None and w.name == title and (role is None or w.getRole() == role):
                    states = w.getState()
                    if states.contains(pyatspi.STATE_SHOWING):
                        return w
            time.sleep(0.1)
        self.fail(f"no window {title!r} with role {role}")

    # pyatspi keeps its first bus connection for the life of the process, so one test reads the
    # main window and then the details dialog in one session.
    def test_screen_reader_view(self):
        self.check_main_window_tiles_headings_and_period_labels()
        self.check_details_dialog_values_by_their_captions()

    def check_main_window_tiles_headings_and_period_labels(self):
        main = self.window(MAIN_TITLE, pyatspi.ROLE_FRAME)
        nodes = list(walk(main))
        buttons = [n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
        tiles = [b for b in buttons if b.description]
        self.assertEqual(len(tiles), 114)
        names = [t.name for t in tiles]
        self.assertEqual(len(set(names)), 114)
        for name in ("Hidrojen", "Demir", "Aliminyum", "Xenon", "Ununquadiyum"):
            self.assertIn(name, names)
        iron = next(t for t in tiles if t.name == "Demir")
        self.assertIn("26", iron.description)
        self.assertIn("Fe", iron.description)
        # A press through the accessible action is a click.
        actions = iron.queryAction()
        self.assertIn("Press", [actions.getName(i) for i in range(actions.nActions)])

        labels = [n.name.strip() for n in nodes if n.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC)]
        for heading in set(HEADINGS):
            self.assertEqual(labels.count(heading), HEADINGS.count(heading), heading)
        for period in range(1, 8):
            self.assertIn(f"{period}.Periyot", labels)

    def check_details_dialog_values_by_their_captions(self):
        self.session.click(self.main, 336 + 17, 194 + 17)
        dialog = self.window(MAIN_TITLE, pyatspi.ROLE_DIALOG)
        labels = [n for n in walk(dialog) if n.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC)]
        self.assertIn("Demir", [n.name for n in labels])
        for caption, value in IRON.items():
            boxes = [n for n in labels if n.name == caption + " "]
            self.assertEqual(len(boxes), 1, caption)
            cx, cy, cw, _ = extents(boxes[0])
            # The value stands right of its caption, one pixel lower.
            beside = [n for n in labels if n is not boxes[0]
                      and abs(extents(n)[1] - (cy + 1)) <= 1 and 0 <= extents(n)[0] - (cx + cw) <= 8]
            self.assertEqual(len(beside), 1, caption)
            self.assertEqual(beside[0].name, value, caption)
        dialogs = [w for w in self.session.find_windows(MAIN_TITLE, self.program.proc.pid) if w != self.main]
        self.assertEqual(len(dialogs), 1)
        self.session.key(dialogs[0], "Escape")
        self.assertEqual(self.session.wait_count(MAIN_TITLE, 1, self.program.proc.pid, timeout=10), [self.main])


if __name__ == "__main__":
    unittest.main()
