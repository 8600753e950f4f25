#!/usr/bin/env bash
# Installs what is missing, builds the tool (optimised) and starts it.
# With no FOLDER, the tool starts in a try-out folder, build/try-out: two short tracks and the
# project's stand-in for the game's encoder, so that the whole road to .fda files can be tried
# without the game. With a FOLDER (your music folder, holding the game's enc.exe), vq3mt and
# vq3run are copied into it and the tool starts from there; nothing else in it is replaced.
# Usage: tools/start.sh [FOLDER]
set -euo pipefail
if [ $# -gt 0 ]; then
    [ -d "$1" ] || { echo "No such folder: $1" >&2; exit 1; }
    folder=$(realpath "$1")
fi
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${BUILD_PACKAGES[@]}" "${RUNTIME_PACKAGES[@]}"

[ -f build/release/build.ninja ] || cmake --preset release
cmake --build --preset release
bin=build/release/bin

if [ $# -eq 0 ]; then
    folder=$(realpath build/try-out)
    tools/prepare-try-out.sh "$folder" "$bin"
    echo "The try-out folder is ready: $folder"
    # What to do in it, where there is a desktop to do it on.
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo
        cat "$folder/README.txt"
    fi
else
    tools/place-programs.sh "$folder" "$bin"
    [ -e "$folder/enc.exe" ] ||
        echo "There is no enc.exe in $folder: put the game's encoder there before converting."
fi
echo
echo "Starting $folder/vq3mt"

# The status vq3mt ends with when there is no desktop session to show its window in.
no_desktop_session=69
status=0
"$folder/vq3mt" || status=$?
if [ "$status" -eq "$no_desktop_session" ]; then
    echo "To see the tool's window on a virtual display instead, run tools/screenshot.sh: it" \
        "saves a picture of the window as docs/window.png." >&2
fi
exit "$status"
