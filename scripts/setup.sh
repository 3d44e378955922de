#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks and cross-builds the image libraries
# (libjpeg-turbo, libpng) for 64-bit Windows from Debian's own source packages.
# Safe to run again: every step checks first and returns quickly when done.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DEPS=${GLIMMER_DEPS:-$ROOT/build/deps}
PREFIX=$DEPS/prefix
TOOLCHAIN=$ROOT/cmake/toolchain-mingw64.cmake
JOBS=$(nproc)

log() { printf '[setup] %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  wine64 xvfb x11-utils cmake make nasm googletest libz-mingw-w64-dev
  imagemagick dpkg-dev python3 python3-pil fonts-dejavu-core
)

apt_updated=0
apt_update_once() {
  if [ "$apt_updated" -eq 0 ]; then
    as_root apt-get update -qq
    apt_updated=1
  fi
}

install_packages() {
  local missing=()
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    log "installing: ${missing[*]}"
    apt_update_once
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# Adds deb-src entries for the same Debian archive the machine already uses.
ensure_deb_src() {
  if grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return
  fi
  log "adding deb-src entries for the configured Debian archive"
  local f
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      as_root tee /etc/apt/sources.list.d/glimmer-deb-src.sources >/dev/null
  else
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] || continue
      grep -E '^deb ' "$f" | sed -e 's/^deb /deb-src /'
    done | as_root tee /etc/apt/sources.list.d/glimmer-deb-src.list >/dev/null
  fi
  apt_updated=0
  apt_update_once
}

# Fetches and unpacks a Debian source package into $DEPS/src, once.
fetch_source() {
  local pkg=$1 dir
  dir=$(find "$DEPS/src" -maxdepth 1 -mindepth 1 -type d -name "$2" 2>/dev/null | head -n 1)
  if [ -n "$dir" ]; then echo "$dir"; return; fi
  ensure_deb_src
  mkdir -p "$DEPS/src"
  log "fetching Debian source package $pkg"
  # The newest version first; an archive may list a version it no longer serves,
  # so older listed versions are tried in turn.
  local v ok=0
  for v in "" $(apt-cache showsrc "$pkg" 2>/dev/null | awk '/^Version:/{print "=" $2}'); do
    if (cd "$DEPS/src" && apt-get source -qq "$pkg$v" >/dev/null 2>&1); then ok=1; break; fi
  done
  if [ "$ok" -eq 0 ]; then
    log "could not fetch the source package $pkg"; return 1
  fi
  find "$DEPS/src" -maxdepth 1 -mindepth 1 -type d -name "$2" | head -n 1
}

build_libjpeg() {
  [ -f "$PREFIX/.libjpeg-done" ] && return
  local src
  src=$(fetch_source libjpeg-turbo 'libjpeg-turbo-*')
  log "cross-building libjpeg-turbo (static, SIMD) from $src"
  rm -rf "$DEPS/obj/libjpeg"
  cmake -S "$src" -B "$DEPS/obj/libjpeg" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_JPEG7=OFF -DWITH_JPEG8=OFF -DREQUIRE_SIMD=ON >/dev/null
  cmake --build "$DEPS/obj/libjpeg" -j"$JOBS" >/dev/null
  cmake --install "$DEPS/obj/libjpeg" >/dev/null
  touch "$PREFIX/.libjpeg-done"
}

build_libpng() {
  [ -f "$PREFIX/.libpng-done" ] && return
  local src
  src=$(fetch_source libpng1.6 'libpng1.6-*')
  log "cross-building libpng (static) from $src"
  rm -rf "$DEPS/obj/libpng"
  cmake -S "$src" -B "$DEPS/obj/libpng" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include >/dev/null
  cmake --build "$DEPS/obj/libpng" -j"$JOBS" >/dev/null
  cmake --install "$DEPS/obj/libpng" >/dev/null
  # Keep the PNG test suite at a fixed place for the codec tests.
  rm -rf "$PREFIX/share/pngsuite"
  mkdir -p "$PREFIX/share"
  cp -r "$src/contrib/pngsuite" "$PREFIX/share/pngsuite"
  touch "$PREFIX/.libpng-done"
}

# libjpeg-turbo's own test pictures, kept beside the prefix for the codec tests.
keep_jpeg_testimages() {
  [ -d "$PREFIX/share/jpeg-testimages" ] && return
  local src
  src=$(fetch_source libjpeg-turbo 'libjpeg-turbo-*')
  mkdir -p "$PREFIX/share"
  cp -r "$src/testimages" "$PREFIX/share/jpeg-testimages"
}

# giflib is a reference for the GIF benchmarks only; the program never uses it.
build_giflib() {
  [ -f "$PREFIX/.giflib-done" ] && return
  local src obj f
  src=$(fetch_source giflib 'giflib-*')
  log "cross-building giflib (benchmark reference) from $src"
  obj=$DEPS/obj/giflib
  rm -rf "$obj"; mkdir -p "$obj" "$PREFIX/lib" "$PREFIX/include"
  for f in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    [ -f "$src/$f.c" ] || continue
    x86_64-w64-mingw32-gcc-posix -O2 -c "$src/$f.c" -I"$src" -o "$obj/$f.o"
  done
  rm -f "$PREFIX/lib/libgif.a"
  x86_64-w64-mingw32-ar rcs "$PREFIX/lib/libgif.a" "$obj"/*.o
  cp "$src/gif_lib.h" "$PREFIX/include/"
  touch "$PREFIX/.giflib-done"
}

main() {
  install_packages "${PACKAGES[@]}"
  mkdir -p "$PREFIX"
  build_libjpeg
  build_libpng
  keep_jpeg_testimages
  if [ "${1:-}" = "--bench" ]; then
    build_giflib
  fi
}

main "$@"
