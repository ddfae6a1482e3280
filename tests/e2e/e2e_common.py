"""Drives the real program in a real X11 session: Xvfb, the openbox window manager, xdotool.

Every test gets its own virtual display, so tests can run side by side and leave nothing behind.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest



def project_version():
    """The version project() gives the build in the top CMakeLists.txt, which the program shows."""
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "CMakeLists.txt")
    with open(top, encoding="utf-8") as f:
        found = re.search(r"^project\(\S+ VERSION ([0-9.]+)", f.read(), re.MULTILINE)
    if not found:
        raise RuntimeError("CMakeLists.txt names no project version")
    return found.group(1)


MAIN_TITLE = "KORVANTA Tamelis - Periyodik Cetvel s" + project_version()


def program_path():
    path = os.environ.get("PC_PROGRAM")
    if not path:
        raise unittest.SkipTest("PC_PROGRAM is not set")
    return os.path.abspath(path)


class XSession:
    """An Xvfb display with openbox on it; use as a context manager."""

    def __init__(self, width=1280, height=1024, wm=True):
        self.width, self.height, self.wm = width, height, wm
        self.display = None
        self._xvfb = None
        self._openbox = None
        self._dbus = None
        self.bus_address = None

    def __enter__(self):
        for tool in ("Xvfb", "xdotool", "xwininfo"):
            if shutil.which(tool) is None:
                raise unittest.SkipTest(tool + " is not installed")
        read_fd, write_fd = os.pipe()
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{self.width}x{self.height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        if shutil.which("dbus-daemon"):
            # A desktop session has a session bus; without one Qt's bus clients would auto-launch
            # a bus of their own and leave its address file in the home folder.
            self._dbus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            self.bus_address = self._dbus.stdout.readline().strip()
        if self.wm and shutil.which("openbox"):
            self._openbox = subprocess.Popen(["openbox", "--sm-disable"], env=self.env(),
                                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # On a loaded machine the window manager can take seconds to come up; a window mapped
            # before it would never be managed, so nothing goes on without it.
            deadline = time.monotonic() + 30
            while True:
                r = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env(),
                                   capture_output=True, text=True)
                if "window id" in r.stdout:
                    break
                if time.monotonic() > deadline:
                    self.__exit__(None, None, None)
                    raise RuntimeError("the window manager did not come up within 30 s")
                time.sleep(0.05)
        return self

    def __exit__(self, *exc):
        for proc in (self._openbox, self._dbus, self._xvfb):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
        if self._dbus and self._dbus.stdout:
            self._dbus.stdout.close()
        return False

    def env(self, **extra):
        env = dict(os.environ)
        env.pop("QT_QPA_PLATFORM", None)
        env["DISPLAY"] = self.display
        if self.bus_address:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        env.update(extra)
        return env

    def run(self, *args, check=True):
        return subprocess.run(list(args), env=self.env(), capture_output=True, text=True, check=check)

    # Windows ---------------------------------------------------------------------------------

    def find_windows(self, title, pid=None):
        args = ["xdotool", "search", "--onlyvisible", "--name", "^" + re.escape(title) + "$"]
        if pid is not None:
            args[2:2] = ["--pid", str(pid)]
        r = self.run(*args, check=False)
        return [int(w) for w in r.stdout.split()]

    def wait_window(self, title, timeout=10, count=1, pid=None):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.find_windows(title, pid)
            if len(found) >= count:
                return found
            time.sleep(0.03)
        raise AssertionError(f"no {count} visible window(s) titled {title!r} within {timeout} s")

    def wait_count(self, title, count, pid=None, timeout=5):
        """Waits until exactly count visible windows carry this title; returns them."""
        deadline = time.monotonic() + timeout
        while True:
            found = self.find_windows(title, pid)
            if len(found) == count:
                return found
            if time.monotonic() > deadline:
                raise AssertionError(f"expected {count} windows titled {title!r}, found {len(found)}")
            time.sleep(0.03)

    def window_count(self, title):
        return len(self.find_windows(title))

    def client_geometry(self, wid):
        """(x, y, width, height) of the window's client area in root coordinates."""
        out = self.run("xwininfo", "-id", str(wid)).stdout
        val = lambda key: int(re.search(key + r":\s+(-?\d+)", out).group(1))
        return (val("Absolute upper-left X"), val("Absolute upper-left Y"), val("Width"), val("Height"))

    def active_window(self):
        r = self.run("xdotool", "getactivewindow", check=False)
        return int(r.stdout.strip()) if r.stdout.strip() else None

    def activate(self, wid, timeout=20):
        """Activates the window and waits until it is active: keys sent after this reach it."""
        self.run("xdotool", "windowactivate", "--sync", str(wid), check=False)
        deadline = time.monotonic() + timeout
        while self.active_window() != wid:
            if time.monotonic() > deadline:
                raise AssertionError(f"window {wid:#x} did not become active within {timeout} s "
                                     f"(active: {self.active_window()})")
            time.sleep(0.03)

    def key(self, wid, keys):
        self.activate(wid)
        self.run("xdotool", "key", "--clearmodifiers", keys)

    def click(self, wid, x, y, button=1, origin=None):
        """Clicks at client coordinates (x, y) of window wid; origin is its client area's top left,
        when the caller already knows it."""
        left, top = origin or self.client_geometry(wid)[:2]
        # One connection for both, so the server handles the move before the press. (With --sync,
        # xdotool waits for the pointer to move, and hangs when it already is at the target.)
        self.run("xdotool", "mousemove", str(left + x), str(top + y), "click", "--delay", "0", str(button))

    def client_windows(self, title, pid):
        """The managed windows of process pid with this title, oldest first, from the window
        manager's client list: much cheaper than walking the whole window tree."""
        if shutil.which("wmctrl") is None:
            return self.find_windows(title, pid)
        found = []
        for line in self.run("wmctrl", "-l", "-p", check=False).stdout.splitlines():
            fields = line.split(None, 4)
            if len(fields) == 5 and fields[2] == str(pid) and fields[4] == title:
                found.append(int(fields[0], 16))
        return found

    def close_request(self, wid):
        """Asks the window to close, as its close box does (WM_DELETE_WINDOW through the window manager)."""
        if shutil.which("wmctrl"):
            self.run("wmctrl", "-i", "-c", hex(wid))
        else:
            self.key(wid, "alt+F4")

    def screenshot(self, path, wid=None):
        target = str(wid) if wid is not None else "root"
        self.run("import", "-window", target, path)
        return path


class Program:
    """The program under test, started on a session's display in an empty working folder."""

    def __init__(self, session, args=(), extra_env=None, launcher=()):
        self.session = session
        self.workdir = tempfile.mkdtemp(prefix="pc-e2e-")
        env = session.env(**(extra_env or {}))
        env["HOME"] = self.workdir
        self.proc = subprocess.Popen([*launcher, program_path(), *args], cwd=self.workdir, env=env,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def main_window(self, timeout=10):
        return self.session.wait_window(MAIN_TITLE, timeout, pid=self.proc.pid)[0]

    def proc_status(self, key):
        """A field of /proc/PID/status, or None once the process is gone."""
        try:
            with open(f"/proc/{self.proc.pid}/status") as f:
                for line in f:
                    if line.startswith(key + ":"):
                        return line.split(":", 1)[1].strip()
        except FileNotFoundError:
            pass
        return None

    def catches(self, sig):
        """True when the process has installed a handler for signal sig."""
        mask = self.proc_status("SigCgt")
        return mask is not None and bool(int(mask, 16) >> (sig - 1) & 1)

    def wait_until(self, condition, what, timeout=10):
        deadline = time.monotonic() + timeout
        while not condition():
            if self.proc.poll() is not None:
                raise AssertionError(f"the program ended (code {self.proc.returncode}) before {what}")
            if time.monotonic() > deadline:
                raise AssertionError(f"not within {timeout} s: {what}")
            time.sleep(0.001)

    def wait_catching(self, sig, timeout=10):
        """Waits until the program has its handler for sig: from then on it promises to honour it."""
        self.wait_until(lambda: self.catches(sig), f"the program catches {sig.name}", timeout)

    def stopped(self):
        state = self.proc_status("State")
        return state is not None and state.startswith("T")

    def wait_exit(self, timeout):
        """The exit code, or None if the program is still running after timeout seconds."""
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def output(self):
        out, err = self.proc.communicate(timeout=5) if self.proc.poll() is not None else ("", "")
        return out, err

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        for stream in (self.proc.stdout, self.proc.stderr):
            if stream:
                stream.close()
        shutil.rmtree(self.workdir, ignore_errors=True)

    def leftover_files(self):
        found = []
        for root, _dirs, files in os.walk(self.workdir):
            found += [os.path.join(root, f) for f in files]
        return found


class ProgramTestCase(unittest.TestCase):
    """Each test runs the program in a fresh X session."""

    def setUp(self):
        self.session = XSession().__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)

    def start(self, *args, **kwargs):
        program = Program(self.session, args, **kwargs)
        self.addCleanup(program.stop)
        return program
