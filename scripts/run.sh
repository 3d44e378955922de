#!/usr/bin/env bash
# Builds Glimmer and starts it under Wine, optionally with a picture to open:
#   scripts/run.sh [picture]
# A Unix path is handed over as a Windows path (Z:\...).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

glimmer_build glimmer
trap stop_all EXIT
start_xvfb
start_wine
args=()
if [ $# -gt 0 ]; then
  p=$1
  if [ -e "$p" ]; then p=$(realpath "$p"); fi
  case "$p" in /*) p="Z:${p//\//\\}" ;; esac
  args+=("$p")
fi
"$WINE" "$B/Glimmer.exe" "${args[@]}"
