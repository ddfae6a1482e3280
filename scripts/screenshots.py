#!/usr/bin/env python3
"""Regenerates every screenshot of the README from the real program under Xvfb: the four windows,
at scale 1, 1.5 and 2, into docs/.

usage: scripts/screenshots.py [BUILD_DIR]   (default: build)
"""

import os
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from e2e_common import MAIN_TITLE, Program, XSession  # noqa: E402


def new_window(session, program, known):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        found = [w for w in session.find_windows(MAIN_TITLE, program.proc.pid) if w not in known]
        if found:
            time.sleep(0.3)  # let it paint
            return found[0]
        time.sleep(0.02)
    raise RuntimeError("the dialog did not open")


def shoot(build, scale, docs):
    suffix = "" if scale == 1 else f"-{scale}x"
    os.environ["PC_PROGRAM"] = os.path.join(build, "app", "periyodik-cetvel")
    with XSession(1920, 1200) as session:
        program = Program(session, extra_env={"QT_SCALE_FACTOR": str(scale)})
        try:
            main = program.main_window()
            time.sleep(0.5)
            session.screenshot(os.path.join(docs, f"main-window{suffix}.png"), main)

            session.click(main, round((336 + 17) * scale), round((194 + 17) * scale))
            details = new_window(session, program, [main])
            session.screenshot(os.path.join(docs, f"details-26{suffix}.png"), details)
            session.run("xdotool", "key", "F5")
            category = new_window(session, program, [main, details])
            session.screenshot(os.path.join(docs, f"category{suffix}.png"), category)
            session.run("xdotool", "key", "Escape")
            time.sleep(0.3)
            session.run("xdotool", "key", "Escape")
            time.sleep(0.3)

            session.click(main, round((3 + 46) * scale), round((367 + 40) * scale))
            about = new_window(session, program, [main])
            time.sleep(3)  # the credits mid-scroll
            session.screenshot(os.path.join(docs, f"about-regular{suffix}.png"), about)
            session.run("xdotool", "key", "ctrl+alt+t")
            time.sleep(3)
            session.screenshot(os.path.join(docs, f"about-group{suffix}.png"), about)
            session.run("xdotool", "key", "Escape")
        finally:
            program.stop()


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    docs = os.path.join(ROOT, "docs")
    os.makedirs(docs, exist_ok=True)
    for scale in (1, 1.5, 2):
        shoot(build, scale, docs)
    print("screenshots written to", docs)


if __name__ == "__main__":
    main()
