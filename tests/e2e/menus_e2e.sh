#!/usr/bin/env bash
# The whole program in a real window, driven like a player with xdotool from a
# fresh copy of the game folder: title, map selection with and without a save,
# a game left through the pause menu, the controls menu, the story page, custom
# maps (one won, one refused) and quitting. Pictures of every screen go to OUT.
# Usage (under an X server): menus_e2e.sh PROGRAM X11_PROBE GAME_DIR OUT_DIR
set -euo pipefail

program=$(realpath "$1")
probe=$(realpath "$2")
game_source=$(realpath "$3")
out=$(realpath -m "$4")
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.log

work=$(mktemp -d)
pid=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# A fresh game folder; the shader off so colours can be checked exactly.
fresh_game() {
    rm -rf "$work/game"
    cp -r "$game_source" "$work/game"
    sed -i 's/^use_shader .*/use_shader 0/' "$work/game/config.ini"
}

window=""
start_program() {
    (cd "$work/game" && ALSOFT_DRIVERS=null exec "$program") >>"$out/program.log" 2>&1 &
    pid=$!
    for _ in $(seq 1 100); do
        window=$(xdotool search --name '^Vantorel$' 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || fail "no window appeared"
    xdotool windowmove "$window" 0 0 2>/dev/null || true  # wholly on screen, so it can be pictured
    xdotool windowfocus "$window" 2>/dev/null || true
    sleep 1
}

# Waits for the program to end; its exit status must be 0.
expect_exit() {
    local status=0
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    wait "$pid" || status=$?
    pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status ($1)"
}

move() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.3; }
click() { move "$1" "$2"; xdotool click 1; sleep 0.6; }
key() { xdotool key "$1"; sleep 0.5; }
shot() { "$probe" shot "$window" "$out/$1.png" || fail "no picture of $1"; }
pixel() { "$probe" pixel "$out/$1.png" "$2" "$3"; }

# Retakes picture NAME until pixel (X, Y) has colour "R G B", for up to 10 s.
expect_pixel() {
    local name=$1 x=$2 y=$3 want=$4 got=""
    for _ in $(seq 1 20); do
        shot "$name"
        got=$(pixel "$name" "$x" "$y")
        [ "$got" = "$want" ] && return 0
        sleep 0.5
    done
    fail "$name: pixel ($x, $y) is $got, expected $want"
}

# Retakes picture NAME until the area X Y W H has at least N lit pixels (or,
# given a channel r, g or b, pixels of that tint), for up to TRIES half-seconds.
expect_lit() {
    local name=$1 x=$2 y=$3 w=$4 h=$5 n=$6 channel=${7:-} tries=${8:-20} got=0
    for _ in $(seq 1 "$tries"); do
        shot "$name"
        if [ -n "$channel" ]; then
            got=$("$probe" tinted "$out/$name.png" "$x" "$y" "$w" "$h" "$channel")
        else
            got=$("$probe" lit "$out/$name.png" "$x" "$y" "$w" "$h")
        fi
        [ "$got" -ge "$n" ] && return 0
        sleep 0.5
    done
    fail "$name: only $got ${channel:-lit} pixels in $w x $h at ($x, $y)"
}

white="255 255 255"
grey="50 50 50"
green="0 255 0"
cyan="0 255 255"
red="255 0 0"
# The top edge of map button N's outline (1-based), on the first row.
button_edge_x() { echo $((20 + 96 * ($1 - 1) + 40)); }

fresh_game
start_program

# ---- Title: the pointer on "play game" lights the cyan highlight.
move 400 300
expect_pixel title-play 150 282 "$cyan"
move 400 560
expect_pixel title-quit 150 582 "$cyan"  # the red panel ends at y = 579; the quit highlight runs past it
move 700 100
shot title

# ---- Map selection without a save: only button 1 is white.
click 400 300
expect_pixel map-select-no-save "$(button_edge_x 1)" 63 "$white"
for n in 2 3 4 5; do
    [ "$(pixel map-select-no-save "$(button_edge_x "$n")" 63)" = "$grey" ] || fail "button $n is not grey without a save"
done
click "$(button_edge_x 2)" 80  # locked: nothing starts
expect_pixel map-select-no-save "$(button_edge_x 1)" 63 "$white"
key Escape
expect_pixel title-again 150 282 "$red"  # the pointer is above the entries: no highlight

# ---- With Saves/demo.sav holding 2, buttons 1 to 3 are white.
printf '2' >"$work/game/Saves/demo.sav"
click 400 300
expect_pixel map-select-save-2 "$(button_edge_x 3)" 63 "$white"
[ "$(pixel map-select-save-2 "$(button_edge_x 1)" 63)" = "$white" ] || fail "button 1 is not white with save 2"
[ "$(pixel map-select-save-2 "$(button_edge_x 4)" 63)" = "$grey" ] || fail "button 4 is not grey with save 2"
move "$(button_edge_x 2)" 80
expect_pixel map-select-hover "$(button_edge_x 2)" 63 "$green"

# ---- Map 1, left through the pause menu.
click "$(button_edge_x 1)" 80
sleep 2
shot game-map-1
key Escape
sleep 1
shot pause-menu
click 400 396
expect_pixel map-select-after-game "$(button_edge_x 1)" 63 "$white"
[ "$(cat "$work/game/Saves/demo.sav")" = "2" ] || fail "leaving a game changed the save"
move 20 10
click 20 10  # go back
expect_pixel title-after-map-select 150 282 "$red"

# ---- Controls: all six rebound, keys and a mouse button.
click 400 430
sleep 0.5
shot controls-menu
for k in i k j l; do key "$k"; done
xdotool click 2
sleep 0.5
key e
sleep 0.5
[ "$(cat "$work/game/controls.cfg" 2>/dev/null)" = "k105k107k106k108m2k101" ] ||
    fail "controls.cfg holds '$(cat "$work/game/controls.cfg" 2>/dev/null)'"
move 400 300
expect_pixel title-after-controls 150 282 "$cyan"

# ---- Controls abandoned halfway by Escape: the file stays as it was.
click 400 430
key w
key s
key Escape
[ "$(cat "$work/game/controls.cfg")" = "k105k107k106k108m2k101" ] || fail "an abandoned pass rewrote controls.cfg"
[ "$(ls -A "$work/game" | grep -c '^\.controls')" = "0" ] || fail "a temporary file was left behind"

# ---- Story page, left by Escape, then by holding the go-back button.
click 400 490
sleep 0.5
shot story-page
key Escape
move 400 300
expect_pixel title-after-story 150 282 "$cyan"
click 400 490
move 20 10
xdotool mousedown 1
sleep 0.5
xdotool mouseup 1
move 400 300
expect_pixel title-after-story-go-back 150 282 "$cyan"

# ---- Custom maps: a broken map refused with its reason, the example won.
printf '100 100 50\n' >"$work/game/Maps/broken.txt"
click 400 370
expect_lit custom-maps 144 64 512 64 200  # two rows: broken.txt, first-steps.txt
click 300 80
expect_lit custom-map-refused 0 570 800 30 50 r  # the refusal line is reddish
click 300 114
sleep 1.5
shot custom-map-playing
key F12  # a screenshot, named after the map's file
xdotool keydown l  # right, as the controls menu bound it above
expect_lit custom-map-won 0 570 800 30 50 g 80  # back on the list, the success line in green
xdotool keyup l
[ "$(cat "$work/game/Saves/demo.sav")" = "2" ] || fail "a custom map touched the save"
ls "$work/game/Screenshots" | grep -q 'first-steps' || fail "no screenshot named after first-steps.txt"
key Escape

# ---- Quit: exit status 0.
click 400 560
expect_exit "quit game"

# ---- No Maps folder: the custom-map screen says so and go-back works.
rm -rf "$work/game/Maps"
start_program
click 400 370
expect_lit custom-maps-empty 0 260 800 80 200
click 20 10
move 400 300
expect_pixel title-after-empty-custom 150 282 "$cyan"

# ---- A close request while the controls menu waits: nothing written, status 0.
cp "$work/game/controls.cfg" "$work/controls.before"
click 400 430
key q
"$probe" close "$window"
expect_exit "close during the controls menu"
cmp -s "$work/game/controls.cfg" "$work/controls.before" || fail "closing during the controls menu rewrote controls.cfg"

echo "All screens passed; pictures in $out"
