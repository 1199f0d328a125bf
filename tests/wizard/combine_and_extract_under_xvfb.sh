#!/bin/sh
# Drives the real program in its own X server, as a person would with mouse
# and keyboard: one whole combine (the container's name typed into the edit,
# the files typed into the file dialog, two of three marked 圧縮) and one whole
# extract (the container typed into the file dialog, two of three entries
# chosen). Then checks the container's entries and the extracted bytes, and
# keeps a picture of every page and of a file dialog in PICTURES.
#   combine_and_extract_under_xvfb.sh PROGRAM KOMBREL_CLI PICTURES
set -eu
program=$1
cli=$2
pictures=$3
. "$(dirname "$0")/../support/xvfb_session.sh"
mkdir -p "$pictures"

# Sources of three kinds; the container and the extracted files go to out/.
mkdir "$work/src" "$work/out"
printf 'plain text, stored as it is\n' >"$work/src/notes.txt"
head -c 70000 /dev/urandom >"$work/src/noise.bin"
seq 1 20000 >"$work/src/numbers.txt"
container="$work/out/joined.kmb"

start_program() { start_wizard "$program" "$work"; }

# The window has no frame without a window manager: its client area is at
# 200,107 and the notebook's pages at 80,8 within it.
click_form() { # x y, within the client area
    xdotool mousemove $((200 + $1)) $((107 + $2)) click 1
    sleep 0.3
}
click_page() { # x y, within a page
    click_form $((80 + $1)) $((8 + $2))
}
press_next() { click_form 256 228; }
# Item i of a list at 16,40 (13 pixels each, below the frame).
list_item() {
    echo $((80 + 16 + 60 + 200)) $((8 + 107 + 40 + 3 + 13 * $1 + 6))
}
click_item() { # index [ctrl]
    set -- "$1" "${2:-}" $(list_item "$1")
    if [ "$2" = ctrl ]; then
        xdotool mousemove "$3" "$4" keydown ctrl click 1 keyup ctrl
    else
        xdotool mousemove "$3" "$4" click 1
    fi
    sleep 0.3
}
picture() {
    sleep 0.3
    import -window root "$pictures/$1.png" || fail "no picture $1"
}

# The file dialog: the one visible window besides the main window.
dialog=""
wait_for_dialog() {
    dialog=""
    tries=0
    while [ -z "$dialog" ]; do
        tries=$((tries + 1))
        [ $tries -le 100 ] || fail "no file dialog appeared"
        sleep 0.1
        dialog=$(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vx "$main_window" | head -n 1 || true)
    done
    sleep 0.5
}
wait_for_dialog_to_close() {
    tries=0
    while xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qvx "$main_window"; do
        tries=$((tries + 1))
        [ $tries -le 100 ] || fail "the file dialog stayed open"
        sleep 0.1
    done
    # The focus falls back to the root window; give it back to the form.
    xdotool windowfocus --sync "$main_window"
}
type_into_dialog() { # text, replacing what the file name box holds
    xdotool windowfocus --sync "$dialog"
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
}

# --- Combine ---------------------------------------------------------------
start_program
picture 1-page1
click_page 100 136 # ファイルを結合して１つにまとめる
press_next
click_page 120 162 # the file name edit
xdotool windowfocus --sync "$main_window"
xdotool type --delay 20 "$container"
picture 2-linkpage1-typed
press_next
click_page 257 124 # 追加
wait_for_dialog
# A folder typed and Enter opens it; then the three names, quoted. They are
# typed in the order the dialog lists them: it may return its own order.
type_into_dialog "$work/src"
xdotool key Return
sleep 0.5
type_into_dialog '"noise.bin" "notes.txt" "numbers.txt"'
picture 3-add-files-dialog
xdotool key Return
wait_for_dialog_to_close
click_item 1
click_item 2 ctrl
click_page 257 60 # 圧縮
picture 4-linkpage2-marked
press_next # 開始
tries=0
until [ -s "$container" ] && [ ! -e "$work/\$LDTEMP\$.TMP" ]; do
    tries=$((tries + 1))
    [ $tries -le 100 ] || fail "no container after 開始"
    sleep 0.1
done
picture 5-execute-finished
press_next # 終了
wait_for_exit 終了

"$cli" list --long "$container" >"$work/listing" || fail "kombrel cannot list the container"
for expected in '^ *0 .* store .* noise.bin$' '^ *1 .* deflate .* notes.txt$' '^ *2 .* deflate .* numbers.txt$'; do
    grep -q "$expected" "$work/listing" || fail "container listing lacks /$expected/: $(cat "$work/listing")"
done
[ "$(wc -l <"$work/listing")" -eq 3 ] || fail "container listing: $(cat "$work/listing")"

# --- Extract ---------------------------------------------------------------
start_program
click_page 100 160 # 結合したファイルを分解する
press_next
click_page 265 160 # 参照
wait_for_dialog
type_into_dialog "$container"
picture 6-container-dialog
xdotool key Return
wait_for_dialog_to_close
picture 7-restorepage1-chosen
press_next # lists the container
click_item 0
click_item 2 ctrl
picture 8-restorepage2-selected
press_next # 開始
tries=0
until [ -s "$work/out/numbers.txt" ]; do
    tries=$((tries + 1))
    [ $tries -le 100 ] || fail "nothing extracted after 開始"
    sleep 0.1
done
picture 9-execute-extracted
press_next # 終了
wait_for_exit 終了

cmp "$work/src/noise.bin" "$work/out/noise.bin" || fail "noise.bin differs"
cmp "$work/src/numbers.txt" "$work/out/numbers.txt" || fail "numbers.txt differs"
[ ! -e "$work/out/notes.txt" ] || fail "notes.txt was extracted without being chosen"
echo "combined three files, extracted two byte for byte; pictures in $pictures"
