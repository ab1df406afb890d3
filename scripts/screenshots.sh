#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots of the user guide (resources/Doc/images/) on a private X server:
# Brelin with copies of the project's own test photos (tests/data/make-images.py), its info
# panel, its preview, and a finished run.
# Usage: scripts/screenshots.sh   (after a build into build/)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$here/resources/Doc/images"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$out" "$work/home"
# Sound photos at the top, so that the rows clicked below are photos; the damaged one in a
# folder of its own, for the unprocessed-files window.
mkdir -p "$work/photos/damaged"
cp "$here"/tests/data/photos/orientation/*.jpg "$here"/tests/data/photos/xmp/*.jpg \
    "$here/tests/data/photos/large_with_exif.jpg" "$work/photos/"
cp "$here/tests/data/photos/corrupted.jpg" "$work/photos/damaged/"

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
export QT_QPA_PLATFORM=xcb LANG="${LANG:-C.UTF-8}"
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp &
sleep 1
export DISPLAY="$display"

shot() { # NAME: the main window's area, plus the preview where it stands over it
    sleep 1.5
    import -window root -crop 1120x720+0+0 +repage "$out/$1.png"
}

dbus-run-session -- bash -c '
    set -e
    "$0/build/bin/brelin" &
    sleep 2
    "$0/build/bin/brelin" "$1/photos"          # a second start hands the folder over
    sleep 2
    xdotool mousemove 20 66 click 1            # open the folder
    sleep 0.5
    xdotool mousemove 200 182 click 1          # select a photo
    '"$(declare -f shot)"'
    out="$2"
    shot main-window
    xdotool key ctrl+i; shot info-panel
    xdotool mousemove 200 582 click 1; sleep 0.5   # a larger photo for the preview
    xdotool key space; shot preview
    xdotool key space; sleep 0.5
    xdotool type large_with; sleep 1           # the largest photo, found by typing its name
    xdotool key ctrl+k; sleep 3                # the compare window, at 100 % on a detail
    xdotool key 1 Left Left Left Left Left Left Left Left Left; shot compare
    xdotool key Escape; sleep 0.5
    xdotool mousemove 391 677 click 1          # Process, beside the open info panel
    sleep 20
    shot finished-run
    kill %1
' "$here" "$work" "$out"
echo "screenshots in $out"
