#!/usr/bin/env bash
# Cross-builds the tool and its tests for Windows with MinGW-w64 and runs the tests under Wine:
# the native window (on a virtual display, Xvfb), the Windows path rules, the console code page,
# the launcher and the written script in Wine's command interpreter; then the refusal boxes of a
# drop from a file manager and the window's icon (tools/check-drop-boxes.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${WINDOWS_BUILD_PACKAGES[@]}" googletest wine wine64 xvfb xauth \
    fonts-liberation

[ -f build/windows/build.ninja ] || cmake --preset windows
cmake --build --preset windows

# A throw-away Wine prefix: Wine creates it on first use (about ten seconds). Nothing here needs
# Wine's .NET or HTML engines, so their installers are skipped.
WINEPREFIX=$(mktemp -d)
# Without Wine's debugger a crashed program ends at once, as Windows ends one: winedbg would
# hold its files open after its exit status is out.
export WINEPREFIX WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" ctest --preset windows
tools/check-drop-boxes.sh windows build/windows/bin/vq3mt.exe
