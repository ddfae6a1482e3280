"""Builds the Debian package and checks it without touching the system's package database: its
control data, its files unpacked into a temporary folder, Debian's own checker, and the unpacked
program started on a virtual display.

Installing it for real (and removing it again) is an opt-in, for throw-away machines:
PC_TEST_SYSTEM_INSTALL=1, as root, and only when the package is not installed already.
"""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from e2e_common import MAIN_TITLE, Program, XSession, project_version  # noqa: E402

PACKAGE = "periyodik-cetvel"
APP_ID = "example.kvt.PeriyodikCetvel"
ICON_SIZES = (16, 32, 48, 64, 128, 256)
DOC = f"usr/share/doc/{PACKAGE}"


def run(*args, **kwargs):
    return subprocess.run(list(args), capture_output=True, text=True, **kwargs)


def build_package():
    build = os.environ["PC_BUILD_DIR"]
    out = os.path.join(build, "package-out")
    shutil.rmtree(out, ignore_errors=True)
    r = run("cpack", "-G", "DEB", "-B", out, cwd=build)
    if r.returncode != 0:
        raise AssertionError("cpack failed:\n" + r.stdout + r.stderr)
    debs = glob.glob(os.path.join(out, PACKAGE + "_*.deb"))
    if len(debs) != 1:
        raise AssertionError(f"expected one package, found {debs}")
    return debs[0]


def start_and_close(test, program_path):
    """Starts the program at program_path on a virtual display, checks its title, closes it."""
    os.environ["PC_PROGRAM"] = program_path
    with XSession() as session:
        program = Program(session)
        try:
            wid = program.main_window()
            test.assertTrue(session.find_windows(MAIN_TITLE, program.proc.pid))
            session.key(wid, "Escape")
            test.assertEqual(program.wait_exit(10), 0)
        finally:
            program.stop()


@unittest.skipUnless(shutil.which("dpkg-deb") and shutil.which("cpack"), "needs dpkg-deb and cpack")
class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.deb = build_package()
        cls.root = tempfile.mkdtemp(prefix="pc-package-")
        r = run("dpkg-deb", "-x", cls.deb, cls.root)
        if r.returncode != 0:
            raise AssertionError("dpkg-deb -x failed:\n" + r.stderr)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def path(self, relative):
        return os.path.join(self.root, relative)

    def field(self, name):
        return run("dpkg-deb", "-f", self.deb, name).stdout.strip()

    def test_control_data(self):
        self.assertEqual(self.field("Package"), PACKAGE)
        self.assertEqual(self.field("Version"), project_version())
        self.assertEqual(self.field("Maintainer"), "KORVANTA <destek@kvt.example>")
        self.assertEqual(self.field("Homepage"), "http://www.kvt.example/")
        depends = self.field("Depends")
        for needed in ("libqt6widgets6", "libqt6gui6", "libqt6core6", "fonts-liberation2"):
            self.assertIn(needed, depends)
        description = self.field("Description").splitlines()
        self.assertGreater(len(description), 2, "the description has no extended part")

    def test_files(self):
        expected = [
            "usr/bin/periyodik-cetvel",
            f"usr/share/applications/{APP_ID}.desktop",
            f"usr/share/metainfo/{APP_ID}.metainfo.xml",
            "usr/share/man/man1/periyodik-cetvel.1.gz",
            f"{DOC}/copyright",
            f"{DOC}/changelog.gz",
        ] + [f"usr/share/icons/hicolor/{s}x{s}/apps/periyodik-cetvel.png" for s in ICON_SIZES]
        for relative in expected:
            with self.subTest(file=relative):
                self.assertTrue(os.path.isfile(self.path(relative)))
        found = sorted(os.path.relpath(os.path.join(d, f), self.root)
                       for d, _, files in os.walk(self.root) for f in files)
        self.assertEqual(found, sorted(expected))

    def test_binary_is_stripped(self):
        sections = run("readelf", "-S", "-W", self.path("usr/bin/periyodik-cetvel")).stdout
        self.assertNotIn(".debug_info", sections)
        self.assertNotIn(".symtab", sections)

    def test_desktop_entry_and_metadata(self):
        entry_path = self.path(f"usr/share/applications/{APP_ID}.desktop")
        with open(entry_path, encoding="utf-8") as f:
            entry = f.read()
        self.assertIn("Name=Periyodik Cetvel\n", entry)
        self.assertIn("Exec=periyodik-cetvel\n", entry)
        self.assertIn("Icon=periyodik-cetvel\n", entry)
        self.assertIn("Categories=Education;Science;Chemistry;\n", entry)
        if shutil.which("desktop-file-validate"):
            r = run("desktop-file-validate", entry_path)
            self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        if shutil.which("appstreamcli"):
            r = run("appstreamcli", "validate", "--no-net", "--pedantic",
                    self.path(f"usr/share/metainfo/{APP_ID}.metainfo.xml"))
            self.assertEqual(r.returncode, 0, r.stdout + r.stderr)

    @unittest.skipUnless(shutil.which("lintian"), "lintian is not installed")
    def test_lintian_reports_no_error_and_no_warning(self):
        r = run("lintian", "--fail-on", "error,warning", "--display-level", ">=warning", self.deb)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertNotRegex(r.stdout, r"(?m)^[EW]: ")

    def test_unpacked_program_starts_with_its_title(self):
        start_and_close(self, self.path("usr/bin/periyodik-cetvel"))


def installed_version():
    r = run("dpkg-query", "-W", "-f", "${Status} ${Version}", PACKAGE)
    return r.stdout.split()[-1] if r.returncode == 0 and "install ok installed" in r.stdout else None


@unittest.skipUnless(os.environ.get("PC_TEST_SYSTEM_INSTALL") == "1", "PC_TEST_SYSTEM_INSTALL=1 is not set")
@unittest.skipUnless(hasattr(os, "geteuid") and os.geteuid() == 0, "installing a package needs root")
class SystemInstall(unittest.TestCase):
    """Installs the package with dpkg, starts the installed program and removes the package."""

    @classmethod
    def setUpClass(cls):
        if installed_version() is not None:
            raise unittest.SkipTest("the package is installed already; it stays as it is")
        cls.deb = build_package()
        r = run("dpkg", "-i", cls.deb)
        if r.returncode != 0:
            run("dpkg", "-r", PACKAGE)
            raise AssertionError("package does not install:\n" + r.stdout + r.stderr)

    @classmethod
    def tearDownClass(cls):
        run("dpkg", "-r", PACKAGE)

    def test_installed_files_and_program(self):
        files = run("dpkg", "-L", PACKAGE).stdout.split()
        self.assertIn("/usr/bin/periyodik-cetvel", files)
        self.assertIn(f"/usr/share/applications/{APP_ID}.desktop", files)
        self.assertIn("/usr/share/man/man1/periyodik-cetvel.1.gz", files)
        start_and_close(self, "/usr/bin/periyodik-cetvel")


if __name__ == "__main__":
    unittest.main()
