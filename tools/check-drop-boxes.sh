#!/usr/bin/env bash
# What a user meets after a drop from a file manager, under Xvfb and openbox: four files, none of
# them in the tool's folder, dragged from pcmanfm onto the tool's list while pcmanfm has the
# focus. Each refusal box must come up above every window, pcmanfm and the tool's window
# included, visible, centred on the tool's window and with the tool's icon, and be dismissed as a
# user would. With Qt the box has the keyboard focus, so Return alone dismisses it; and the tool,
# which takes no command line, is started with options Qt would obey (another platform) that
# must change nothing. Under Wine OK is clicked: Debian's Wine cannot ask the window manager for
# the focus. Under Wine it also checks the icons of vq3mt.exe (16 to 256 pixels) and of its
# window at 96 and at 144 DPI.
# Usage: tools/check-drop-boxes.sh qt PROGRAM | tools/check-drop-boxes.sh windows PROGRAM.exe
set -euo pipefail
kind=$1
program=$(realpath "$2")
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${CHECK_PACKAGES[@]}"
[ "$kind" = qt ] || tools/install-deps.sh wine wine64 icoutils
base=$(mktemp -d)
pids=()
# Under Wine, a prefix of its own: the check changes its registry.
export WINEPREFIX=$base/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME=$base/home
trap 'kill "${pids[@]}" 2>/dev/null || true
      [ ! -d "$WINEPREFIX" ] || wineserver -k 2>/dev/null || true; rm -rf "$base"' EXIT
mkdir -p "$base/VQ3 Music Tool" "$base/Elsewhere" "$HOME"
tool="$base/VQ3 Music Tool/$(basename "$program")"
cp "$program" "$tool"
touch "$base/Elsewhere/"{A,B,C,D}.mp3

fail() {
    echo "check-drop-boxes ($kind): $*" >&2
    tail -n 20 "$base/tool.log" >&2 2>/dev/null || true
    exit 1
}
# Polls the command given for up to 30 s.
within() { for _ in $(seq 300); do "$@" && return || sleep 0.1; done; return 1; }
# The id of a shown window whose name matches, other than the ids given.
shown_named() {
    local id
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        [[ " ${*:2} " == *" $id "* ]] || { echo "$id" && return; }
    done
    return 1
}
gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
# x y width height of a window's client area on the screen.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                             /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}
icon_sizes() {
    xprop -id "$1" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -u | paste -sd' '
}

# Starts the tool, answers its start-up warning, sets `main` to its window and checks that it has
# icons, of the sizes given if any.
start_tool() {
    [ "$kind" = qt ] && starter=(env QT_QPA_PLATFORM=xcb) options=(-platform offscreen) ||
        starter=(wine) options=()
    "${starter[@]}" "$tool" "${options[@]}" >>"$base/tool.log" 2>&1 & pids+=($!)
    local warning
    warning=$(within shown_named '^VQ3 Music Tool$') || fail "no start-up warning"
    xdotool windowfocus --sync "$warning" key Return
    main=$(within shown_named '^VQ3 Music Tool 1\.4\.0$') || fail "no window after the warning"
    icons=$(icon_sizes "$main")
    [ -n "$icons" ] && [ "$icons" = "${1:-$icons}" ] || fail "the window's icons are '$icons'"
}

# A virtual display of its own, on the first free number.
Xvfb -displayfd 3 -screen 0 1280x800x24 -dpi 96 -nolisten tcp 3>"$base/display" & pids+=($!)
within test -s "$base/display"
export DISPLAY=:$(cat "$base/display")
# Openbox runs its start-up command once it manages windows; a window mapped before may stay
# unmanaged.
openbox --startup "touch '$base/managing'" >/dev/null 2>&1 & pids+=($!)
within test -f "$base/managing"

if [ "$kind" = windows ]; then
    wineboot -i 2>/dev/null
    wrestool -x -t 14 "$tool" >"$base/vq3mt.ico"
    drawn=$(icotool -l "$base/vq3mt.ico" | grep -o 'width=[0-9]*' | paste -sd' ')
    [ "$drawn" = "width=16 width=20 width=24 width=32 width=40 width=48 width=64 width=256" ] ||
        fail "vq3mt.exe's icon has $drawn"
fi
start_tool "$([ "$kind" = qt ] || echo "Icon (16 x 16) Icon (32 x 32)")"
xdotool windowmove --sync "$main" 700 150

pcmanfm "$base/Elsewhere" >"$base/pcmanfm.log" 2>&1 & pids+=($!)
manager=$(within shown_named '^Elsewhere$') || fail "pcmanfm did not open"
xdotool windowmove --sync "$manager" 20 60 windowsize --sync "$manager" 800 500
sleep 1 # pcmanfm lays out its icons

# All four files selected, then dragged by the first one onto the tool's list, in steps as a hand
# moves: past the drag threshold first, then across.
xdotool mousemove --window "$manager" 480 340 click 1 key ctrl+a
read -r fx fy _ _ < <(geometry "$manager")
read -r mx my mw mh < <(geometry "$main")
x0=$((fx + 206)) y0=$((fy + 98)) x1=$((mx + 250)) y1=$((my + 200))
xdotool mousemove "$x0" "$y0" mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((x0 + 4 * step)) $((y0 + 4 * step)) sleep 0.1; done
for step in $(seq 8); do
    xdotool mousemove $((x0 + (x1 - x0) * step / 8)) $((y0 + (y1 - y0) * step / 8)) sleep 0.15
done
xdotool mouseup 1

seen=()
for i in 1 2 3 4; do
    box=$(within shown_named '^VQ3 Music Tool$' "${seen[@]}") || fail "box $i did not come up"
    seen+=("$box")
    xprop -root _NET_CLIENT_LIST_STACKING | grep -qi "$(printf '0x%x' "$box")\$" ||
        fail "box $i is not above every window"
    read -r bx by bw bh < <(geometry "$box")
    # Within a title bar's height: Qt places a box by its frame, which it can only estimate.
    off_x=$((bx + bw / 2 - mx - mw / 2)) off_y=$((by + bh / 2 - my - mh / 2))
    [ "${off_x#-}" -le 24 ] && [ "${off_y#-}" -le 24 ] ||
        fail "box $i is not centred on the window ($off_x, $off_y)"
    [ -n "$(icon_sizes "$box")" ] || fail "box $i has no icon"
    if [ "$kind" = qt ]; then
        [ "$(xdotool getactivewindow)" = "$box" ] || fail "box $i does not have the keyboard focus"
        xdotool key Return
    else
        xdotool mousemove --window "$box" $((bw / 2)) $((bh - 20)) click 1
    fi
    within gone "$box" || fail "box $i was not dismissed"
done

if [ "$kind" = windows ]; then
    kill "${pids[@]:2}"
    pids=("${pids[@]:0:2}")
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    start_tool "Icon (24 x 24) Icon (48 x 48)"
fi
echo "check-drop-boxes ($kind): 4 boxes above every window, centred on the tool's, with its icon"
