import os
import signal
import time
import unittest

from e2e_common import MAIN_TITLE, ProgramTestCase


class StartAndClose(ProgramTestCase):
    def test_main_window_title_and_client_size(self):
        program = self.start()
        wid = program.main_window()
        _, _, width, height = self.session.client_geometry(wid)
        self.assertEqual((width, height), (769, 479))
        self.assertEqual(self.session.window_count(MAIN_TITLE), 1)

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
        self.assertEqual(program.wait_exit(2), 0)

    def test_arguments_and_working_folder_change_nothing(self):
        program = self.start("--platform", "nothing", "-style", "windows", "-reverse", "file.txt")
        wid = program.main_window()
        _, _, width, height = self.session.client_geometry(wid)
        self.assertEqual((width, height), (769, 479))
        self.session.key(wid, "Escape")
        self.assertEqual(program.wait_exit(2), 0)
        self.assertEqual(program.leftover_files(), [])

    def test_session_end_signals_end_the_program_with_code_0(self):
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            with self.subTest(signal=sig.name):
                program = self.start()
                program.main_window()
                program.proc.send_signal(sig)
                self.assertEqual(program.wait_exit(1), 0)

    def test_session_end_while_starting_up_ends_the_program_with_code_0(self):
        # From its first instruction on: the windows are still being built, no event loop runs yet.
        # (Before that the system is still loading the program's libraries, where no program can
        # answer a signal; that takes some milliseconds.)
        # The address sanitizer's own start-up comes before the program's first instruction.
        slower = 5 if "ASAN_OPTIONS" in os.environ else 1
        for delay in (0.02, 0.04, 0.08):
            delay *= slower
            with self.subTest(delay=delay):
                program = self.start()
                time.sleep(delay)
                program.proc.send_signal(signal.SIGTERM)
                self.assertEqual(program.wait_exit(1), 0)


if __name__ == "__main__":
    unittest.main()
