#!/usr/bin/env bash
# Puts the tool, vq3mt, and its script runner, vq3run, from BIN_FOLDER into FOLDER and says so.
# Nothing else in FOLDER is touched. Each program is copied under a temporary name and renamed
# over the old one, so that a copy still running keeps its file.
# Usage: tools/place-programs.sh FOLDER BIN_FOLDER
set -euo pipefail
folder=$1
bin=$2

for program in vq3mt vq3run; do
    replacing=""
    [ -e "$folder/$program" ] && replacing=", in place of the one there"
    copy=$(mktemp "$folder/.$program.XXXXXX")
    install -m 755 "$bin/$program" "$copy"
    mv -fT "$copy" "$folder/$program"
    echo "Copied $program into $folder$replacing"
done
