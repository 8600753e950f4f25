#!/usr/bin/env bash
# Renders the main window with a few files listed under Xvfb and saves docs/window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${BUILD_PACKAGES[@]}" xvfb xauth imagemagick

[ -f build/release/build.ninja ] || cmake --preset release
cmake --build --preset release --target vq3_screenshot

base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
music="$base/VQ3 Music Tool"
mkdir "$music"
names=("Intro.mp3" "Battle Theme.wav" "Boss Fight (Extended Mix).mp3" "Credits.mp3")
for name in "${names[@]}"; do : > "$music/$name"; done

xvfb-run -a -s "-screen 0 460x500x24 -dpi 96" bash -c '
    "$0" "$1" "${@:2}" & app=$!
    sleep 2
    import -window root docs/window.png
    kill $app' build/release/tools/screenshot/vq3_screenshot "$music" "${names[@]}"
echo "Saved docs/window.png"
