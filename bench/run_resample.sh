#!/usr/bin/env bash
# Runs bench_resample (under Wine) and the Pillow timing on the same sizes, and prints
# both with the ratio ours / Pillow for the kernels Pillow has.
#   bench/run_resample.sh [runs]
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
RUNS=${1:-5}
export BUILD_DIR=${BUILD_DIR:-build}
source "$ROOT/scripts/lib/common.sh"

glimmer_build bench_resample >/dev/null
trap stop_all EXIT
start_xvfb
start_wine
ours=$(mktemp)
pillow=$(mktemp)
"$WINE" "$B/bench_resample.exe" "$RUNS" | tr -d '\r' >"$ours"
/usr/bin/python3 "$ROOT/bench/resample_pillow.py" "$RUNS" >"$pillow"
printf '%-10s %-22s %10s %10s %7s\n' kernel size glimmer_ms pillow_ms ratio
tail -n +2 "$ours" | while read -r kernel size ms; do
  p=$(awk -v k="$kernel" -v s="$size" '$1 == k && $2 == s { print $3 }' "$pillow")
  if [ -n "$p" ]; then
    printf '%-10s %-22s %10s %10s %7s\n' "$kernel" "$size" "$ms" "$p" "$(awk -v a="$ms" -v b="$p" 'BEGIN { printf "%.2f", a / b }')"
  else
    printf '%-10s %-22s %10s %10s %7s\n' "$kernel" "$size" "$ms" "-" "-"
  fi
done
rm -f "$ours" "$pillow"
