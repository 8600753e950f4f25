#!/usr/bin/env bash
# Under a virtual display with a window manager: the runner's window opens minimized, and asks
# whether to stop when it is closed; should the run end while that question is up, the question goes and only the
# result is left on screen, and the run counts as finished, not stopped.
# Usage: stop-question-closes.sh VQ3RUN STAND_IN
set -euo pipefail
runner=$1
standIn=$(realpath "$2")
folder=$(mktemp -d)
# The window is drawn on the virtual display, not off screen.
unset QT_QPA_PLATFORM
trap 'kill $(cat "$folder/pids") 2>/dev/null || true; rm -rf "$folder"' EXIT

# The session bus library Qt loads on a display keeps a buffer to the end; the leak checker of a
# sanitized build is told so, and still watches everything else.
echo "leak:libdbus-1.so" > "$folder/leaks"
export LSAN_OPTIONS="suppressions=$folder/leaks"

# An encoder that waits until the test lets it go.
printf '#!/bin/sh\nwhile [ ! -e go ]; do sleep 0.1; done\nexec %q "$@"\n' "$standIn" > "$folder/enc.exe"
chmod +x "$folder/enc.exe"
printf 'RIFF....WAVE' > "$folder/Song.wav"
printf 'cd %s\r\nstart /b /min /wait enc.exe "Song.wav" "Song.aifr" 256\r\nren "Song.aifr" "Song.fda"\r\nmsg * All files have been converted!\r\nexit\r\n' \
    "$folder" > "$folder/vq3mc.bat"

boxes() { xdotool search --onlyvisible --name '^VQ3 Music Tool$' 2>/dev/null | wc -l; }
waitFor() { for _ in $(seq 100); do eval "$1" && return 0; sleep 0.1; done; echo "never: $1" >&2; return 1; }

# The runner starts once the window manager manages windows, as on a desktop.
openbox --startup "touch '$folder/managing'" >/dev/null 2>&1 & echo $! > "$folder/pids"
waitFor '[ -e "$folder/managing" ]'
"$runner" "$folder/vq3mc.bat" > "$folder/out" 2>&1 & runnerPid=$!
echo $runnerPid >> "$folder/pids"
waitFor 'xdotool search --name "^VQ3 Music Tool - " >/dev/null'
window=$(xdotool search --name "^VQ3 Music Tool - " | head -1)
# It opened minimized, out of the user's way.
waitFor 'xprop -id "$window" WM_STATE | grep -q Iconic'
xdotool windowmap "$window"
# Closed as a user closes it: through the window manager, once it has the window in hand.
waitFor 'xdotool windowactivate --sync "$window" 2>/dev/null && xdotool key alt+F4 && sleep 0.3 &&
         [ "$(boxes)" -eq 1 ]'

touch "$folder/go"
# The question gives way to the result: one box still, and the result's one.
waitFor '[ -e "$folder/Song.fda" ]'
sleep 1
[ "$(boxes)" -eq 1 ] || { echo "the stop question stayed beside the result" >&2; exit 1; }
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^VQ3 Music Tool$')"
xdotool key Return
status=0
wait $runnerPid || status=$?
[ $status -eq 0 ] || { echo "the run ended with $status, not as finished:" >&2; cat "$folder/out" >&2; exit 1; }
echo "the stop question closed when the result came"
