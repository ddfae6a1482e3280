"""Builds the Debian package, installs it, starts the installed program and removes it again."""

import glob
import os
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from e2e_common import MAIN_TITLE, Program, XSession  # noqa: E402

PACKAGE = "periyodik-cetvel"
APP_ID = "example.korvanta.PeriyodikCetvel"


def run(*args, **kwargs):
    return subprocess.run(list(args), capture_output=True, text=True, **kwargs)


@unittest.skipUnless(hasattr(os, "geteuid") and os.geteuid() == 0, "installing a package needs root")
@unittest.skipUnless(shutil.which("dpkg") and shutil.which("cpack"), "needs dpkg and cpack")
class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        build = os.environ["PC_BUILD_DIR"]
        out = os.path.join(build, "package-out")
        shutil.rmtree(out, ignore_errors=True)
        r = run("cpack", "-G", "DEB", "-B", out, cwd=build)
        if r.returncode != 0:
            raise AssertionError("cpack failed:\n" + r.stdout + r.stderr)
        debs = glob.glob(os.path.join(out, PACKAGE + "_*.deb"))
        if len(debs) != 1:
            raise AssertionError(f"expected one package, found {debs}")
        cls.deb = debs[0]
        r = run("dpkg", "-i", cls.deb)
        if r.returncode != 0:
            fix = run("apt-get", "-f", "install", "-y", "-qq")
            if fix.returncode != 0:
                raise AssertionError("package does not install:\n" + r.stdout + r.stderr + fix.stderr)

    @classmethod
    def tearDownClass(cls):
        run("dpkg", "-r", PACKAGE)

    def test_declares_its_run_time_dependencies(self):
        depends = run("dpkg-deb", "-f", self.deb, "Depends").stdout
        for needed in ("libqt6widgets6", "libqt6gui6", "libqt6core6", "fonts-liberation2"):
            self.assertIn(needed, depends)

    def test_installs_binary_desktop_entry_icons_and_metadata(self):
        files = run("dpkg", "-L", PACKAGE).stdout.split()
        self.assertIn("/usr/bin/periyodik-cetvel", files)
        self.assertIn(f"/usr/share/applications/{APP_ID}.desktop", files)
        self.assertIn(f"/usr/share/metainfo/{APP_ID}.metainfo.xml", files)
        for size in (16, 32, 48, 64, 128, 256):
            self.assertIn(f"/usr/share/icons/hicolor/{size}x{size}/apps/periyodik-cetvel.png", files)
        with open(f"/usr/share/applications/{APP_ID}.desktop", encoding="utf-8") as f:
            entry = f.read()
        self.assertIn("Name=Periyodik Cetvel\n", entry)
        self.assertIn("Categories=Education;Science;Chemistry;\n", entry)
        if shutil.which("desktop-file-validate"):
            r = run("desktop-file-validate", f"/usr/share/applications/{APP_ID}.desktop")
            self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        if shutil.which("appstreamcli"):
            r = run("appstreamcli", "validate", "--no-net", "--pedantic", f"/usr/share/metainfo/{APP_ID}.metainfo.xml")
            self.assertEqual(r.returncode, 0, r.stdout + r.stderr)

    def test_installed_program_starts_with_its_title(self):
        os.environ["PC_PROGRAM"] = "/usr/bin/periyodik-cetvel"
        with XSession() as session:
            program = Program(session)
            try:
                wid = program.main_window()
                self.assertTrue(session.find_windows(MAIN_TITLE, program.proc.pid))
                session.key(wid, "Escape")
                self.assertEqual(program.wait_exit(3), 0)
            finally:
                program.stop()


if __name__ == "__main__":
    unittest.main()
