#!/usr/bin/env bash
# Resampling, Glimmer against Pillow 9.4 and Pillow-SIMD on the same pixels, one table
# with ratios from this run (see bench/compare.py for how the runs are taken).
#   bench/run_resample.sh [runs]   (at least 15; default 21)
source "$(dirname "${BASH_SOURCE[0]}")/compare.sh"
runs=${1:-21}
[ "$runs" -ge 15 ] || { echo "at least 15 runs" >&2; exit 1; }
compare_sides resample bench_resample "$runs"
