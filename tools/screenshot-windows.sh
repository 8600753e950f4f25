#!/usr/bin/env bash
# Renders the native Windows window under Wine, with a window manager for the title bar and four
# files dropped on the list, and saves docs/window-windows.png. The window is the bench's start-up
# probe: the tool's own window, with the warning answered and the files dropped as the shell
# drops them (a DROPFILES message).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${WINDOWS_BUILD_PACKAGES[@]}" wine wine64 xvfb xauth openbox xdotool \
    imagemagick fonts-liberation

[ -f build/windows-release/build.ninja ] || cmake --preset windows-release >/dev/null
cmake --build --preset windows-release --target vq3_win_startup_probe

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
music="$WINEPREFIX/drive_c/VQ3 Music Tool"
mkdir -p "$music"
cp build/windows-release/bench/windows/vq3_win_startup_probe.exe "$music/vq3mt.exe"
dropped=()
for name in "Intro.mp3" "Battle Theme.wav" "Boss Fight (Extended Mix).mp3" "Credits.mp3"; do
    : > "$music/$name"
    dropped+=("C:\\VQ3 Music Tool\\$name")
done

xvfb-run -a -s "-screen 0 640x560x24 -dpi 96 -nolisten tcp" bash -c '
    set -e
    openbox >/dev/null 2>&1 & wm=$!
    wineboot -i 2>/dev/null
    wine "$0" --stay "$@" >/dev/null & app=$!
    window=$(timeout 60 xdotool search --sync --name "^VQ3 Music Tool 1.4.0$" | head -1)
    sleep 2
    import -frame -window "$window" docs/window-windows.png
    kill $app $wm' "$music/vq3mt.exe" "${dropped[@]}"
echo "Saved docs/window-windows.png"
