#!/usr/bin/python3
"""Runs one benchmark on several sides at once and prints one table of times and
ratios, every ratio from this run.

Each side is a long-lived process speaking the command loop of bench/BenchSupport.h
(Glimmer under Wine) or bench/peer_pillow.py (Pillow, Pillow-SIMD). All sides read
the same raw picture, written once by the Glimmer side. For every case each side
first runs WARMUP untimed rounds, then the sides take turns run by run (the order
rotating every run) and the best and the median of RUNS runs are kept.

  compare.py resample|filters RUNS NAME=COMMAND... (the first side is Glimmer)"""
import os
import shlex
import statistics
import subprocess
import sys
import tempfile

WARMUP = 2

PICTURES = [(0, 4000, 3000), (1, 1000, 750)]
# The viewer's fit of a 24-megapixel picture, on one thread and on four (Glimmer only,
# into a destination kept between runs as the viewer keeps its fitted picture).
FIT_PICTURE = (2, 6000, 4000)
FIT = "resize 2 bilinear 1920 1280 {threads} reuse"
RESAMPLE = [(0, k, w, h) for w, h in [(1600, 1200), (400, 300), (852, 567)]
            for k in ["box", "bilinear", "hamming", "gaussian"]]
RESAMPLE += [(1, k, 2000, 1500) for k in ["box", "bilinear", "hamming", "gaussian"]]
FILTERS = ["copy", "level", "curve", "rotate90", "rotate270", "fliph", "flipv",
           "sharpen3x3", "blur3x3", "rotate30", "cut", "level-4threads", "curve-4threads"]


class Side:
    def __init__(self, name, command, windows_paths):
        self.name = name
        self.windows_paths = windows_paths
        self.proc = subprocess.Popen(shlex.split(command), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     text=True, bufsize=1)

    def path(self, p):
        return "Z:" + p.replace("/", "\\") if self.windows_paths else p

    def ask(self, line):
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()
        reply = self.proc.stdout.readline()
        if not reply:
            sys.exit(f"{self.name} stopped answering (command: {line})")
        reply = reply.strip()
        if reply.startswith("error"):
            sys.exit(f"{self.name}: {reply} (command: {line})")
        return reply

    def close(self):
        try:
            self.proc.stdin.write("quit\n")
            self.proc.stdin.close()
        except OSError:
            pass
        self.proc.wait(timeout=60)


def fit_threads(ours, runs, work):
    slot, w, h = FIT_PICTURE
    raw = os.path.join(work, f"picture{slot}.raw")
    ours.ask(f"make {ours.path(raw)} {w} {h}")
    ours.ask(f"load {slot} {ours.path(raw)} {w} {h}")
    times = {1: [], 4: []}
    for _ in range(WARMUP):
        for t in times:
            ours.ask(FIT.format(threads=t))
    for r in range(runs):
        for t in (1, 4) if r % 2 == 0 else (4, 1):
            times[t].append(float(ours.ask(FIT.format(threads=t))))
    one, four = min(times[1]), min(times[4])
    print()
    print(f"fit {w}x{h}->1920x1280 bilinear, {ours.name}: 1 thread {one:.2f} / {statistics.median(times[1]):.2f} ms, "
          f"4 threads {four:.2f} / {statistics.median(times[4]):.2f} ms (best / median); "
          f"speed-up {one / four:.2f} best, {statistics.median(times[1]) / statistics.median(times[4]):.2f} median")


def main():
    kind, runs = sys.argv[1], int(sys.argv[2])
    sides = []
    for i, spec in enumerate(sys.argv[3:]):
        name, command = spec.split("=", 1)
        sides.append(Side(name, command, windows_paths=(i == 0)))
    work = tempfile.mkdtemp(prefix="glimmer-bench-")
    try:
        for slot, w, h in PICTURES:
            raw = os.path.join(work, f"picture{slot}.raw")
            sides[0].ask(f"make {sides[0].path(raw)} {w} {h}")
            for s in sides:
                s.ask(f"load {slot} {s.path(raw)} {w} {h}")
        if kind == "resample":
            cases = [(f"{k} {PICTURES[slot][1]}x{PICTURES[slot][2]}->{w}x{h}", f"resize {slot} {k} {w} {h}")
                     for slot, k, w, h in RESAMPLE]
        else:
            cases = [(f, f"filter {f} 0") for f in FILTERS]
        head = f"{'case':<34}" + "".join(f"{s.name + ' best/med ms':>26}" for s in sides)
        head += "".join(f"{sides[0].name + '/' + s.name + ' best/med':>26}" for s in sides[1:])
        print(head)
        print("-" * len(head))
        for label, command in cases:
            times = {s.name: [] for s in sides}
            for _ in range(WARMUP):
                for s in sides:
                    s.ask(command)
            for r in range(runs):
                for k in range(len(sides)):
                    s = sides[(r + k) % len(sides)]
                    reply = s.ask(command)
                    if reply != "none":
                        times[s.name].append(float(reply))
            row = f"{label:<34}"
            stats = {}
            for s in sides:
                t = times[s.name]
                if t:
                    stats[s.name] = (min(t), statistics.median(t))
                    row += f"{stats[s.name][0]:>15.2f} /{stats[s.name][1]:>8.2f}"
                else:
                    row += f"{'-':>26}"
            ours = stats.get(sides[0].name)
            for s in sides[1:]:
                st = stats.get(s.name)
                if ours and st:
                    row += f"{ours[0] / st[0]:>17.2f} /{ours[1] / st[1]:>6.2f}"
                else:
                    row += f"{'-':>26}"
            print(row, flush=True)
        if kind == "resample":
            fit_threads(sides[0], runs, work)
    finally:
        for s in sides:
            s.close()
        for f in os.listdir(work):
            os.remove(os.path.join(work, f))
        os.rmdir(work)


if __name__ == "__main__":
    main()
