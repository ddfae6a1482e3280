#!/usr/bin/env python3
"""Idle cost of the running program under Xvfb: CPU time over a window of seconds with the main
window shown and untouched, and resident memory after 5 s, for the whole program, for the program
with its credits scroller or its logo switched off, and for the empty-window floor. Also the logo's
frame period, read from the screen. Runs are interleaved; medians are printed.

usage: bench/idle.py BUILD_DIR [SECONDS] [ROUNDS]
"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from e2e_common import MAIN_TITLE, XSession  # noqa: E402

TICK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def measure(session, command, title, seconds):
    proc = subprocess.Popen(command, env=session.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        session.wait_window(title, timeout=20, pid=proc.pid)
        time.sleep(5)
        rss = rss_kib(proc.pid)
        before = cpu_seconds(proc.pid)
        time.sleep(seconds)
        used = cpu_seconds(proc.pid) - before
        return used / seconds * 100.0, rss
    finally:
        proc.terminate()
        proc.wait()


def frame_period(session, build, seconds=10):
    program = os.path.join(build, "app", "periyodik-cetvel")
    proc = subprocess.Popen([program], env=session.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wid = session.wait_window(MAIN_TITLE, timeout=20, pid=proc.pid)[0]
        session.run("xdotool", "mousemove", "0", "0")
        x, y, _, _ = session.client_geometry(wid)
        out = subprocess.run([os.path.join(build, "bench", "logowatch"), str(x + 3), str(y + 367), "93", "80",
                              str(seconds * 1000)], env=session.env(), capture_output=True, text=True).stdout
        moments = [int(m) for m in out.split()]
        return [b - a for a, b in zip(moments, moments[1:])]
    finally:
        proc.terminate()
        proc.wait()


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 30
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    idle = os.path.join(build, "bench", "idleprogram")
    variants = {
        "program": ([os.path.join(build, "app", "periyodik-cetvel")], MAIN_TITLE),
        "without scroller": ([idle, "--no-scroller"], MAIN_TITLE),
        "without logo": ([idle, "--no-logo"], MAIN_TITLE),
        "floor": ([os.path.join(build, "bench", "floorwindow")], "floor window"),
    }
    results = {name: [] for name in variants}
    with XSession() as session:
        for _ in range(rounds):
            for name, (command, title) in variants.items():
                results[name].append(measure(session, command, title, seconds))
        periods = frame_period(session, build)
    for name, samples in results.items():
        cpu = statistics.median(s[0] for s in samples)
        rss = statistics.median(s[1] for s in samples)
        print(f"{name:18s} cpu {cpu:.3f}% of one core over {seconds:.0f} s, rss {rss / 1024:.1f} MiB (median of {rounds})")
    prog = statistics.median(s[0] for s in results["program"])
    print(f"scroller's share: {prog - statistics.median(s[0] for s in results['without scroller']):.3f}% of one core")
    print(f"rss above the floor: {(statistics.median(s[1] for s in results['program']) - statistics.median(s[1] for s in results['floor'])) / 1024:.1f} MiB")
    if periods:
        print(f"logo frame period: median {statistics.median(periods):.1f} ms over {len(periods)} frames")


if __name__ == "__main__":
    main()
