#!/bin/sh
# Starts the real program in its own X server, waits for its window, keeps a
# picture of it, presses キャンセル and expects the program to end with code 0.
#   window_under_xvfb.sh PROGRAM PICTURE
set -eu
program=$1
picture=$2
work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}

# -noreset: the server would otherwise reset when its last client leaves;
# -r: no key auto-repeat; -displayfd: the server picks a free display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -r -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
tries=0
until [ -s "$work/display" ]; do
    tries=$((tries + 1))
    [ $tries -le 100 ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
done
DISPLAY=:$(cat "$work/display")
export DISPLAY
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

"$program" >"$work/program.log" 2>&1 &
program_pid=$!

window=""
tries=0
while [ -z "$window" ]; do
    tries=$((tries + 1))
    [ $tries -le 200 ] || fail "no visible window titled \"Kombrel file utility\""
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before showing its window"
    sleep 0.1
    window=$(xdotool search --onlyvisible --name '^Kombrel file utility$' 2>/dev/null | head -n 1 || true)
done

# Without a window manager there is no frame: the client area sits where the
# program put the window.
geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x "," y " " w "x" h}')
[ "$geometry" = "200,107 401x248" ] || fail "window at $geometry, expected 200,107 401x248"

sleep 0.5 # let the first paint reach the server
import -window "$window" "$picture" || fail "no picture of the window"

# キャンセル lies at 304, 216 (83 x 25) on the client area at 200, 107.
xdotool mousemove 545 335 click 1

tries=0
while kill -0 "$program_pid" 2>/dev/null; do
    tries=$((tries + 1))
    [ $tries -le 100 ] || fail "the window did not close on キャンセル"
    sleep 0.1
done
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "exit code $status, expected 0"
echo "window shown, picture in $picture, closed with exit code 0"
