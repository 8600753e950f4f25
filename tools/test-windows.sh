#!/usr/bin/env bash
# Cross-builds everything that has no Qt for Windows with MinGW-w64 and runs its tests under
# Wine: the Windows path rules, the console code page, the launcher and the written script
# in Wine's command interpreter.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh cmake ninja-build googletest g++-mingw-w64-x86-64 wine wine64

[ -f build/windows/build.ninja ] || cmake --preset windows
cmake --build --preset windows

# A throw-away Wine prefix: Wine creates it on first use (about ten seconds).
WINEPREFIX=$(mktemp -d)
export WINEPREFIX
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
ctest --preset windows
