#!/usr/bin/env bash
# Filters, Glimmer against Pillow 9.4 and Pillow-SIMD on the same 4000 x 3000 picture,
# each into a new picture, one table with ratios from this run (see bench/compare.py).
#   bench/run_filters.sh [runs]   (at least 15; default 21)
source "$(dirname "${BASH_SOURCE[0]}")/compare.sh"
runs=${1:-21}
[ "$runs" -ge 15 ] || { echo "at least 15 runs" >&2; exit 1; }
compare_sides filters bench_filters "$runs"
