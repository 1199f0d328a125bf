#!/bin/sh
# Starts the real program in its own X server, waits for its window, keeps a
# picture of it, presses キャンセル and expects the program to end with code 0.
#   window_under_xvfb.sh PROGRAM PICTURE
set -eu
program=$1
picture=$2
. "$(dirname "$0")/../support/xvfb_session.sh"

start_wizard "$program"
window=$main_window

# Without a window manager there is no frame: the client area sits where the
# program put the window.
geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x "," y " " w "x" h}')
[ "$geometry" = "200,107 401x248" ] || fail "window at $geometry, expected 200,107 401x248"

import -window "$window" "$picture" || fail "no picture of the window"

# キャンセル lies at 304, 216 (83 x 25) on the client area at 200, 107.
xdotool mousemove 545 335 click 1

wait_for_exit キャンセル
echo "window shown, picture in $picture, closed with exit code 0"
