#!/usr/bin/env python3
"""Compares two sets of the README's screenshots pixel by pixel, leaving out what moves with time
(the logo, the two credits panels).

usage: scripts/compare_screenshots.py BEFORE_DIR AFTER_DIR
Prints one line per screenshot and exits with 1 when any differs outside those areas.
"""

import math
import os
import subprocess
import sys

# Client rectangles that animate, in logical pixels, per screenshot name (without its scale suffix).
MOVING = {
    "main-window": [(3, 367, 93, 80)],
    "about-regular": [(5, 72, 284, 129), (6, 69, 111, 140)],
    "about-group": [(5, 72, 284, 129), (6, 69, 111, 140)],
}
SCALES = {"": 1.0, "-1.5x": 1.5, "-2x": 2.0}


def pixels(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True, check=True)
    width, height = (int(v) for v in size.stdout.split())
    raw = subprocess.run(["convert", path, "rgb:-"], capture_output=True, check=True).stdout
    return width, height, raw


def masked(name, scale, x, y):
    for left, top, width, height in MOVING.get(name, []):
        if (math.floor(left * scale) <= x < math.ceil((left + width) * scale)
                and math.floor(top * scale) <= y < math.ceil((top + height) * scale)):
            return True
    return False


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    before_dir, after_dir = sys.argv[1:]
    differing = 0
    for file in sorted(f for f in os.listdir(before_dir) if f.endswith(".png")):
        stem = file[:-4]
        suffix = next((s for s in ("-1.5x", "-2x") if stem.endswith(s)), "")
        name, scale = stem[:len(stem) - len(suffix)], SCALES[suffix]
        after = os.path.join(after_dir, file)
        if not os.path.exists(after):
            print(f"{file}: missing")
            differing += 1
            continue
        w1, h1, a = pixels(os.path.join(before_dir, file))
        w2, h2, b = pixels(after)
        if (w1, h1) != (w2, h2):
            print(f"{file}: size {w1}x{h1} against {w2}x{h2}")
            differing += 1
            continue
        if a == b:
            print(f"{file}: identical")
            continue
        changed = [i // 3 for i in range(0, len(a), 3)
                   if a[i:i + 3] != b[i:i + 3] and not masked(name, scale, (i // 3) % w1, (i // 3) // w1)]
        if changed:
            xs = [p % w1 for p in changed]
            ys = [p // w1 for p in changed]
            print(f"{file}: {len(changed)} pixels differ, x {min(xs)}..{max(xs)}, y {min(ys)}..{max(ys)}")
            differing += 1
        else:
            print(f"{file}: identical outside the moving areas")
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
