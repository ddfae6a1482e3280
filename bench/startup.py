#!/usr/bin/env python3
"""Time from process start to the main window being mapped, for the program and for an empty Qt
window of the same size (the floor), interleaved, under Xvfb; prints medians and their ratio.

usage: bench/startup.py BUILD_DIR [RUNS]
"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from e2e_common import MAIN_TITLE, XSession  # noqa: E402


def time_to_mapped(session, command, title):
    started = time.monotonic()
    proc = subprocess.Popen(command, env=session.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while True:
            if session.find_windows(title, proc.pid):
                return time.monotonic() - started
            if time.monotonic() - started > 20:
                raise RuntimeError(f"{command[0]} showed no window")
            time.sleep(0.002)
    finally:
        proc.terminate()
        proc.wait()


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    program = [os.path.join(build, "app", "periyodik-cetvel")]
    floor = [os.path.join(build, "bench", "floorwindow")]
    ours, base = [], []
    with XSession() as session:
        time_to_mapped(session, program, MAIN_TITLE)  # warm the file cache
        time_to_mapped(session, floor, "floor window")
        for _ in range(runs):
            ours.append(time_to_mapped(session, program, MAIN_TITLE))
            base.append(time_to_mapped(session, floor, "floor window"))
    m_ours, m_base = statistics.median(ours), statistics.median(base)
    print(f"program: median {m_ours * 1000:.1f} ms over {runs} runs")
    print(f"floor:   median {m_base * 1000:.1f} ms over {runs} runs")
    print(f"ratio:   {m_ours / m_base:.3f}")


if __name__ == "__main__":
    main()
