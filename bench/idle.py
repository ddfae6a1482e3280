#!/usr/bin/env python3
"""What the running program costs while nobody touches it, under Xvfb with openbox: for the
program, for the label window (an empty Qt window of the same size with one label) and for two
animated windows (the label window with a 93 x 80 square at the logo's place repainted ten times a
second: what Qt costs for such an animation), one with Qt's defaults, whose X11 platform hands the
pixels to the server through shared memory, and one that sends them over the connection; main
window shown and minimised, over a window of seconds each:

  - wake-ups per second of each thread (voluntary plus involuntary context switches, from
    /proc/PID/task/TID/status), by thread name, and of the whole process;
  - CPU of the process and of the X server, in % of one core (from schedstat, in nanoseconds);
  - threads, and resident memory after 5 s;
  - the logo's frame period, read from the screen (bench/logowatch) while shown, and again after
    the window has been minimised and restored.

Runs of all of them are interleaved; medians over the rounds are printed, and each program's
CPU as a ratio to each animated window's.

usage: bench/idle.py BUILD_DIR [SECONDS] [ROUNDS] [PROGRAM...]
  PROGRAM: other builds of the program to measure beside the floors of BUILD_DIR (an older one,
  for a before-and-after figure); BUILD_DIR's own by default.
"""

import collections
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from e2e_common import MAIN_TITLE, XSession  # noqa: E402


def read(path):
    with open(path) as f:
        return f.read()


def cpu_ns(pid):
    """CPU time of every thread of pid, in nanoseconds."""
    total = 0
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            total += int(read(f"/proc/{pid}/task/{tid}/schedstat").split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return total


def threads(pid):
    """{tid: (name, context switches, cpu ns)} of the live threads of pid. The main thread is
    called "GUI thread"; threads that carry no name of their own (they show the program's) are
    numbered in the order they were started."""
    out = {}
    main = None
    for tid in sorted(os.listdir(f"/proc/{pid}/task"), key=int):
        try:
            name = read(f"/proc/{pid}/task/{tid}/comm").strip()
            switches = 0
            for line in read(f"/proc/{pid}/task/{tid}/status").splitlines():
                if line.startswith(("voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:")):
                    switches += int(line.split()[1])
            ns = int(read(f"/proc/{pid}/task/{tid}/schedstat").split()[0])
        except (FileNotFoundError, ProcessLookupError):
            continue
        if tid == str(pid):
            main, name = name, "GUI thread"
        elif name == main:
            name = f"unnamed #{sum(1 for n, _, _ in out.values() if n.startswith('unnamed #')) + 1}"
        out[tid] = (name, switches, ns)
    return out


def rss_mib(pid):
    for line in read(f"/proc/{pid}/status").splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return 0.0


def sample(pid, xpid, seconds):
    """Per-thread-name wake-ups/s, process CPU %, X server CPU %, thread count over seconds."""
    before, cpu0, x0, t0 = threads(pid), cpu_ns(pid), cpu_ns(xpid), time.monotonic()
    time.sleep(seconds)
    after, cpu1, x1, t1 = threads(pid), cpu_ns(pid), cpu_ns(xpid), time.monotonic()
    elapsed = t1 - t0
    wakeups = collections.Counter()
    for tid, (name, switches, _) in after.items():
        wakeups[name] += (switches - before.get(tid, (name, 0, 0))[1]) / elapsed
    return {
        "wakeups": dict(wakeups),
        "cpu": (cpu1 - cpu0) / 1e9 / elapsed * 100,
        "x": (x1 - x0) / 1e9 / elapsed * 100,
        "threads": len(after),
    }


def frame_period(session, build, x, y, seconds):
    out = subprocess.run([os.path.join(build, "bench", "logowatch"), str(x + 3), str(y + 367), "93", "80",
                          str(int(seconds * 1000))], env=session.env(), capture_output=True, text=True).stdout
    moments = [int(m) for m in out.split()]
    return [b - a for a, b in zip(moments, moments[1:])]


def wait_until(what, condition, timeout=10):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.05)
    raise RuntimeError(f"no {what} within {timeout} s")


def map_state(session, wid):
    out = session.run("xwininfo", "-id", str(wid), check=False).stdout
    return out.split("Map State:")[1].split()[0] if "Map State:" in out else None


def measure(session, command, title, seconds, build=None):
    proc = subprocess.Popen(command, env=session.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wid = session.wait_window(title, timeout=20, pid=proc.pid)[0]
        session.run("xdotool", "mousemove", "0", "0")
        time.sleep(5)
        result = {"rss": rss_mib(proc.pid)}
        result["shown"] = sample(proc.pid, session._xvfb.pid, seconds)
        place = session.client_geometry(wid)
        if build is not None:
            result["periods"] = frame_period(session, build, place[0], place[1], 10)
        session.run("xdotool", "windowminimize", "--sync", str(wid))
        wait_until("minimised window", lambda: map_state(session, wid) == "IsUnMapped")
        time.sleep(1)
        result["minimised"] = sample(proc.pid, session._xvfb.pid, seconds)
        if build is not None:
            session.run("xdotool", "windowactivate", "--sync", str(wid), check=False)
            # Back on the screen, and back at its place (the window manager moves it there).
            wait_until("restored window", lambda: map_state(session, wid) == "IsViewable"
                       and session.client_geometry(wid) == place)
            result["restored periods"] = frame_period(session, build, place[0], place[1], 5)
        return result
    finally:
        proc.terminate()
        proc.wait()


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    programs = sys.argv[4:] or [os.path.join(build, "app", "periyodik-cetvel")]
    floor = os.path.join(build, "bench", "floorwindow")
    variants = {}
    for i, program in enumerate(programs):
        name = "program" if len(programs) == 1 else f"program {i + 1} ({program})"
        variants[name] = ([program], MAIN_TITLE, build)
    variants["label window"] = ([floor, "--label"], "label window", None)
    variants["animated window"] = ([floor, "--animate"], "animated window", None)
    variants["animated window, over the connection"] = ([floor, "--animate", "--no-shm"], "animated window", None)
    results = {name: [] for name in variants}
    with XSession() as session:
        for _ in range(rounds):
            for name, (command, title, frames_of) in variants.items():
                results[name].append(measure(session, command, title, seconds, frames_of))

    med = statistics.median
    print(f"median of {rounds} rounds, {seconds:.0f} s each; wake-ups = voluntary + involuntary context switches")
    for name, runs in results.items():
        print(f"\n{name}: resident memory {med(r['rss'] for r in runs):.1f} MiB after 5 s")
        for state in ("shown", "minimised"):
            samples = [r[state] for r in runs]
            names = sorted({n for s in samples for n in s["wakeups"]})
            total = med(sum(s["wakeups"].values()) for s in samples)
            print(f"  {state:9s} wake-ups {total:6.1f}/s   cpu {med(s['cpu'] for s in samples):.3f}%"
                  f"   X server {med(s['x'] for s in samples):.3f}%   threads {med(s['threads'] for s in samples):.0f}")
            for n in names:
                print(f"    {n:18s} {med(s['wakeups'].get(n, 0.0) for s in samples):6.1f}/s")
        for key, label in (("periods", "shown"), ("restored periods", "after minimising and restoring")):
            periods = [p for r in runs for p in r.get(key, [])]
            if periods:
                print(f"  logo frame period, {label}: median {med(periods):.1f} ms over {len(periods)} frames")
    rss = {name: med(r["rss"] for r in runs) for name, runs in results.items()}
    floors = ("animated window", "animated window, over the connection")
    print()
    for name in variants:
        if not name.startswith("program"):
            continue
        print(f"{name}: resident memory above the label window {rss[name] - rss['label window']:.1f} MiB")
        for state in ("shown", "minimised"):
            cpu = [r[state]["cpu"] for r in results[name]]
            for f in floors:
                other = [r[state]["cpu"] for r in results[f]]
                print(f"  cpu {state:9s} / {f}: {med(cpu) / med(other):.2f}"
                      f" (median of the per-round ratios {med(a / b for a, b in zip(cpu, other)):.2f})")


if __name__ == "__main__":
    main()
