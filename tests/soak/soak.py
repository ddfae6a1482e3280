#!/usr/bin/env python3
"""Soak and fault runs of the real program under Xvfb with openbox, driven with xdotool.

  soak.py cycles [N]       N mixed cycles (tile, F5, Escape, heading, logo, Ctrl+Alt+T, close box),
                           then close; prints memory growth, threads, descriptors, warnings, exit code
  soak.py animate MINUTES  leaves the program animating; prints memory and the logo's frame period
  soak.py starts [N]       N starts closed at random moments, half of them with the about dialog up
  soak.py memcheck         one start under valgrind's memcheck, every window opened once, then
                           closed; prints the bytes definitely lost, in all and from our own code

Environment: PC_PROGRAM (the binary), PC_LOGOWATCH (bench/logowatch, for the frame period).
Exit status 0 when every target holds.
"""

import os
import random
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from e2e_common import MAIN_TITLE, Program, XSession  # noqa: E402

LOGO = (3, 367, 93, 80)
DOUBLE_CLICK_SECONDS = 0.5  # Qt's double-click interval is 400 ms unless the desktop sets another
HEADINGS = {"1A": (80, 57), "7A": (704, 57), "8A": (743, 57)}


def tile_centre(z):
    """Client coordinates of the centre of element z's tile, by the table's grid rule."""
    if z == 1:
        c, top = 0, 75
    elif z == 2:
        c, top = 17, 75
    elif 58 <= z <= 71:
        c, top = z - 54, 369
    elif 90 <= z <= 103:
        c, top = z - 86, 408
    else:
        periods = [(3, 4, 2, lambda z: z - 3), (5, 10, 2, lambda z: z + 7), (11, 12, 3, lambda z: z - 11),
                   (13, 18, 3, lambda z: z - 1), (19, 36, 4, lambda z: z - 19), (37, 54, 5, lambda z: z - 37),
                   (55, 57, 6, lambda z: z - 55), (72, 86, 6, lambda z: z - 69), (87, 89, 7, lambda z: z - 87),
                   (104, 114, 7, lambda z: z - 101)]
        for first, last, period, column in periods:
            if first <= z <= last:
                c, top = column(z), 75 + 39 * (period - 1)
                break
    return 61 + 39 * c + 2 + 17, top + 2 + 17


def proc_status(pid):
    fields = {}
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            key, _, value = line.partition(":")
            fields[key] = value.strip()
    return {
        "rss_kib": int(fields["VmRSS"].split()[0]),
        "threads": int(fields["Threads"]),
        "fds": len(os.listdir(f"/proc/{pid}/fd")),
    }


class Driver:
    def __init__(self, session, program, timeout=10):
        self.session, self.program = session, program
        self.main = program.main_window(timeout)
        self.pid = program.proc.pid
        # The main window never moves, so its place on the screen is looked up once.
        self.origin = session.client_geometry(self.main)[:2]
        self.steps = []
        self.last_click = None

    def windows(self):
        return self.session.client_windows(MAIN_TITLE, self.pid)

    def wait_count(self, count, timeout=5):
        deadline = time.monotonic() + timeout
        while True:
            seen = self.windows()
            if len(seen) == count:
                return seen
            if time.monotonic() > deadline:
                raise AssertionError(f"after {' '.join(self.steps)}: expected {count} windows, saw {len(seen)}")
            time.sleep(0.005)

    def topmost(self, timeout=5):
        """The newest dialog, once the window manager has made it the active window. Right after a
        dialog opens over another, the one beneath can still be the active window for a moment,
        and a close box or Escape sent then would reach a window that the new dialog's modality
        blocks, where Qt rightly drops it. The window manager lists clients in the order they were
        mapped, so the newest dialog is the last one listed."""
        dialogs = [w for w in self.windows() if w != self.main]
        if not dialogs:
            raise AssertionError(f"after {' '.join(self.steps)}: no dialog is open")
        newest = dialogs[-1]
        deadline = time.monotonic() + timeout
        while self.session.active_window() != newest:
            if time.monotonic() > deadline:
                raise AssertionError(f"after {' '.join(self.steps)}: the newest dialog {newest:#x} did not "
                                     f"become active (active: {self.session.active_window()})")
            time.sleep(0.005)
        return newest

    def key(self, keys):
        self.steps.append(keys)
        self.session.run("xdotool", "key", "--clearmodifiers", keys)

    def click(self, x, y):
        # A second press on the same spot within the double-click time is a double click, which
        # the controls take as a double click and not as a click; a person clicking again waits.
        if self.last_click and self.last_click[0] == (x, y):
            time.sleep(max(0.0, self.last_click[1] + DOUBLE_CLICK_SECONDS - time.monotonic()))
        self.steps.append(f"click({x},{y})")
        self.session.click(self.main, x, y, origin=self.origin)
        self.last_click = ((x, y), time.monotonic())

    def close_topmost(self, use_close_box):
        dialog = self.topmost()
        if use_close_box:
            self.steps.append("close box")
            self.session.close_request(dialog)
        else:
            self.key("Escape")

    def cycle(self, rng):
        kind = rng.choice(["tile", "tile", "heading", "logo"])
        self.steps = ["|"] + self.steps[-12:]
        base = len(self.windows())
        if kind == "tile":
            self.click(*tile_centre(rng.randint(1, 114)))
            self.wait_count(base + 1)
            if rng.random() < 0.5:
                self.topmost()
                self.key("F5")
                self.wait_count(base + 2)
                self.close_topmost(rng.random() < 0.3)
                self.wait_count(base + 1)
        elif kind == "heading":
            self.click(*HEADINGS[rng.choice(list(HEADINGS))])
            self.wait_count(base + 1)
        else:
            self.click(LOGO[0] + LOGO[2] // 2, LOGO[1] + LOGO[3] // 2)
            self.wait_count(base + 1)
            for _ in range(rng.randint(0, 3)):
                self.topmost()
                self.key("ctrl+alt+t")
        self.close_topmost(rng.random() < 0.3)
        self.wait_count(base)


def warnings_in(text):
    return [line for line in text.splitlines() if line.strip() and not line.startswith("QStandardPaths:")]


# Qt's shared thread pool (the raster engine converts large images on it) keeps idle threads for
# 30 s before it lets them go; within this long without input the program is back to its own threads.
SETTLE_SECONDS = 45


def settled_status(pid, timeout=15):
    """The program's status once its start-up work is over: the dialogs are made after the main
    window is on the screen, and files they read on the way (the font configuration) are open for
    a moment. Threads and descriptors unchanged over a second say it is over."""
    deadline = time.monotonic() + timeout
    readings = [proc_status(pid)]
    while time.monotonic() < deadline:
        time.sleep(0.25)
        readings = readings[-4:] + [proc_status(pid)]
        if len(readings) == 5 and len({(r["threads"], r["fds"]) for r in readings}) == 1:
            break
    return readings[-1]


def run_cycles(count, settle=True):
    rng = random.Random(20261208)
    with XSession() as session:
        program = Program(session)
        try:
            driver = Driver(session, program)
            start = settled_status(driver.pid)
            mark_at = min(500, max(1, count // 10))
            mark = None
            began = time.monotonic()
            for i in range(1, count + 1):
                try:
                    driver.cycle(rng)
                except AssertionError as e:
                    raise AssertionError(f"cycle {i}: {e}") from None
                if i == mark_at:
                    mark = proc_status(driver.pid)
            end = proc_status(driver.pid)
            elapsed = time.monotonic() - began
            settled = None
            if settle:
                deadline = time.monotonic() + SETTLE_SECONDS
                while True:
                    settled = proc_status(driver.pid)
                    back = (settled["threads"], settled["fds"]) == (start["threads"], start["fds"])
                    if back or time.monotonic() > deadline:
                        break
                    time.sleep(0.5)
            session.key(driver.main, "Escape")
            code = program.wait_exit(5)
            _, err = program.proc.communicate(timeout=5)
        finally:
            program.stop()
    growth = end["rss_kib"] - mark["rss_kib"]
    warnings = warnings_in(err)
    print(f"cycles: {count} in {elapsed:.0f} s ({1000 * elapsed / count:.0f} ms per cycle)")
    print(f"rss: start {start['rss_kib']} KiB, at cycle {mark_at} {mark['rss_kib']} KiB, "
          f"end {end['rss_kib']} KiB, growth {growth} KiB")
    for label, s in (("start", start), (f"cycle {mark_at}", mark), ("end", end),
                     ("idle after the end", settled)):
        if s:
            print(f"threads/descriptors at {label}: {s['threads']}/{s['fds']}")
    print(f"warnings: {len(warnings)}")
    for w in warnings[:10]:
        print("  " + w)
    print(f"exit code: {code}")
    steady = (mark["threads"], mark["fds"]) == (end["threads"], end["fds"])
    back = settled is None or (settled["threads"], settled["fds"]) == (start["threads"], start["fds"])
    # Under the address sanitizer freed memory waits in its quarantine, so resident memory says
    # nothing there; its leak check runs at the exit instead and turns the exit code non-zero.
    if "ASAN_OPTIONS" in os.environ:
        print("memory growth not judged under the address sanitizer")
        growth = 0
    return growth <= 2048 and steady and back and not warnings and code == 0


def run_animate(minutes):
    watch = os.environ.get("PC_LOGOWATCH")
    with XSession() as session:
        program = Program(session)
        try:
            main = program.main_window()
            x, y, _, _ = session.client_geometry(main)
            samples = []
            deadline = time.monotonic() + minutes * 60
            periods = []
            while time.monotonic() < deadline:
                samples.append(proc_status(program.proc.pid)["rss_kib"])
                if watch:
                    out = subprocess.run([watch, str(x + LOGO[0]), str(y + LOGO[1]), str(LOGO[2]), str(LOGO[3]), "3000"],
                                         env=session.env(), capture_output=True, text=True).stdout.split()
                    moments = [int(m) for m in out]
                    periods += [b - a for a, b in zip(moments, moments[1:])]
                time.sleep(max(0, min(57, deadline - time.monotonic())))
            session.key(main, "Escape")
            code = program.wait_exit(5)
        finally:
            program.stop()
    # The first sample is taken as the window appears, before the logo has shown all its frames.
    warm = samples[1] if len(samples) > 1 else samples[0]
    print(f"rss: first {samples[0]} KiB, after a minute {warm} KiB, last {samples[-1]} KiB, "
          f"max {max(samples)} KiB over {minutes} min; growth after the first minute {samples[-1] - warm} KiB")
    print("rss by minute (KiB): " + " ".join(str(s) for s in samples))
    if periods:
        print(f"logo frame period: median {statistics.median(periods):.0f} ms over {len(periods)} frames")
    print(f"exit code: {code}")
    return code == 0 and samples[-1] - warm <= 2048


def run_starts(count):
    rng = random.Random(8122026)
    failures = 0
    exit_times = []
    with XSession() as session:
        for i in range(count):
            program = Program(session)
            try:
                with_about = i % 2 == 1
                if with_about:
                    main = program.main_window()
                    session.click(main, LOGO[0] + LOGO[2] // 2, LOGO[1] + LOGO[3] // 2)
                    session.wait_window(MAIN_TITLE, count=2, pid=program.proc.pid)
                else:
                    # A random moment from the one the program promises to honour the signal on.
                    program.wait_catching(signal.SIGTERM)
                time.sleep(rng.uniform(0, 0.6))
                asked = time.monotonic()
                if with_about or rng.random() < 0.5:
                    # The session ends under the program.
                    program.proc.send_signal(signal.SIGTERM)
                else:
                    session.close_request(program.main_window())
                code = program.wait_exit(5)
                exit_times.append(time.monotonic() - asked)
                if code != 0:
                    failures += 1
                    print(f"start {i}: exit code {code}")
            finally:
                program.stop()
    print(f"starts: {count}, failures: {failures}")
    print(f"time from the close request to the exit: median {1000 * statistics.median(exit_times):.0f} ms, "
          f"longest {1000 * max(exit_times):.0f} ms")
    return failures == 0


def run_memcheck():
    source_dir = os.path.realpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
    log = tempfile.NamedTemporaryFile(prefix="pc-memcheck-", suffix=".log", delete=False).name
    valgrind = ["valgrind", "--tool=memcheck", "--leak-check=full", "--show-leak-kinds=definite",
                "--errors-for-leak-kinds=definite", "--num-callers=40", f"--log-file={log}"]
    with XSession() as session:
        program = Program(session, launcher=valgrind)
        try:
            driver = Driver(session, program, timeout=120)
            driver.click(*tile_centre(26))
            driver.wait_count(2, 60)
            driver.topmost()
            driver.key("F5")
            driver.wait_count(3, 60)
            driver.close_topmost(False)
            driver.wait_count(2, 60)
            driver.close_topmost(True)
            driver.wait_count(1, 60)
            driver.click(LOGO[0] + LOGO[2] // 2, LOGO[1] + LOGO[3] // 2)
            driver.wait_count(2, 60)
            time.sleep(2)  # the credits scroll for a while
            driver.close_topmost(False)
            driver.wait_count(1, 60)
            session.key(driver.main, "Escape")
            code = program.wait_exit(120)
        finally:
            program.stop()
    with open(log) as f:
        text = f.read()
    if os.environ.get("PC_MEMCHECK_LOG"):
        shutil.copy(log, os.environ["PC_MEMCHECK_LOG"])
    os.unlink(log)
    our_files = {name for _, _, files in os.walk(source_dir) for name in files if name.endswith((".cpp", ".h"))}

    def from_our_code(stack):
        # Ours when one of the three callers nearest the allocation is our code; every stack passes
        # through main, so further out says nothing.
        callers = [f for f in re.findall(r"(?:at|by) 0x[0-9A-F]+: (.*)", stack)
                   if not re.match(r"(malloc|calloc|realloc|memalign|posix_memalign|operator new|strdup)\b", f)]
        for frame in callers[:3]:
            place = re.search(r"\(([^():]+):\d+\)$", frame)
            if (place and place.group(1) in our_files) or "periyodik-cetvel)" in frame:
                return True
        return False

    # A loss record: its header line, then its stack up to the next blank line.
    records = [(int(size.replace(",", "")), stack) for size, stack in re.findall(
        r"==\d+== ([\d,]+)(?: \([^)]*\))? bytes in [\d,]+ blocks are definitely lost.*\n((?:==\d+==  .*\n)+)", text)]
    ours = [record for record in records if from_our_code(record[1])]
    summary = re.search(r"definitely lost: ([\d,]+) bytes in ([\d,]+) blocks", text)
    errors = re.search(r"ERROR SUMMARY: (\d+) errors", text)
    print(f"definitely lost: {summary.group(1) if summary else '?'} bytes in {len(records)} records; "
          f"{sum(size for size, _ in ours)} bytes in {len(ours)} records from our code")
    for size, stack in records:
        callers = re.findall(r"(?:at|by) 0x[0-9A-F]+: (.*)", stack)
        print(f"  {'OURS' if from_our_code(stack) else 'not ours'}: {size} bytes, from " + " < ".join(callers[:4]))
    print(f"memcheck errors (definite leaks and invalid accesses): {errors.group(1) if errors else '?'}")
    print(f"exit code: {code}")
    return code == 0 and not ours


def main():
    mode = sys.argv[1] if len(sys.argv) > 1 else "cycles"
    arg = sys.argv[2] if len(sys.argv) > 2 else None
    if mode == "cycles":
        ok = run_cycles(int(arg or 5000))
    elif mode == "animate":
        ok = run_animate(float(arg or 30))
    elif mode == "starts":
        ok = run_starts(int(arg or 200))
    elif mode == "memcheck":
        ok = run_memcheck()
    else:
        print(__doc__)
        return 2
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
