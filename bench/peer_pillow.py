#!/usr/bin/python3
"""The Pillow side of bench/compare.py: the same command loop as the Glimmer
benchmarks (one command a line on stdin, one answer a line on stdout), run by
Debian's Pillow or by Pillow-SIMD, whichever interpreter starts it.
  load SLOT PATH W H          raw 4-byte pixels, taken as a 4-band image as they lie
  resize SLOT KERNEL W H      the core resampler on the 4-band image (no premultiply
                              round trip), into a new image
  filter NAME SLOT            the counterpart of a Glimmer filter, into a new image
Each timed command answers with its milliseconds, or "none" where there is no
counterpart.
How released image memory comes back is set by bench/compare.sh through the C library's
allocator (see there)."""
import os
import sys
import time

import PIL
from PIL import Image, ImageFilter

R = getattr(Image, "Resampling", Image)  # Pillow-SIMD 7.0 has the plain constants
T = getattr(Image, "Transpose", Image)
KERNELS = {"box": R.BOX, "bilinear": R.BILINEAR, "hamming": R.HAMMING,
           # Pillow has no Gaussian; Lanczos has the same width (support 3), so the
           # same number of taps.
           "gaussian": R.LANCZOS}


def level_table(level):
    # The same value mapping as Glimmer's Level, as a per-channel table.
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


IDENTITY = list(range(256))
LEVEL = level_table(40) * 3 + IDENTITY
CURVE = curve_table(50) * 3 + IDENTITY
SHARPEN = ImageFilter.Kernel((3, 3), [0, -144, 0, -144, 1100, -144, 0, -144, 0], 524)
BLUR = ImageFilter.Kernel((3, 3), [50, 100, 50, 100, 400, 100, 50, 100, 50], 1000)
FILTERS = {
    "copy": lambda im: im.copy(),
    "sharpen3x3": lambda im: im.filter(SHARPEN),
    "blur3x3": lambda im: im.filter(BLUR),
    "level": lambda im: im.point(LEVEL),
    "curve": lambda im: im.point(CURVE),
    "rotate30": lambda im: im.rotate(-30, expand=True, resample=R.BILINEAR),
    "rotate90": lambda im: im.transpose(T.ROTATE_270),
    "rotate270": lambda im: im.transpose(T.ROTATE_90),
    "fliph": lambda im: im.transpose(T.FLIP_LEFT_RIGHT),
    "flipv": lambda im: im.transpose(T.FLIP_TOP_BOTTOM),
    "cut": lambda im: im.crop((400, 300, 3600, 2700)).load(),
}
# Pillow's point() runs on one thread: Glimmer's threaded level and curve are put beside it.
FILTERS["level-4threads"] = FILTERS["level"]
FILTERS["curve-4threads"] = FILTERS["curve"]

slots = {}


def answer(text):
    sys.stdout.write(text + "\n")
    sys.stdout.flush()


for line in sys.stdin:
    w = line.split()
    if not w:
        continue
    if w[0] == "quit":
        # Pillow-SIMD 7.0 can crash while the interpreter tears down; nothing is left to do.
        sys.stdout.flush()
        os._exit(0)
    if w[0] == "version":
        answer(PIL.__version__)
    elif w[0] == "load":
        with open(w[2], "rb") as f:
            slots[int(w[1])] = Image.frombytes("RGBA", (int(w[3]), int(w[4])), f.read())
        answer("ok")
    elif w[0] == "resize":
        im = slots[int(w[1])]
        k = KERNELS.get(w[2])
        if k is None:
            answer("none")
            continue
        size = (int(w[3]), int(w[4]))
        box = (0, 0) + im.size
        core = im.im
        t0 = time.perf_counter()
        core.resize(size, k, box)
        answer(f"{(time.perf_counter() - t0) * 1000.0:.3f}")
    elif w[0] == "filter":
        job = FILTERS.get(w[1])
        if job is None:
            answer("none")
            continue
        im = slots[int(w[2])]
        t0 = time.perf_counter()
        job(im)
        answer(f"{(time.perf_counter() - t0) * 1000.0:.3f}")
    else:
        answer("error unknown command")
