#!/usr/bin/env bash
# Builds and runs one benchmark (or all of them) under Wine:
#   scripts/bench.sh [bench_name ...]
#   BENCH_ARGS="5 400" scripts/bench.sh bench_animation   (arguments for the benchmarks)
# Benchmarks are never run by the tests.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

if [ $# -eq 0 ]; then
  set -- $(cd "$ROOT/bench" && ls *.cpp 2>/dev/null | sed 's/\.cpp$//')
fi
GLIMMER_SETUP_ARGS=--bench glimmer_build "$@"
trap stop_all EXIT
start_xvfb
start_wine
for b in "$@"; do
  echo "== $b"
  # shellcheck disable=SC2086
  "$WINE" "$B/$b.exe" ${BENCH_ARGS:-}
done
