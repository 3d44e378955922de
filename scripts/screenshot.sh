#!/usr/bin/env bash
# Makes docs/screenshot.png: Glimmer showing a picture, on a screen of its own (Xvfb),
# from fresh settings, cropped to the viewer's window.
#   scripts/screenshot.sh [picture] [output.png]
# The picture defaults to the program's own dusk picture (resources/picture1.jpg).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

picture=$(realpath "${1:-$ROOT/resources/picture1.jpg}")
out=${2:-$ROOT/docs/screenshot.png}
mkdir -p "$(dirname "$out")"

glimmer_build glimmer
# Always a screen of our own: nothing else may cover the window.
unset DISPLAY
trap stop_all EXIT
start_xvfb
start_wine

work=$(mktemp -d)
trap 'rm -rf "$work"; stop_all' EXIT
name=$(basename "$picture")
cp "$picture" "$work/$name"

# The first start's settings: default size, skin and language.
"$WINE" reg delete 'HKCU\Software\Zelk\Zelk Glimmer' /f >/dev/null 2>&1 </dev/null || true
"$WINE" "$B/Glimmer.exe" "Z:${work//\//\\}\\$name" >/dev/null 2>&1 </dev/null &
viewer=$!

# The viewer's window is the X window titled with the picture's file name.
window=
for _ in $(seq 1 300); do
  window=$(xwininfo -root -tree 2>/dev/null | awk -v n="\"$name\"" 'index($0, n) { print $1; exit }')
  if [ -n "$window" ] && xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable'; then break; fi
  window=
  if ! kill -0 "$viewer" 2>/dev/null; then break; fi
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "screenshot: no window titled \"$name\" appeared (does Glimmer.exe open its window yet?)" >&2
  exit 1
fi

geometry() { xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
  /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h "+" x "+" y}'; }
# Painting is done once three grabs in a row agree.
previous=
same=0
for _ in $(seq 1 60); do
  sleep 0.3
  import -window root -crop "$(geometry)" +repage "$work/shot.png"
  sum=$(convert "$work/shot.png" rgba:- | md5sum)
  if [ "$sum" = "$previous" ]; then same=$((same + 1)); else same=0; fi
  if [ "$same" -ge 2 ]; then break; fi
  previous=$sum
done
# No time stamps in the file: the same picture makes the same file.
convert "$work/shot.png" -define png:exclude-chunks=date,time "$out"
echo "screenshot: $out ($(identify -format '%wx%h' "$out"))"
