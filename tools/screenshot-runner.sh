#!/usr/bin/env bash
# Renders what the script runner leaves on the screen at the end of three runs under Xvfb, framed
# by openbox, and saves docs/runner-success.png, docs/runner-failure.png and
# docs/runner-stopped.png: after a success and after a stop the result's box (the window closes
# with the script), after a failure the window waiting for a key, with the box moved off it. The
# runs convert the try-out folder's two tones with the script the tool writes for them; the
# encoder is the project's stand-in, which for the failure refuses the WAV and for the stop hangs
# on it until the window is closed and the stop confirmed.
# Usage: tools/screenshot-runner.sh [BUILD_FOLDER]   (build/release by default)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --on-display ]; then
    source tools/packages.sh
    tools/install-deps.sh "${BUILD_PACKAGES[@]}" "${RUNTIME_PACKAGES[@]}" xvfb xauth openbox \
        xdotool x11-utils imagemagick
    build=${1:-build/release}
    [ -f "$build/build.ninja" ] || cmake --preset release -B "$build"
    cmake --build "$build" --target vq3mt vq3run vq3_screenshot vq3_stand_in_encoder
    # A fixed folder rather than a random one: its name shows in the picture.
    folder="/tmp/vq3-runner-screenshot/VQ3 Music Tool"
    rm -rf "$(dirname "$folder")"
    trap 'rm -rf "$(dirname "$folder")"' EXIT
    tools/prepare-try-out.sh "$folder" "$build/bin" >/dev/null
    xvfb-run -a -s "-screen 0 1000x760x24 -dpi 96" "$0" --on-display "$build" "$folder"
    exit
fi

build=$2
folder=$3
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
waitFor() { for _ in $(seq 300); do eval "$1" && return 0; sleep 0.1; done; echo "never: $1" >&2; exit 1; }
box() { xdotool search --onlyvisible --name '^VQ3 Music Tool$' 2>/dev/null | head -1; }

openbox --startup "touch '$folder/../managing'" >/dev/null 2>&1 &
pids+=($!)
waitFor '[ -e "$folder/../managing" ]'

# The tool writes its script for both tones as its Convert button does; this program of it
# starts nothing.
tones=("Intro (Live) & More.mp3" "100% Battle Theme.wav")
"$build/tools/screenshot/vq3_screenshot" "$folder" "${tones[@]}" &
pids+=($!)
main=$(xdotool search --sync --onlyvisible --name '^VQ3 Music Tool 1')
xdotool windowactivate --sync "$main" key alt+c
waitFor '[ -e "$folder/vq3mc.bat" ]'
kill "${pids[-1]}"
mv "$folder/enc.exe" "$folder/../stand-in-enc"

# Starts the script with an encoder that first runs the given shell line; sets `window`.
run() {
    rm -f "$folder"/*.fda "$folder"/*.aifr
    printf '#!/bin/sh\n%s\nexec %q "$@"\n' "$1" "$(realpath "$folder/../stand-in-enc")" \
        > "$folder/enc.exe"
    chmod +x "$folder/enc.exe"
    (cd "$folder" && exec ./vq3run vq3mc.bat) >/dev/null 2>&1 &
    runner=$!
    pids+=($runner)
    waitFor 'window=$(xdotool search --pid $runner --name "^VQ3 Music Tool.+" | head -1) && [ -n "$window" ]'
}
# The window WINDOW brought up, any other box moved below it, and the window with its frame saved
# as docs/runner-NAME.png.
shoot() {
    xdotool windowmap --sync "$2" windowactivate --sync "$2" windowmove --sync "$2" 40 40
    [ -z "$(box)" ] || [ "$(box)" = "$2" ] || xdotool windowmove --sync "$(box)" 40 460
    sleep 1
    read -r left right top bottom < <(xprop -id "$2" _NET_FRAME_EXTENTS | grep -o '[0-9]\+' | paste -sd' ')
    read -r x y width height < <(xwininfo -id "$2" | awk '/Absolute upper-left X/ { x = $NF }
        /Absolute upper-left Y/ { y = $NF } /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
    import -window root -crop "$((width + left + right))x$((height + top + bottom))+$((x - left))+$((y - top))" \
        +repage "docs/runner-$1.png"
    echo "Saved docs/runner-$1.png"
}
ended() { waitFor '! kill -0 $runner 2>/dev/null'; }

run ":"
waitFor '[ -n "$(box)" ] && ! xdotool search --all --pid $runner --name "^VQ3 Music Tool.+" >/dev/null'
shoot success "$(box)"
xdotool windowactivate --sync "$(box)" key Return
ended

run 'case "$1" in 100*) echo "enc: cannot encode '\''$1'\'': not a WAV it knows" >&2; exit 3;; esac'
waitFor '[ -n "$(box)" ]'
xdotool windowactivate --sync "$(box)" key Return
waitFor 'xprop -id "$window" WM_STATE | grep -q Normal'
shoot failure "$window"
xdotool windowactivate --sync "$window" key space
ended

run 'case "$1" in 100*) sleep 600;; esac'
waitFor '[ -e "$folder/Intro (Live) & More.fda" ]'
xdotool windowmap --sync "$window"
waitFor 'xdotool windowactivate --sync "$window" 2>/dev/null && xdotool key alt+F4 && sleep 0.3 && [ -n "$(box)" ]'
xdotool windowactivate --sync "$(box)" key alt+y
waitFor '[ -n "$(box)" ] && ! xdotool search --all --pid $runner --name "^VQ3 Music Tool.+" >/dev/null'
shoot stopped "$(box)"
xdotool windowactivate --sync "$(box)" key Return
ended
