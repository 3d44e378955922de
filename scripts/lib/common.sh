# Shared by the scripts: configuring and building, Xvfb, and a warm Wine.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=${BUILD_DIR:-build}
case "$BUILD_DIR" in /*) B=$BUILD_DIR ;; *) B=$ROOT/$BUILD_DIR ;; esac
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX=$B/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
export WINEARCH=win64

glimmer_build() {
  # $@: targets (none = the default set)
  "$ROOT/scripts/setup.sh" ${GLIMMER_SETUP_ARGS:-}
  cmake -S "$ROOT" -B "$B" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DGLIMMER_DEPS_PREFIX="$ROOT/build/deps/prefix" >/dev/null
  local t=()
  local x
  for x in "$@"; do t+=(--target "$x"); done
  cmake --build "$B" -j"$(nproc)" "${t[@]}"
}

XVFB_PID=
start_xvfb() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return
    sleep 0.05
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# The TrueType faces the text painting tests draw with, copied into the prefix's
# font folder (Debian's fonts-dejavu-core, installed by setup.sh).
install_test_fonts() {
  local dir="$WINEPREFIX/drive_c/windows/Fonts"
  local f
  mkdir -p "$dir"
  for f in /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf; do
    if [ -f "$f" ] && [ ! -f "$dir/$(basename "$f")" ]; then cp "$f" "$dir/"; fi
  done
}

# Keeps one wineserver alive for the whole run: each Windows process then
# starts in tens of milliseconds instead of seconds.
start_wine() {
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "[wine] making the Wine prefix $WINEPREFIX" >&2
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  install_test_fonts
  "$WINESERVER" -p
  # Start Wine's own services now, detached from our output: a test program
  # that started them would hand them its stdout and CTest would wait on it.
  "$WINE" wineboot >/dev/null 2>&1 </dev/null || true
  # No window manager runs on Xvfb: a window Wine leaves to a manager waits 2 s for it
  # at every hide and destroy. Windows unmanaged by one hide at once.
  if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
  fi
  # The desktop process too: the first program that makes a window would otherwise
  # start it with that program's output, and CTest would wait on it.
  "$WINE" rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
}

stop_all() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" >/dev/null 2>&1 || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
}
