#!/usr/bin/env bash
# Builds Glimmer and every test, then runs all tests under Wine (and Xvfb when
# there is no display). Installs whatever is missing first.
# Extra arguments go to ctest, e.g.: scripts/test.sh -R StrBuffer
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

glimmer_build
trap stop_all EXIT
start_xvfb
start_wine
ctest --test-dir "$B" --output-on-failure --no-tests=error -j"$(nproc)" "$@"
