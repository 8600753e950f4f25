#!/usr/bin/env bash
# Renders the main window with a few files listed under Xvfb, framed by a window manager so
# that its title bar shows, and saves docs/window.png.
# Usage: tools/screenshot.sh [BUILD_FOLDER]   (build/release by default)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${BUILD_PACKAGES[@]}" libqt6svg6 xvfb xauth openbox xdotool imagemagick

build=${1:-build/release}
[ -f "$build/build.ninja" ] || cmake --preset release -B "$build"
cmake --build "$build" --target vq3_screenshot

# A fixed folder rather than a random one: its name shows in the picture.
base=/tmp/vq3-screenshot
rm -rf "$base"
trap 'rm -rf "$base"' EXIT
music="$base/VQ3 Music Tool"
mkdir -p "$music"
names=("Intro.mp3" "Battle Theme.wav" "Boss Fight (Extended Mix).mp3" "Credits.mp3")
for name in "${names[@]}"; do : > "$music/$name"; done

xvfb-run -a -s "-screen 0 460x500x24 -dpi 96" bash -c '
    openbox & wm=$!
    sleep 1
    "$0" "$1" "${@:2}" & app=$!
    window=$(xdotool search --sync --onlyvisible --name "^VQ3 Music Tool")
    sleep 1
    import -frame -window "$window" docs/window.png
    kill $app $wm' "$build/tools/screenshot/vq3_screenshot" "$music" "${names[@]}"
echo "Saved docs/window.png"
