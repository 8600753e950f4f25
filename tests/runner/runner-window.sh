#!/usr/bin/env bash
# The runner's window as a user meets it, on a virtual display with a window manager, read through
# its accessibility texts as a screen reader reads them:
# - it opens minimized, its title naming the track it converts; a second run in the folder,
#   started from elsewhere, is turned away;
# - closed while the script runs, it asks whether to stop; should the run end while that question
#   is up, the question goes, only the result is left, and the run counts as finished;
# - its result comes up above other windows but leaves the keyboard to the one that has it; the
#   run lets go of the folder at once, and vq3run ends only once the box is dismissed;
# - after a failure it counts what converted and what did not, comes up beside the summary (the
#   keyboard left where it was), and a key in it, or closing it, ends the run without a question,
#   though the summary stays up until read; without a display the console says the same;
# - stopped, it counts what converted, names the files, and keeps only the finished track's; the
#   stop's result does not hold the folder either.
# Usage: runner-window.sh VQ3RUN STAND_IN   (on a display, in a session bus of its own)
set -euo pipefail
runner=$1
standIn=$(realpath "$2")
folder=$(mktemp -d)
# The window is drawn on the virtual display, not off screen, and always tells the bus for
# assistive technology what it shows.
unset QT_QPA_PLATFORM
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
trap 'kill $(cat "$folder/pids") 2>/dev/null || true; rm -rf "$folder"' EXIT
# The session bus library Qt loads on a display keeps a buffer to the end; the leak checker of a
# sanitized build is told so, and still watches everything else.
echo "leak:libdbus-1.so" > "$folder/leaks"
export LSAN_OPTIONS="suppressions=$folder/leaks"

# An encoder that starts its output, then waits until the test lets the track go.
printf '#!/bin/sh\n: > "$2"\nwhile [ ! -e "go/$1" ]; do sleep 0.1; done\nexec %q "$@"\n' "$standIn" > "$folder/enc.exe"
chmod +x "$folder/enc.exe"
long="Long Track Name From The Album Live At Wembley Stadium In The Summer Of 1986"
for track in Song Intro "Bad [enc exit]" "$long"; do printf 'RIFF....WAVE' > "$folder/$track.wav"; done
# Two tracks' lines, and the end of a script with or without a failure.
script() {
    printf 'cd %s\r\n' "$folder"
    printf 'title VQ3 Music Tool: %s of 2: %s.wav\r\nstart /b /min /wait enc.exe "%s.wav" "%s.aifr" 256\r\nren "%s.aifr" "%s.fda"\r\n' \
        1 "$1" "$1" "$1" "$1" "$1" 2 "$2" "$2" "$2" "$2" "$2"
    printf 'msg * All files have been converted!\r\n%bexit\r\n' "$3"
}
# What a screen reader reads: the window's name, its label, its bar (text, value/maximum), and
# the text of each box shown.
texts() { /usr/bin/python3 - "$runnerPid" <<'EOF'
import pyatspi, sys
app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == int(sys.argv[1]))
window, bar = app[0], app[0][1]
print(f"{window.name} | {window[0].name} | {bar.name} {bar.queryValue().currentValue:g}/{bar.queryValue().maximumValue:g}")
for box in (b for b in list(app)[1:] if b.getState().contains(pyatspi.STATE_SHOWING)):
    print(next(c.name for c in box if c.getRole() == pyatspi.ROLE_LABEL))
EOF
}
reads() { want=$1; waitFor '[ "$(texts 2>&1)" = "$want" ]' || { echo "read: $(texts 2>&1)" >&2; exit 1; }; }
boxes() { xdotool search --onlyvisible --name '^VQ3 Music Tool$' 2>/dev/null || true; }
waitFor() { for _ in $(seq 100); do eval "$1" && return 0; sleep 0.1; done; echo "never: $1" >&2; return 1; }
state() { xprop -id "$window" WM_STATE | grep -o 'Iconic\|Normal'; }
alive() { grep -qs '^State:\s*[^Z]' /proc/$runnerPid/status; }
# The script has ended, while vq3run lives on for a box still up.
released() { waitFor 'flock -n "$folder" true'; alive || { echo "vq3run ended with a box up" >&2; exit 1; }; }
start() {
    rm -rf "$folder"/*.fda "$folder/go" && mkdir "$folder/go" && script "$@" > "$folder/vq3mc.bat"
    "$runner" "$folder/vq3mc.bat" > "$folder/out" 2>&1 & runnerPid=$!
    echo $runnerPid >> "$folder/pids"
    waitFor 'window=$(xdotool search --pid $runnerPid --name "^VQ3 Music Tool.+" | head -1) && [ -n "$window" ]'
}
# Closed as a user closes it: through the window manager, once it has the window in hand.
closeIt() {
    xdotool windowmap "$window"
    waitFor 'xdotool windowactivate --sync "$window" 2>/dev/null && xdotool key alt+F4 && sleep 0.3 && [ -n "$(boxes)" ]'
}
same() { [ "$1" = "$2" ] || { echo "got: $1" >&2; exit 1; }; }
ended() { local status=0; waitFor '! alive'; wait $runnerPid || status=$?; [ $status -eq "$1" ] || { echo "ended with $status:" >&2; cat "$folder/out" >&2; exit 1; }; }
files() { same "$(cd "$folder" && echo *.wav *.fda *.aifr)" "$1"; }
# The runner without a display, started from another folder: what it says, and how it ends.
console() { (cd / && env -u DISPLAY "$runner" "$folder/vq3mc.bat" 2>&1 >/dev/null; echo "ended with $?"); }

# The assistive technology's bus, and a window manager, are up before the runner starts.
/usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0)'
openbox --startup "touch '$folder/managing'" >/dev/null 2>&1 & echo $! > "$folder/pids"
waitFor '[ -e "$folder/managing" ]'
xmessage "another program" & echo $! >> "$folder/pids"
other=$(xdotool search --sync --class Xmessage | head -1)

start Song Intro ""
waitFor '[ "$(state)" = Iconic ]'
reads "VQ3 Music Tool: 1 of 2: Song.wav | Converting 1 of 2: Song.wav | 0 of 2 done 0/2"
same "$(console)" $'A conversion is already running in this folder. Wait until it has finished, then try again.\nended with 1'
closeIt
# Another program has the keyboard when the run ends: it keeps it.
xdotool windowactivate --sync "$other"
touch "$folder/go/Song.wav" "$folder/go/Intro.wav"
# The question gives way to the result: one box, not the question.
reads $'VQ3 Music Tool: 2 of 2 converted | 2 of 2 converted | 2 of 2 converted 2/2\nAll files have been converted!'
released
xprop -id "$(boxes)" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || { echo "the box is not kept above other windows" >&2; exit 1; }
same "$(xdotool getactivewindow)" "$other"
xdotool windowactivate --sync "$(boxes)" key Return
ended 0

# A failed run, ended once by a key and once by closing the window, which asks nothing then.
failed="1 of 2 converted, 1 not converted"
why=$'Not every file was converted: 1 of 2 was not converted.\n\n\'Bad [enc exit].wav\': \'enc.exe\' failed: it ended with exit status 3, saying "stand-in: failing on purpose".'
for end in space alt+F4; do
    start Song "Bad [enc exit]" 'pause\r\n'
    xdotool windowactivate --sync "$other"
    touch "$folder/go/Song.wav" "$folder/go/Bad [enc exit].wav"
    # Beside the summary, the window comes up and waits, holding the folder; the keyboard stays
    # with the other program.
    reads "VQ3 Music Tool: $failed | $failed.  Press a key, or close this window. | $failed 1/2"$'\n'"$why"
    waitFor '[ "$(state)" = Normal ]' || { echo "the window stayed minimized after a failure" >&2; exit 1; }
    sleep 0.5
    ! flock -n "$folder" true || { echo "the run ended without waiting" >&2; exit 1; }
    same "$(xdotool getactivewindow)" "$other"
    xdotool windowactivate --sync "$window" key $end
    # The window goes with the script; the summary stays until read.
    released
    waitFor '[ -z "$(state)" ]'
    xdotool windowactivate --sync "$(boxes)" key Return
    ended 1
    files "Bad [enc exit].wav Intro.wav $long.wav Song.wav Song.fda *.aifr"
done
rm "$folder/Song.fda"
same "$(console)" "$failed."$'\n'"$why"$'\nended with 1'

# Stopped while the second track converts: the first is kept, the second's output goes. A long
# name does not resize the minimized window, which would bring it up.
start Song "$long" ""
touch "$folder/go/Song.wav"
reads "VQ3 Music Tool: 2 of 2: $long.wav | Converting 2 of 2: $long.wav | 1 of 2 done 1/2"
sleep 0.5
same "$(state)" Iconic
closeIt
xdotool windowactivate --sync "$(boxes)" key alt+y
reads $'VQ3 Music Tool: Stopped: 1 of 2 converted | Stopped: 1 of 2 converted | Stopped: 1 of 2 converted 1/2\nThe conversion was stopped: 1 of 2 converted.\nConverted: \'Song.wav\'.\nNot converted: \''"$long"$'.wav\'.'
released
xdotool windowactivate --sync "$(boxes)" key Return
ended 1
files "Bad [enc exit].wav Intro.wav $long.wav Song.wav Song.fda *.aifr"

# A lock handed over that is not the folder's is refused, saying why.
same "$(cd / && env -u DISPLAY "$runner" --lock-fd=0 "$folder/vq3mc.bat" 2>&1 >/dev/null </dev/null; echo "ended with $?")" \
    "The conversion cannot start: the folder '$folder' cannot be locked: the lock handed over is not this folder's, or no longer held."$'\nended with 1'
echo "the runner's window: minimized, its title and texts in tracks, the question gives way, results on top without the keyboard nor the folder, a failure waits, a stop keeps what converted"
