import os
import signal
import time
import unittest

from e2e_common import MAIN_TITLE, ProgramTestCase

# How long an ending may take: the address sanitizer's leak check runs at the exit.
EXIT_SECONDS = 10


class StartAndClose(ProgramTestCase):
    def test_main_window_title_and_client_size(self):
        program = self.start()
        wid = program.main_window()
        _, _, width, height = self.session.client_geometry(wid)
        self.assertEqual((width, height), (769, 479))
        self.assertEqual(self.session.window_count(MAIN_TITLE), 1)

    def test_window_icon_is_set_without_the_image_format_plug_ins(self):
        program = self.start()
        wid = program.main_window()
        icon = self.session.run("xprop", "-id", str(wid), "_NET_WM_ICON").stdout
        self.assertIn("Icon (32 x 32)", icon)
        # The about dialog up: every window, with all their pictures, has been made by now.
        self.session.click(wid, 3 + 46, 367 + 40)
        self.session.wait_window(MAIN_TITLE, count=2, pid=program.proc.pid)
        # The program's pictures are PNG, read by name; guessing a format loads every plug-in.
        with open(f"/proc/{program.proc.pid}/maps") as f:
            plugins = sorted({line.split()[-1] for line in f if "/imageformats/" in line})
        self.assertEqual(plugins, [])

    def test_escape_ends_the_program_with_code_0(self):
        program = self.start()
        wid = program.main_window()
        started = time.monotonic()
        self.session.key(wid, "Escape")
        self.assertEqual(program.wait_exit(2), 0)
        self.assertLess(time.monotonic() - started, 2)

    def test_close_request_ends_the_program_with_code_0(self):
        program = self.start()
        wid = program.main_window()
        self.session.close_request(wid)
        self.assertEqual(program.wait_exit(EXIT_SECONDS), 0)

    def test_arguments_and_working_folder_change_nothing(self):
        program = self.start("--platform", "nothing", "-style", "windows", "-reverse", "file.txt")
        wid = program.main_window()
        _, _, width, height = self.session.client_geometry(wid)
        self.assertEqual((width, height), (769, 479))
        self.session.key(wid, "Escape")
        self.assertEqual(program.wait_exit(EXIT_SECONDS), 0)
        self.assertEqual(program.leftover_files(), [])

    def test_session_end_signals_end_the_program_with_code_0(self):
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            with self.subTest(signal=sig.name):
                program = self.start()
                program.main_window()
                program.proc.send_signal(sig)
                self.assertEqual(program.wait_exit(EXIT_SECONDS), 0)

    def test_session_end_as_soon_as_the_program_catches_it_ends_it_with_code_0(self):
        # The program promises to honour the signal from the moment its handler is installed, its
        # first instruction, long before the application or any window exists.
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            with self.subTest(signal=sig.name):
                program = self.start()
                program.wait_catching(sig)
                program.proc.send_signal(sig)
                self.assertEqual(program.wait_exit(EXIT_SECONDS), 0)

    def test_session_end_while_the_windows_are_built_ends_the_program_with_code_0(self):
        shim = os.environ.get("PC_STOP_AT_FIRST_FONT")
        if not shim:
            self.skipTest("PC_STOP_AT_FIRST_FONT is not set")
        extra = {"LD_PRELOAD": shim}
        if "ASAN_OPTIONS" in os.environ:
            # The preloaded library comes before the sanitizer's runtime in the load order.
            extra["ASAN_OPTIONS"] = os.environ["ASAN_OPTIONS"] + ":verify_asan_link_order=0"
        # The program stops itself as it opens its first font, early in its start-up work, or as it
        # opens the serif face, which only the about dialog's headings use: that dialog is being
        # built, which the program does when the dialogs are first needed (here: the logo is clicked).
        for font in ("", "LiberationSerif"):
            for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
                with self.subTest(font=font or "first", signal=sig.name):
                    program = self.start(extra_env={**extra, "PC_STOP_AT_FONT": font} if font else extra)
                    if font:
                        self.session.click(program.main_window(), 3 + 46, 367 + 40)
                    program.wait_until(program.stopped, f"the program stops at the font {font or 'it opens first'}")
                    program.proc.send_signal(sig)
                    program.proc.send_signal(signal.SIGCONT)
                    self.assertEqual(program.wait_exit(EXIT_SECONDS), 0)


if __name__ == "__main__":
    unittest.main()
