#!/usr/bin/env bash
# The real corvane program under Debian's openbox window manager, as on a
# desktop: every dialog and message box must come up above the main window
# (a window manager stacks new and raised windows as it likes, and keeps a
# transient child over its owner) and centred over it to the pixel; the
# Options window too, opened by keyboard, its choice kept across a restart. Uses
# the set-up and helpers of corvane-e2e.sh.
#
#   corvane-e2e-openbox.sh CORVANE SAMPLE_DEVICE_TOOL
set -euo pipefail
# shellcheck source=e2e-openbox.sh
source "$(dirname "$0")/e2e-openbox.sh"

# The managed windows, bottom to top, as decimal ids.
stacking() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//' | tr ',' '\n' |
        while read -r id; do [ -n "$id" ] && printf '%d\n' "$id"; done
}
# above WINDOW OWNER: WINDOW is stacked above OWNER.
above() {
    local order
    order="$(stacking)"
    local w o
    w="$(grep -nx "$1" <<<"$order" | cut -d: -f1)"
    o="$(grep -nx "$2" <<<"$order" | cut -d: -f1)"
    [ -n "$w" ] && [ -n "$o" ] && [ "$w" -gt "$o" ]
}
# centre_of WINDOW: "x,y" of the centre of its client area, halves down.
centre_of() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$((X + WIDTH / 2)),$((Y + HEIGHT / 2))"
}
# frame_extents WINDOW: "left top" of the frame openbox drew round WINDOW.
frame_extents() {
    xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *\([0-9]*\), *[0-9]*, *\([0-9]*\),.*/\1 \2/p'
}
# is_placed_over WINDOW: WINDOW is on top of the main window and centred on
# it. Only the message box has a frame; a position set before the window was
# ever shown is where its frame's corner goes (the frame is not known yet).
is_placed_over() {
    above "$1" "$main" || return 1
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$main")"
    local mx=$X my=$Y mw=$WIDTH mh=$HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1")"
    local extents
    read -r -a extents <<<"$(frame_extents "$1")"
    X=$((X - ${extents[0]:-0})) Y=$((Y - ${extents[1]:-0}))
    [ "$X" -eq $((mx + (mw - WIDTH) / 2)) ] && [ "$Y" -eq $((my + (mh - HEIGHT) / 2)) ]
}
# placed_over WINDOW: waits until is_placed_over holds, else fails with
# where everything is.
placed_over() {
    local deadline=$((SECONDS + 10))
    until is_placed_over "$1"; do
        [ "$SECONDS" -lt "$deadline" ] ||
            fail "window $1 ($(xdotool getwindowgeometry "$1" | tr '\n' ' ')) is not above and centred on the main window ($(xdotool getwindowgeometry "$main" | tr '\n' ' ')); stacking $(stacking | tr '\n' ' ')"
        sleep 0.1
    done
}
# visible_pixel_of WINDOW X Y: the colour on the screen at (X, Y) of WINDOW.
visible_pixel_of() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "1x1+$((X + $2))+$((Y + $3))" -depth 8 txt:- |
        sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

step "no device: the no-device window comes up above the main window, centred on it"
start_corvane
wait_for 10 "the no-device window" nodevice_shown
nodevice="$(nodevice_window)"
placed_over "$nodevice"
# What the user sees: the dialog's grey title band, not the main window's
# white track list, at the dialog's top middle.
title_band_shows() { [ "$(visible_pixel_of "$nodevice" 262 1)" = "197,197,197" ]; }
wait_for 10 "the no-device window to be what shows" title_band_shows

step "clicking the main window keeps the no-device window above it"
click "$name_x" "$(row_y 1)" # the empty track list; the background would drag
sleep 0.5
above "$nodevice" "$main" || fail "the no-device window went under the main window"
eval "$(xdotool getwindowgeometry --shell "$nodevice")"
xdotool mousemove --sync $((X + 459)) $((Y + 318)) click 1 # Cancel
wait_for 10 "Cancel to hide the no-device window" nodevice_hidden

step "Rescan Device without a device brings it back above the main window"
click 100 540
wait_for 10 "the no-device window again" nodevice_shown
placed_over "$nodevice"

step "plugging the device hides it; a message box comes up over the main window"
plug
wait_for 10 "the no-device window to hide" nodevice_hidden
wait_for 10 "the playlist pane to fill" not_white "$name_x" "$(row_y 11)"
click $copy_button
wait_for 10 "the message box" visible '^Corvane$'
box="$(visible '^Corvane$' | head -n1)"
placed_over "$box"
xdotool windowfocus --sync "$box" key Return
wait_for 10 "the message box to close" not_visible '^Corvane$'

step "the transfer window comes up over the main window, named Corvane"
click "$check_x" "$(row_y 0)"
click $folder_box
xdotool windowfocus --sync "$main" key --clearmodifiers ctrl+a type --delay 5 "$work/out"
click $copy_button
wait_for 10 "the transfer window" visible '^Corvane$'
transfer="$(visible '^Corvane$' | head -n1)"
xdotool getwindowgeometry "$transfer" | grep -q 'Geometry: 501x107' || fail "not the transfer window"
placed_over "$transfer"
wait_for 30 "the copy" bash -c "ls '$work/out' | grep -q ."
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$transfer")"
xdotool mousemove --sync $((X + 451)) $((Y + 86)) click 1
wait_for 10 "the transfer window to close" not_visible '^Corvane$'
close_corvane

# options_by_keyboard: a fresh start, whose focus is on Rescan Device, the
# first stop; Options is the last. Its window is left in $options. The
# pointer leaves the Close button the last run was closed by, or the
# next close's move to it would wait for a move that never comes.
options_by_keyboard() {
    start_corvane
    xdotool mousemove --sync 0 0
    keys shift+Tab space
    wait_for 10 "the Options window" visible '^Options$'
    options="$(visible '^Options$' | head -n1)"
}
# options_key KEY...: keys pressed in the Options window.
options_key() { xdotool windowfocus --sync "$options" key --delay 80 "$@"; }
settings="$XDG_CONFIG_HOME/Corvane Data/settings.ini"

step "Options opens from the keyboard, over the main window, centred and transient for it"
options_by_keyboard
placed_over "$options"
xprop -id "$options" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$main")\$" ||
    fail "Options is not transient for the main window: $(xprop -id "$options" WM_TRANSIENT_FOR)"

step "Tab to its first check box, Space saves it; Escape closes the window"
options_key Tab space
wait_for 10 "the choice saved" grep -qx "CHECK_SAVE_COVERS=TRUE" "$settings"
options_key Escape
wait_for 10 "Escape to close Options" not_visible '^Options$'
close_corvane

step "after a restart the choice is there: Space turns it off again"
options_by_keyboard
options_key Tab space
wait_for 10 "the choice turned off" grep -qx "CHECK_SAVE_COVERS=FALSE" "$settings"
options_key Escape
wait_for 10 "Escape to close Options" not_visible '^Options$'

close_corvane
echo "PASS"
