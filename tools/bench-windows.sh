#!/usr/bin/env bash
# Builds the optimised Windows tree and times the native window's start-up under Wine against a
# minimal Win32 window: one table of medians, baselines and ratios. Exits non-zero when a case
# misses its goal.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${WINDOWS_BUILD_PACKAGES[@]}" wine wine64 xvfb xauth

[ -f build/windows-release/build.ninja ] || cmake --preset windows-release >/dev/null
cmake --build --preset windows-release --target vq3_win_bench

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
# The prefix is made, and Wine's own services started, before anything is timed.
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
    wineboot -i 2>/dev/null
    wine "$0"' build/windows-release/bench/windows/vq3_win_bench.exe
