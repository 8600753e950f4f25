#!/usr/bin/env bash
# Prepares a folder in which to try the whole road from a drop to .fda files without the game:
# the tool and its script runner, two short tones whose names the script must escape, and the
# project's stand-in for the game's encoder as enc.exe, with a README.txt that says what all
# this is. Run again, it renews the programs and the read-me, makes only the tones that are
# missing, removes the stand-in's .fda files so that the tracks can be converted anew, and
# leaves alone an enc.exe that is not the stand-in (the game's own, put there by the user) and
# every .fda that it made. Needs sox and lame.
# Usage: tools/prepare-try-out.sh FOLDER BIN_FOLDER
set -euo pipefail
folder=$1
bin=$2

mkdir -p "$folder"
"$(dirname "$0")/place-programs.sh" "$folder" "$bin" >/dev/null

# Files are made in a hidden folder beside their place and renamed into it, so that an
# interrupted run leaves no half-made file under a final name.
work=$(mktemp -d "$folder/.preparing.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Three seconds of a stereo tone of the given pitch at CD quality, as a WAV file.
tone() {
    sox -R -n -r 44100 -b 16 -c 2 -t wav "$1" synth 3 sine "$2" fade 0.05 3 0.5 vol 0.5
}
mp3="Intro (Live) & More.mp3"
wav="100% Battle Theme.wav"
if [ ! -e "$folder/$mp3" ]; then
    tone "$work/tone.wav" 440
    lame --quiet "$work/tone.wav" "$work/tone.mp3"
    mv "$work/tone.mp3" "$folder/$mp3"
fi
if [ ! -e "$folder/$wav" ]; then
    tone "$work/tone.wav" 660
    mv "$work/tone.wav" "$folder/$wav"
fi

# Every file the stand-in writes starts with this text, so the program holds it; the game's
# encoder and its .fda files do not.
stand_in="VQ3 Music Tool stand-in encoder"
for fda in "$folder"/*.fda; do
    if [ -f "$fda" ] && head -c ${#stand_in} "$fda" | grep -qxF "$stand_in"; then
        rm "$fda"
    fi
done
if [ ! -e "$folder/enc.exe" ] || grep -qaF "$stand_in" "$folder/enc.exe"; then
    install -m 755 "$bin/vq3-stand-in-enc" "$work/enc.exe"
    mv -fT "$work/enc.exe" "$folder/enc.exe"
    encoder="a STAND-IN for the game's encoder, made by this project"
else
    encoder="not the stand-in: yours, kept as it is"
fi

cat > "$work/README.txt" <<TEXT
VQ3 Music Tool: a folder to try the tool in
===========================================

tools/start.sh made this folder so that the whole road, from music dropped on the tool to
.fda files, can be tried without the game. It holds:

  vq3mt                     the tool
  vq3run                    runs the tool's script, vq3mc.bat, in a small window of its own
  $mp3   two short tones to convert, made with lame and sox; the
  $wav     script must escape their names
  enc.exe                   $encoder

The stand-in's .fda files are NOT game audio and will not play in the game: each holds a
line saying so, the bit rate, and the length and CRC-32 checksum of the WAV file it was given.

To try it, start vq3mt from this folder (tools/start.sh does). Read its start-up warning and
press OK, open this folder in a file manager, drag both tones onto the tool's list and press
"Convert to .fda". A small window shows the conversion, its title the track it converts; the
.fda files appear in this folder, and the window ends saying "2 of 2 converted".

To make real .fda files, put the game's enc.exe here in place of the stand-in: tools/start.sh
keeps an enc.exe that is not the stand-in. For your own music folder, run tools/start.sh FOLDER.
TEXT
mv -fT "$work/README.txt" "$folder/README.txt"
