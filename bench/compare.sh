# Shared by run_resample.sh and run_filters.sh: builds the Glimmer side, makes sure
# Pillow-SIMD is there, and runs bench/compare.py with Glimmer (under Wine, in a Wine
# prefix of its own), Debian's Pillow and Pillow-SIMD. Sourced, not run:
#   compare_sides KIND TARGET RUNS
set -euo pipefail
# Never end without saying why.
trap 'echo "[bench] failed: $BASH_COMMAND" >&2' ERR
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-build}
source "$ROOT/scripts/lib/common.sh"
# The tests keep a Wine server running for build/wineprefix while they run; the
# benchmarks use a prefix of their own so the two never meet.
export WINEPREFIX=$B/bench-wineprefix
SIMD_VENV=${SIMD_VENV:-$B/pillow-simd-venv}
PEERS=${PEERS:-/work/shared/peers}

compare_sides() {
  local kind=$1 target=$2 runs=$3
  glimmer_build "$target" >/dev/null
  if ! [ -x "$SIMD_VENV/bin/python" ]; then
    echo "[bench] building Pillow-SIMD into $SIMD_VENV (about a minute)" >&2
    "$PEERS/build-pillow-simd.sh" "$SIMD_VENV" >/dev/null
  fi
  if [ -S "$(wine_server_socket)" ]; then
    echo "[bench] a Wine server is already running for $WINEPREFIX (another benchmark run?)." >&2
    echo "[bench] Wait for it to end, or stop it with: WINEPREFIX=$WINEPREFIX $WINESERVER -k" >&2
    return 1
  fi
  trap stop_all EXIT
  start_xvfb
  if ! start_wine; then
    echo "[bench] could not start Wine for $WINEPREFIX" >&2
    return 1
  fi
  echo "# $kind, single thread unless noted; $(nproc) cores: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
  echo "# released picture memory recycled on every side: ${BENCH_RECYCLE:-on} (BENCH_RECYCLE=off for fresh memory)"
  echo "# Pillow $(/usr/bin/python3 -c 'import PIL; print(PIL.__version__)'), Pillow-SIMD $("$SIMD_VENV/bin/python" -c 'import PIL; print(PIL.__version__)'); $runs interleaved runs after 2 warm-up rounds"
  # Glimmer recycles the memory of released pictures (BENCH_RECYCLE=off turns that off).
  # The peers get the same from the C library's allocator: blocks under 32 MB (Pillow
  # keeps pictures in blocks of 16 MB) from a heap that is never trimmed, so a new
  # picture reuses memory already touched; with recycling off, every large block is a
  # fresh mapping, as every Glimmer picture then is.
  local malloc_env="MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=4294967296"
  [ "${BENCH_RECYCLE:-on}" = off ] && malloc_env="MALLOC_MMAP_THRESHOLD_=131072"
  /usr/bin/python3 "$ROOT/bench/compare.py" "$kind" "$runs" \
    "glimmer=$WINE $B/$target.exe" \
    "pillow=env $malloc_env /usr/bin/python3 $ROOT/bench/peer_pillow.py" \
    "simd=env $malloc_env $SIMD_VENV/bin/python $ROOT/bench/peer_pillow.py"
}

# The socket of the Wine server for WINEPREFIX, if one runs: wine keeps it under
# /tmp/.wine-UID/server-DEV-INODE/socket, named after the prefix's directory.
wine_server_socket() {
  [ -d "$WINEPREFIX" ] || return 0
  local id
  id=$(stat -c '%d-%i' "$WINEPREFIX" 2>/dev/null | awk -F- '{ printf "%x-%x", $1, $2 }')
  echo "/tmp/.wine-$(id -u)/server-$id/socket"
}
