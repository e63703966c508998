#!/usr/bin/env bash
# The whole job done from the keyboard alone, in the real corvane program
# under the openbox window manager: choose a playlist, tick all its tracks
# with Ctrl+A and Space, type the output folder, press Copy to Computer,
# cancel the copy with Escape, then copy again and finish. The first track's
# file is made 2 GiB long (sparse on the device, written out by the copy),
# so that the copy is still running when Escape comes.
# Uses the set-up and helpers of corvane-e2e.sh.
#
#   corvane-e2e-keyboard.sh CORVANE SAMPLE_DEVICE_TOOL
set -euo pipefail
# shellcheck source=e2e-openbox.sh
source "$(dirname "$0")/e2e-openbox.sh"

transfer_window() {
    xdotool search --onlyvisible --class corvane | while read -r w; do
        xdotool getwindowgeometry "$w" | grep -q 'Geometry: 501x107' && echo "$w"; done | head -n1
}
has_transfer_window() { [ -n "$(transfer_window)" ]; }
# escape_until_closed: Escape in the transfer window until it is gone: while
# the copy runs Escape cancels it, once it has ended Escape finishes.
escape_until_closed() {
    local deadline=$((SECONDS + 60)) window
    while window="$(transfer_window)" && [ -n "$window" ]; do
        [ "$SECONDS" -lt "$deadline" ] || fail "Escape does not close the transfer window"
        xdotool windowfocus --sync "$window" key Escape 2>/dev/null || true
        sleep 0.5
    done
}
# Road Trip's tracks in its order (So What twice, shown once), by the start
# of their file names.
after_first=("Ça plane pour moi" "Smile" "夜に駆ける")
copied() { ls "$work/out" 2>/dev/null | grep -q "^$1"; }
all_copied() {
    local title
    for title in "So What" "${after_first[@]}"; do copied "$title" || return 1; done
}
big_track="iPod_Control/Music/F00/SOWH.mp3" # So What, Road Trip's first track

step "the sample device, its first Road Trip track 2 GiB long"
start_corvane
"$sample_tool" "$work/staging" >/dev/null
truncate -s 2G "$work/staging/$big_track"
mv "$work/staging" "$work/ipod"
wait_for 20 "the playlist pane to fill" not_white "$name_x" "$(row_y 11)"
xdotool mousemove 5 5 # out of the way of what is drawn

step "Tab from Rescan Device past the track list to the playlist pane, Down twice: Road Trip"
keys Tab Tab Down Down
# Rows of odd index are tinted: a white row 5 means the list ends above it.
wait_for 10 "Road Trip's four rows" is_white "$name_x" "$(row_y 5)"

step "Shift+Tab to the track list, Ctrl+A and Space tick all four"
keys shift+Tab ctrl+a space

# Backwards from Rescan Device, the first stop, the output folder is the
# eighth: Options, the three options, Open, Browse and Copy to Computer
# come first.
step "Shift+Tab to Rescan Device and eight more to the output folder; type it"
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab ctrl+a
xdotool windowfocus --sync "$main" type --delay 5 "$work/out"
step "Tab to Copy to Computer and Space"
keys Tab space
wait_for 10 "the transfer window" has_transfer_window

step "Escape cancels the copy: the rows after the large one are not copied"
escape_until_closed
for title in "${after_first[@]}"; do
    ! copied "$title" || fail "the copy was not cancelled: $(ls "$work/out")"
done

step "Space on Copy to Computer again copies all four; Escape finishes"
keys space
wait_for 10 "the transfer window" has_transfer_window
wait_for 60 "all of Road Trip's tracks" all_copied
escape_until_closed

close_corvane
echo "PASS"
