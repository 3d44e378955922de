#!/usr/bin/python3
"""Times Pillow's counterparts of the filters bench_filters times, on the same picture
(raw top-down BGRA rows written by bench_filters). Prints one line per case: name and
best time in milliseconds. Pillow runs these on one thread.
  filters_pillow.py picture.raw width height [runs]"""
import sys
import time

from PIL import Image, ImageFilter

path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
RUNS = int(sys.argv[4]) if len(sys.argv) > 4 else 5

with open(path, "rb") as f:
    src = Image.frombytes("RGBA", (width, height), f.read(), "raw", "BGRA")


def level_table(level):
    # A per-channel brightness table of the same kind (the lookup is what is timed).
    out = []
    for c in range(256):
        v = c * 100.0 / 255.0
        v = v * 50.0 / level if v <= level else 100.0 - (100.0 - v) * 50.0 / (100.0 - level)
        out.append(max(0, min(255, int(v * 2.55))))
    return out


def curve_table(strength):
    out = []
    for c in range(256):
        v = c * 100.0 / 255.0
        b = strength / 100.0
        if v < 50:
            v -= (25 - abs(int(v - 25))) * v * b / 200.0
        elif v > 50:
            v += (25 - abs(int(v - 75))) * v * b / 200.0
        out.append(max(0, min(255, int(v * 2.55))))
    return out


identity = list(range(256))
JOBS = [
    ("copy", lambda: src.copy()),
    ("sharpen3x3", lambda: src.filter(ImageFilter.Kernel((3, 3), [0, -144, 0, -144, 1100, -144, 0, -144, 0], 524))),
    ("blur3x3", lambda: src.filter(ImageFilter.Kernel((3, 3), [50, 100, 50, 100, 400, 100, 50, 100, 50], 1000))),
    ("level", lambda: src.point(level_table(40) * 3 + identity)),
    ("curve", lambda: src.point(curve_table(50) * 3 + identity)),
    ("rotate30", lambda: src.rotate(30, expand=True, resample=Image.Resampling.BILINEAR)),
    ("rotate90", lambda: src.transpose(Image.Transpose.ROTATE_270)),
    ("flip", lambda: src.transpose(Image.Transpose.FLIP_LEFT_RIGHT)),
    ("cut", lambda: src.crop((400, 300, 3600, 2700))),
]

for name, job in JOBS:
    best = 1e30
    for _ in range(RUNS):
        t0 = time.perf_counter()
        job()
        best = min(best, (time.perf_counter() - t0) * 1000.0)
    print(f"{name} {best:.2f}")
