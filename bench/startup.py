#!/usr/bin/env python3
"""Time from the exec of a process to its main window being mapped, under Xvfb with openbox, for
the program and two floors built in the same tree: an empty Qt window of the same size (no text
at all) and the same window with one label (which pays for the font system, as every program
with text does). The starts are interleaved, program then floors, round after round; medians
and the ratios of the medians are printed, and the median of the per-round ratios too.

The moment of mapping is read from X events by bench/mapwatch, which starts each process itself,
so nothing polls the display while a program starts.

usage: bench/startup.py BUILD_DIR [RUNS] [PROGRAM]
  PROGRAM: another build of the program to time against the floors of BUILD_DIR (an older one,
  for a before-and-after figure); BUILD_DIR's own by default.
"""

import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from e2e_common import MAIN_TITLE, XSession  # noqa: E402


def time_to_mapped(session, build, title, command):
    out = subprocess.run([os.path.join(build, "bench", "mapwatch"), title, *command], env=session.env(),
                         capture_output=True, text=True, timeout=60)
    if out.returncode != 0:
        raise RuntimeError(f"{command[0]}: {out.stderr.strip()}")
    return float(out.stdout)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    program = sys.argv[3] if len(sys.argv) > 3 else os.path.join(build, "app", "periyodik-cetvel")
    floor = os.path.join(build, "bench", "floorwindow")
    subjects = {
        "program": (MAIN_TITLE, [program]),
        "label window": ("label window", [floor, "--label"]),
        "empty window": ("floor window", [floor]),
    }
    times = {name: [] for name in subjects}
    with XSession() as session:
        for name, (title, command) in subjects.items():  # warm the file cache
            time_to_mapped(session, build, title, command)
        for _ in range(runs):
            for name, (title, command) in subjects.items():
                times[name].append(time_to_mapped(session, build, title, command))
    med = {name: statistics.median(t) for name, t in times.items()}
    for name, t in times.items():
        print(f"{name:13s} median {med[name]:6.1f} ms   (min {min(t):.1f}, max {max(t):.1f}, {runs} starts)")
    for floor_name in ("label window", "empty window"):
        pairs = statistics.median(a / b for a, b in zip(times["program"], times[floor_name]))
        print(f"program / {floor_name}: {med['program'] / med[floor_name]:.3f} "
              f"(median of the per-round ratios {pairs:.3f})")


if __name__ == "__main__":
    main()
