#!/usr/bin/env bash
# The runner's window as a user meets it, on a virtual display with a window manager:
# - it opens minimized;
# - closed while the script runs, it asks whether to stop; should the run end while that
#   question is up, the question goes, only the result is left, and the run counts as finished;
# - after a failure it comes up, and a key in it, or closing it, ends the run without a question;
# - its title shows the track while it converts, and how many converted once the result is out.
# Usage: runner-window.sh VQ3RUN STAND_IN
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
printf 'RIFF....WAVE' > "$folder/Bad [enc exit].wav"
# A track's lines, and the end of a script with or without a failure.
script() {
    printf 'cd %s\r\ntitle VQ3 Music Tool: 1 of 1: %s.wav\r\n' "$folder" "$1"
    printf 'start /b /min /wait enc.exe "%s.wav" "%s.aifr" 256\r\nren "%s.aifr" "%s.fda"\r\n' \
        "$1" "$1" "$1" "$1"
    printf 'msg * All files have been converted!\r\n%bexit\r\n' "$2"
}

boxes() { xdotool search --onlyvisible --name '^VQ3 Music Tool$' 2>/dev/null || true; }
waitFor() { for _ in $(seq 100); do eval "$1" && return 0; sleep 0.1; done; echo "never: $1" >&2; return 1; }
state() { xprop -id "$window" WM_STATE | grep -o 'Iconic\|Normal'; }
titled() { local want="VQ3 Music Tool: $1"; waitFor '[ "$(xdotool getwindowname "$window")" = "$want" ]'; }
start() {
    script "$1" "$2" > "$folder/vq3mc.bat"
    "$runner" "$folder/vq3mc.bat" > "$folder/out" 2>&1 & runnerPid=$!
    echo $runnerPid >> "$folder/pids"
    waitFor 'xdotool search --pid $runnerPid --name "^VQ3 Music Tool.+" >/dev/null'
    window=$(xdotool search --pid $runnerPid --name "^VQ3 Music Tool.+" | head -1)
}

# The runner starts once the window manager manages windows, as on a desktop.
openbox --startup "touch '$folder/managing'" >/dev/null 2>&1 & echo $! > "$folder/pids"
waitFor '[ -e "$folder/managing" ]'

start Song ""
waitFor '[ "$(state)" = Iconic ]'
titled "1 of 1: Song.wav"
xdotool windowmap "$window"
# Closed as a user closes it: through the window manager, once it has the window in hand.
waitFor 'xdotool windowactivate --sync "$window" 2>/dev/null && xdotool key alt+F4 && sleep 0.3 &&
         [ -n "$(boxes)" ]'
question=$(boxes)
touch "$folder/go"
# The question gives way to the result: one box, not the question.
waitFor '[ -n "$(boxes)" ] && [ "$(boxes)" != "$question" ] && [ "$(boxes | wc -l)" -eq 1 ]' ||
    { echo "the stop question stayed beside the result" >&2; exit 1; }
titled "1 of 1 converted"
xdotool windowactivate --sync "$(boxes)"
xdotool key Return
status=0
wait $runnerPid || status=$?
[ $status -eq 0 ] || { echo "the run ended with $status, not as finished:" >&2; cat "$folder/out" >&2; exit 1; }

# A failed run, ended once by a key and once by closing the window, which asks nothing then.
for end in space alt+F4; do
    start "Bad [enc exit]" 'pause\r\n'
    waitFor '[ -n "$(boxes)" ]'
    titled "0 of 1 converted, 1 not converted"
    xdotool windowactivate --sync "$(boxes)"
    xdotool key Return
    # The summary dismissed, the window comes up and waits.
    waitFor '[ "$(state)" = Normal ]' || { echo "the window stayed minimized after a failure" >&2; exit 1; }
    sleep 0.5
    kill -0 $runnerPid || { echo "the run ended without waiting" >&2; exit 1; }
    xdotool windowactivate --sync "$window"
    xdotool key $end
    waitFor '! kill -0 $runnerPid 2>/dev/null' || { echo "$end did not end the run: $(boxes)" >&2; exit 1; }
    status=0
    wait $runnerPid || status=$?
    [ $status -eq 1 ] || { echo "the failed run ended with $status" >&2; exit 1; }
done
echo "the runner's window: minimized, the stop question gives way to the result, a failure waits"
