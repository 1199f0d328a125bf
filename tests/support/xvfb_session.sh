# Test support for shell tests of the real window, sourced by them: a private
# work folder ($work), an X server of its own ($DISPLAY), cleanup on exit,
# fail MESSAGE, start_wizard PROGRAM [FOLDER], which starts the program and
# waits for its visible window ($program_pid, $main_window), and
# wait_for_exit WHAT, which waits for it to end with exit code 0.
work=$(mktemp -d)
xvfb_pid=""
program_pid=""
main_window=""
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

# -noreset: the server would otherwise reset when its last client leaves, and
# simulated input would stop working; -r: no key auto-repeat; -displayfd: the
# server picks a free display.
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

# Qt gives hidden helper windows the application's name too: only a visible
# window with the exact title counts.
start_wizard() { # PROGRAM [FOLDER to start it in]
    (cd "${2:-.}" && exec "$1") >"$work/program.log" 2>&1 &
    program_pid=$!
    main_window=""
    tries=0
    while [ -z "$main_window" ]; do
        tries=$((tries + 1))
        [ $tries -le 200 ] || fail "no visible window titled \"Kombrel file utility\""
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended before showing its window"
        sleep 0.1
        main_window=$(xdotool search --onlyvisible --name '^Kombrel file utility$' 2>/dev/null | head -n 1 || true)
    done
    sleep 0.5 # let the first paint reach the server
}

wait_for_exit() { # WHAT should have ended it, for the failure message
    tries=0
    while kill -0 "$program_pid" 2>/dev/null; do
        tries=$((tries + 1))
        [ $tries -le 300 ] || fail "the program did not end on $1"
        sleep 0.1
    done
    status=0
    wait "$program_pid" || status=$?
    program_pid=""
    [ "$status" -eq 0 ] || fail "exit code $status, expected 0"
}
