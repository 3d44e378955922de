#!/usr/bin/python3
"""Times Pillow's resize (box, bilinear, Hamming) on the sizes bench_resample uses.
Prints one line per case: kernel, size, best time in milliseconds."""
import random
import sys
import time

from PIL import Image

RUNS = int(sys.argv[1]) if len(sys.argv) > 1 else 5


def picture(w, h):
    # The same kind of content as the C++ benchmark: a gradient with noise.
    rnd = random.Random(42)
    noise = bytes(rnd.getrandbits(5) for _ in range(w))
    rows = []
    for y in range(h):
        g = y * 255 // h
        row = bytearray(w * 4)
        for x in range(0, w):
            n = noise[(x + y * 7) % w]
            row[4 * x] = (x * 255 // w + n) & 0xFF
            row[4 * x + 1] = (g + n) & 0xFF
            row[4 * x + 2] = ((x + y) * 127 // (w + h) + n) & 0xFF
            row[4 * x + 3] = 255
        rows.append(bytes(row))
    return Image.frombytes("RGBA", (w, h), b"".join(rows))


def picture_fast(w, h):
    # Building 12 million pixels in Python is slow; tile a smaller picture instead.
    tile = picture(min(w, 500), min(h, 375))
    img = Image.new("RGBA", (w, h))
    for y in range(0, h, tile.height):
        for x in range(0, w, tile.width):
            img.paste(tile, (x, y))
    return img


KERNELS = [("box", Image.Resampling.BOX), ("bilinear", Image.Resampling.BILINEAR), ("hamming", Image.Resampling.HAMMING)]
JOBS = [(4000, 3000, 1600, 1200), (4000, 3000, 400, 300), (1000, 750, 2000, 1500)]

sources = {(4000, 3000): picture_fast(4000, 3000), (1000, 750): picture_fast(1000, 750)}
for sw, sh, dw, dh in JOBS:
    src = sources[(sw, sh)]
    for name, flt in KERNELS:
        best = 1e30
        for _ in range(RUNS):
            t0 = time.perf_counter()
            src.resize((dw, dh), flt)
            best = min(best, (time.perf_counter() - t0) * 1000.0)
        print(f"{name} {sw}x{sh}->{dw}x{dh} {best:.2f}")
