#!/usr/bin/env bash
# Drives the real corvane program on an X server of its own (xvfb-run -a
# picks a free display) with xdotool: no device, plugging the sample device,
# a refused copy, a real copy of two checked tracks, a second start, settings
# across a restart, a detail column shown from the header's menu and sorted
# by, kept across a restart, unplugging, a device without a database. Every wait has a deadline; the user's own
# configuration, runtime folder and desktop are never touched.
#
#   corvane-e2e.sh CORVANE SAMPLE_DEVICE_TOOL
set -euo pipefail

if [ -z "${CORVANE_E2E_INNER:-}" ]; then
    export CORVANE_E2E_INNER=1
    exec timeout 240 xvfb-run -a -s "-screen 0 1920x1200x24 -nolisten tcp -noreset" "$0" "$@"
fi

corvane="$1"
sample_tool="$2"
# A sanitizer build reports leaks at exit; those of system libraries are
# listed in the tests folder.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")/.." && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# shellcheck source=e2e-sandbox.sh
source "$(dirname "$0")/e2e-sandbox.sh" corvane-e2e
export QT_QPA_PLATFORM=xcb
# The clicks below land by pixel position, so besides its size (96 DPI, set
# by the sandbox) the font is pinned: DejaVu only, whatever else the machine
# has installed.
export FONTCONFIG_FILE="$work/fonts.conf"
cat > "$FONTCONFIG_FILE" <<FONTS
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$work/fontconfig-cache</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
  <alias binding="strong"><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
</fontconfig>
FONTS

failure_shot="$PWD/corvane-e2e-failure.png"
fail() {
    echo "FAIL: $*" >&2
    xwininfo -root -tree 2>/dev/null | grep -i corvane >&2 || true
    import -window root "$failure_shot" 2>/dev/null && echo "screen saved as $failure_shot" >&2
    exit 1
}

visible() { xdotool search --onlyvisible --name "$1"; }
not_visible() { ! visible "$1"; }
main_window() { xdotool search --onlyvisible --name '^Corvane 1\.0$' | head -n1; }
# The no-device window is named Corvane, as the transfer window and the
# message boxes are; its size tells it apart.
nodevice_window() {
    visible '^Corvane$' | while read -r w; do
        xdotool getwindowgeometry "$w" | grep -q 'Geometry: 525x341' && echo "$w"
    done | head -n1
}
nodevice_shown() { [ -n "$(nodevice_window)" ]; }
nodevice_hidden() { ! nodevice_shown; }

start_corvane() {
    (cd / && exec "$corvane") &
    corvane_pid=$!
    pids+=("$corvane_pid")
    wait_for 20 "the main window" visible '^Corvane 1\.0$'
    main="$(main_window)"
    # Laid out from its template; nothing else moves it on a bare X server.
    eval "$(xdotool getwindowgeometry --shell "$main")"
    origin_x=$X origin_y=$Y
}

# Closes the main window; the program must end, and with status 0, so that a
# sanitizer's report at exit fails the run too.
close_corvane() {
    click $close_button
    wait_for 10 "the program to end" bash -c "! kill -0 $corvane_pid"
    local status=0
    wait "$corvane_pid" || status=$?
    [ "$status" -eq 0 ] || fail "corvane ended with status $status"
}

# click X Y: a left click at (X, Y) of the main window's client area.
click() {
    xdotool mousemove --sync $((origin_x + $1)) $((origin_y + $2)) click 1
    sleep 0.15
}

# pixel X Y: the colour at (X, Y) of the main window, as "r,g,b".
pixel() {
    import -window root -crop "1x1+$((origin_x + $1))+$((origin_y + $2))" -depth 8 txt:- |
        sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
is_white() { [ "$(pixel "$1" "$2")" = "255,255,255" ]; }
not_white() { ! is_white "$1" "$2"; }

plug() { # [--compressed]
    "$sample_tool" "$@" "$work/staging" >/dev/null
    mv "$work/staging" "$work/ipod"
}

# le32 N: N as four little-endian bytes.
le32() { printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) \
    $(($1 >> 16 & 255)) $(($1 >> 24 & 255)))"; }
# The sample device as played since its last sync: a Play Counts file of
# 16-byte entries, one per track in database order (ids 101 to 112), whose
# ratings replace the database's. In Road Trip's order So What is rated
# one star, Ça plane pour moi none, Smile three, 夜に駆ける five.
plug_rated() {
    "$sample_tool" "$work/staging" >/dev/null
    local ratings=(0 20 0 100 0 0 0 0 60 0 0 0) rating
    {
        printf 'mhdp'
        le32 96
        le32 16
        le32 ${#ratings[@]}
        head -c 80 /dev/zero
        for rating in "${ratings[@]}"; do
            le32 0
            le32 0
            le32 0
            le32 "$rating"
        done
    } > "$work/staging/iPod_Control/iTunes/Play Counts"
    mv "$work/staging" "$work/ipod"
}

# Where things are in the main window (pixels at 96 DPI): the panes' rows,
# the Name column's check cell, the output folder box, the buttons. Rows of
# odd index are tinted, so a white one there means the list ends above it.
row_y() { echo $((86 + 19 * $1)); }
playlist_x=60
check_x=236
name_x=300
folder_box="411 450"
copy_button="736 470"
close_button="809 15"
help_button="793 37"
keep_organized_box="207 499"
track_header_y=66
rating_header="812 $track_header_y" # the first detail column shown starts right of Genre

# Another run sources this script for its set-up and helpers alone.
[ -z "${CORVANE_E2E_HELPERS_ONLY:-}" ] || return 0

step "no device: the no-device window shows, the panes are empty"
start_corvane
wait_for 10 "the no-device window" nodevice_shown
wait_for 10 "an empty track list" is_white "$name_x" "$(row_y 1)"

step "plugging the sample device hides it and fills the panes"
plug_rated
wait_for 10 "the no-device window to hide" nodevice_hidden
wait_for 10 "the playlist pane to fill" not_white "$name_x" "$(row_y 11)"

step "Copy to Computer with nothing checked is refused with a message"
click $copy_button
wait_for 10 "the message box" visible '^Corvane$'
box="$(visible '^Corvane$' | head -n1)"
xdotool windowfocus --sync "$box" key Return
wait_for 10 "the message box to close" not_visible '^Corvane$'

step "two checked tracks of a playlist are copied into the output folder"
click "$playlist_x" "$(row_y 2)" # Road Trip: So What, Ça plane pour moi, ...
wait_for 10 "the playlist's four rows" is_white "$name_x" "$(row_y 5)"
click "$check_x" "$(row_y 0)"
click "$check_x" "$(row_y 1)"
click $folder_box
xdotool windowfocus --sync "$main" key --clearmodifiers ctrl+a type --delay 5 "$work/out"
click $copy_button
wait_for 30 "the copies" test -f "$work/out/So What.mp3" -a -f "$work/out/Ça plane pour moi.mp3"
[ "$(ls "$work/out" | wc -l)" -eq 2 ] || fail "unexpected files: $(ls "$work/out")"
cmp "$work/ipod/iPod_Control/Music/F00/SOWH.mp3" "$work/out/So What.mp3" || fail "copy differs"
# Finish: the transfer window's button, at its place in the window's template.
transfer="$(xdotool search --onlyvisible --class corvane | while read -r w; do
    xdotool getwindowgeometry "$w" | grep -q 'Geometry: 501x107' && echo "$w"; done | head -n1)"
[ -n "$transfer" ] || fail "no transfer window"
eval "$(xdotool getwindowgeometry --shell "$transfer")"
sleep 0.5
xdotool mousemove --sync $((X + 451)) $((Y + 86)) click 1
wait_for 10 "the output folder to be opened" grep -q "$work/out" "$work/opened"

step "a second start brings the first window to the front and ends"
# Another program's window opens above ours; the second start must raise the
# first instance's window over it, and open no window of its own.
xmessage -geometry +0+0 "another program" &
pids+=($!)
wait_for 10 "the other window" visible '^xmessage$'
# The root's children, topmost first: is our main window above xmessage?
main_on_top() {
    xwininfo -root -children | grep -E '"(Corvane 1\.0|xmessage)"' | head -n1 | grep -q 'Corvane 1\.0'
}
! main_on_top || fail "the main window is still on top"
(cd / && timeout 20 "$corvane") || fail "second start failed"
wait_for 10 "the first window on top" main_on_top
[ "$(xdotool search --name '^Corvane 1\.0$' | wc -l)" -eq 1 ] || fail "a second main window"
kill -0 "$corvane_pid" || fail "first instance gone"

step "options and the last folder survive a restart"
click $keep_organized_box
close_corvane
settings="$XDG_CONFIG_HOME/Corvane Data/settings.ini"
grep -qx "CHECK_KEEPORGANIZED=TRUE" "$settings" || fail "option not saved"
grep -qx "LAST_FOLDER=$work/out/" "$settings" || fail "folder not saved"
start_corvane
wait_for 10 "the panes" not_white "$name_x" "$(row_y 11)"
click "$playlist_x" "$(row_y 3)" # Favourites: Für Elise first
wait_for 10 "the playlist's three rows" is_white "$name_x" "$(row_y 3)"
click "$check_x" "$(row_y 0)"
click $copy_button
organized="$work/out/Ludwig van Beethoven/Klavierstücke/Für Elise.mp3"
wait_for 30 "the organised copy" test -f "$organized"

eval "$(xdotool search --onlyvisible --class corvane | while read -r w; do
    xdotool getwindowgeometry "$w" | grep -q 'Geometry: 501x107' && xdotool getwindowgeometry --shell "$w"; done | head -n4)"
sleep 0.5
xdotool mousemove --sync $((X + 451)) $((Y + 86)) click 1

# copy_first_row FILE: checks the top track, copies it (organised) and
# finishes the transfer once FILE is there.
copy_first_row() {
    click "$check_x" "$(row_y 0)"
    click $copy_button
    wait_for 30 "the copy of the top row, $1" test -f "$1"
    eval "$(xdotool search --onlyvisible --class corvane | while read -r w; do
        xdotool getwindowgeometry "$w" | grep -q 'Geometry: 501x107' && xdotool getwindowgeometry --shell "$w"; done | head -n4)"
    sleep 0.5
    xdotool mousemove --sync $((X + 451)) $((Y + 86)) click 1
}

step "the header's menu shows the Rating column, which sorts, and stays shown after a restart"
windows_before="$(xdotool search --onlyvisible --class corvane | wc -l)"
xdotool mousemove --sync $((origin_x + name_x)) $((origin_y + track_header_y)) click 3
menu_open() { [ "$(xdotool search --onlyvisible --class corvane | wc -l)" -gt "$windows_before" ]; }
wait_for 10 "the header's menu" menu_open
xdotool key --clearmodifiers Down Down Down Down Return # Track, Disc, Year, Rating
wait_for 10 "the shown column in the settings" grep -qx "TRACK_COLUMNS=RATING" "$settings"
click "$playlist_x" "$(row_y 2)" # Road Trip
wait_for 10 "the playlist's four rows" is_white "$name_x" "$(row_y 5)"
click $rating_header # ascending
click $rating_header # descending: five stars first
copy_first_row "$work/out/YOASOBI/THE BOOK/夜に駆ける.m4a"
close_corvane
grep -qx "TRACK_COLUMNS=RATING" "$settings" || fail "the shown column was not kept"
start_corvane
wait_for 10 "the panes" not_white "$name_x" "$(row_y 11)"
click "$playlist_x" "$(row_y 2)"
wait_for 10 "the playlist's four rows" is_white "$name_x" "$(row_y 5)"
click $rating_header # ascending: the unrated first; a hidden column would not sort
copy_first_row "$work/out/Plastic Bertrand/An 1/Ça plane pour moi.mp3"

step "unplugging empties the panes"
rm -rf "$work/ipod"
wait_for 10 "the panes to empty" is_white "$name_x" "$(row_y 1)"
nodevice_hidden || fail "the no-device window came back by itself"

step "a newer iPod's compressed database (iTunesCDB, empty iTunesDB) fills the panes"
plug --compressed
[ ! -s "$work/ipod/iPod_Control/iTunes/iTunesDB" ] || fail "the plain database is not empty"
wait_for 10 "the playlist pane to fill" not_white "$name_x" "$(row_y 11)"
rm -rf "$work/ipod"
wait_for 10 "the panes to empty" is_white "$name_x" "$(row_y 1)"

# A device whose database is gone: the window reads its files' tags instead,
# and a copy lands under the names the tags give (organised, as set above).
rescue_from_files() {
    "$sample_tool" --no-database "$work/staging" >/dev/null
    mv "$work/staging" "$work/ipod"
    wait_for 20 "the tracks the tags name" not_white "$name_x" "$(row_y 11)"
    not_visible '^Corvane: reading the music files$' || fail "the scan window stayed open"
    click "$check_x" "$(row_y 0)" # the first file, F00/MDBG.mp3: Blue in Green
    click $copy_button
    local copied="$work/out/Miles Davis/Kind of Blue/Blue in Green.mp3"
    wait_for 30 "the copy under its tag names" test -f "$copied"
    cmp "$work/ipod/iPod_Control/Music/F00/MDBG.mp3" "$copied" || fail "rescued copy differs"
    eval "$(xdotool search --onlyvisible --class corvane | while read -r w; do
        xdotool getwindowgeometry "$w" | grep -q 'Geometry: 501x107' && xdotool getwindowgeometry --shell "$w"; done | head -n4)"
    sleep 0.5
    xdotool mousemove --sync $((X + 451)) $((Y + 86)) click 1
    rm -rf "$work/ipod"
    wait_for 10 "the panes to empty" is_white "$name_x" "$(row_y 1)"
}
step "a device without a database shows its files' tracks, and copies them by tag"
rescue_from_files

step "Help opens the page beside the program"
click $help_button
wait_for 10 "the help page to be opened" grep -q "$(dirname "$corvane")/help.html" "$work/opened"

step "the window is dragged by its background"
before_x=$origin_x before_y=$origin_y
xdotool mousemove --sync $((origin_x + 400)) $((origin_y + 35)) mousedown 1
xdotool mousemove_relative --sync 60 40 mouseup 1
moved() {
    eval "$(xdotool getwindowgeometry --shell "$main")"
    [ "$X" -eq $((before_x + 60)) ] && [ "$Y" -eq $((before_y + 40)) ]
}
wait_for 10 "the window to move by (60, 40)" moved
origin_x=$((before_x + 60)) origin_y=$((before_y + 40))

close_corvane

step "at a 200% scale the window is twice the size, its lines sharp and its buttons where drawn"
QT_SCALE_FACTOR=2 start_corvane
[ "$WIDTH" -eq 1654 ] && [ "$HEIGHT" -eq 1114 ] || fail "window is ${WIDTH}x${HEIGHT} at 2x"
# The title line (one pixel at y = 25 at 1x) covers exactly device rows 50
# and 51; the rows beside it are the title band's.
line="137,136,166"
# A slow (sanitizer) build may map the window before its first paint.
title_line_at_2x() { [ "$(pixel 200 50)" = "$line" ] && [ "$(pixel 201 51)" = "$line" ]; }
wait_for 10 "the title line at 2x" title_line_at_2x
[ "$(pixel 200 49)" != "$line" ] && [ "$(pixel 200 52)" != "$line" ] || fail "title line blurred"
[ "$(pixel 0 600)" = "0,0,0" ] && [ "$(pixel 1 600)" = "0,0,0" ] && is_white 2 600 ||
    fail "left border not two device pixels wide"
close_button="$((809 * 2)) $((15 * 2))"
close_corvane
echo "PASS"
