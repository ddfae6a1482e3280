#!/usr/bin/env python3
"""Time from a click to a dialog being mapped, the first time in a run (the dialog's first showing)
and a second time, under Xvfb with openbox, for one or more builds of the program: a click on a
tile for the details dialog, on the 1A heading for the category dialog, on the logo for the about
dialog. Runs are interleaved, build after build, round after round; medians are printed, and
each build's median as a ratio to the first build's.

The click is xdotool's, started by bench/mapwatch, which reads the moment of mapping from X
events; so each time includes xdotool's own start, the same for every build.

With --rest MS the pointer comes onto the place and rests there MS milliseconds before it clicks,
as a user's pointer does; the time is still counted from the click.

usage: bench/firstdialog.py [--dialog details|category|about] [--rest MS] BUILD_DIR [ROUNDS] [PROGRAM...]
  PROGRAM: builds of the program to compare (an older one first, for a before-and-after figure);
  BUILD_DIR's own by default.
"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from e2e_common import MAIN_TITLE, XSession  # noqa: E402

# Where each dialog is opened from, in the main window's client area: tile 26 (Fe; period 4,
# column 8 of the 39-pixel grid that starts at (61, 75)), the 1A heading above column 1, the logo.
TARGETS = {
    "details": (61 + 39 * 7 + 19, 75 + 39 * 3 + 19),
    "category": (61 + 19, 42 + 15),
    "about": (3 + 46, 367 + 40),
}


def click_to_mapped(session, build, left, top, target, rest):
    place = ["mousemove", str(left + target[0]), str(top + target[1])]
    if rest > 0:
        session.run("xdotool", *place)
        time.sleep(rest / 1000)
        place = []
    out = subprocess.run([os.path.join(build, "bench", "mapwatch"), MAIN_TITLE, "xdotool", *place, "click", "1"],
                         env=session.env(), capture_output=True, text=True, timeout=60)
    if out.returncode != 0:
        raise RuntimeError(out.stderr.strip())
    return float(out.stdout)


def wait_dialog_gone(session, pid):
    deadline = time.monotonic() + 10
    while len(session.find_windows(MAIN_TITLE, pid)) > 1:
        if time.monotonic() > deadline:
            raise RuntimeError("the dialog did not close")
        time.sleep(0.02)


def measure(session, build, program, target, rest):
    proc = subprocess.Popen([program], env=session.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wid = session.wait_window(MAIN_TITLE, timeout=20, pid=proc.pid)[0]
        # Whatever the program does once its main window is up has had time to happen.
        time.sleep(1)
        left, top = session.client_geometry(wid)[:2]
        times = []
        for i in range(2):
            # The second click lands a little away from the first, so that the two never make a
            # double click.
            times.append(click_to_mapped(session, build, left + 12 * i, top + 8 * i, target, rest))
            dialog = next(w for w in session.wait_window(MAIN_TITLE, count=2, pid=proc.pid) if w != wid)
            session.key(dialog, "Escape")
            wait_dialog_gone(session, proc.pid)
        return times
    finally:
        proc.terminate()
        proc.wait()


def main():
    args = sys.argv[1:]
    dialog, rest = "details", 0
    while args[:1] in (["--dialog"], ["--rest"]):
        if args[0] == "--dialog":
            dialog = args[1]
        else:
            rest = int(args[1])
        args = args[2:]
    target = TARGETS[dialog]
    build = args[0] if args else "build"
    rounds = int(args[1]) if len(args) > 1 else 15
    programs = args[2:] or [os.path.join(build, "app", "periyodik-cetvel")]
    results = {p: ([], []) for p in programs}
    with XSession() as session:
        for _ in range(rounds):
            for program in programs:
                first, second = measure(session, build, program, target, rest)
                results[program][0].append(first)
                results[program][1].append(second)
    med = statistics.median
    base = results[programs[0]]
    for program, (first, second) in results.items():
        rested = f", the pointer resting {rest} ms before the click" if rest else ""
        print(f"{program}: click to {dialog} dialog mapped{rested}, median of {rounds} runs:"
              f" first {med(first):.1f} ms, second {med(second):.1f} ms")
        if program != programs[0]:
            print(f"  / {programs[0]}: first {med(first) / med(base[0]):.3f}, second {med(second) / med(base[1]):.3f}"
                  f" (median of the per-round ratios {med(a / b for a, b in zip(first, base[0])):.3f},"
                  f" {med(a / b for a, b in zip(second, base[1])):.3f})")


if __name__ == "__main__":
    main()
