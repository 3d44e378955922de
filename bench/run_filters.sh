#!/usr/bin/env bash
# Runs bench_filters (under Wine) and the Pillow timing on the same 4000 x 3000 picture,
# one after the other in this run, and prints both with the ratio ours / Pillow where
# Pillow has a counterpart.
#   bench/run_filters.sh [runs]
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
RUNS=${1:-5}
export BUILD_DIR=${BUILD_DIR:-build}
source "$ROOT/scripts/lib/common.sh"

glimmer_build bench_filters >/dev/null
work=$(mktemp -d)
trap 'stop_all; rm -rf "$work"' EXIT
start_xvfb
start_wine
"$WINE" "$B/bench_filters.exe" "$RUNS" "Z:${work//\//\\}\\picture.raw" | tr -d '\r' >"$work/ours"
/usr/bin/python3 "$ROOT/bench/filters_pillow.py" "$work/picture.raw" 4000 3000 "$RUNS" >"$work/pillow"
# new: into a new image (fresh pixel memory, as the filter chain runs); reused: into one
# destination kept between runs. Pillow makes a new image each time.
printf '%-12s %10s %10s %10s %9s %9s\n' filter new_ms reused_ms pillow_ms new/pil reused/pil
tail -n +2 "$work/ours" | while read -r name fresh reused; do
  p=$(awk -v n="$name" '$1 == n { print $2 }' "$work/pillow")
  if [ -n "$p" ]; then
    printf '%-12s %10s %10s %10s %9s %9s\n' "$name" "$fresh" "$reused" "$p" \
      "$(awk -v a="$fresh" -v b="$p" 'BEGIN { printf "%.2f", a / b }')" "$(awk -v a="$reused" -v b="$p" 'BEGIN { printf "%.2f", a / b }')"
  else
    printf '%-12s %10s %10s %10s %9s %9s\n' "$name" "$fresh" "$reused" - - -
  fi
done
