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
# A test that fails is run once more: under Wine on a loaded machine a process now and then
# fails to start, or an X pointer event arrives late; a real fault fails both times.
ctest --test-dir "$B" --output-on-failure --no-tests=error --repeat until-pass:2 -j"$(nproc)" "$@"
