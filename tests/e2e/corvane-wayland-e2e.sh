#!/usr/bin/env bash
# The program on Wayland, under a headless weston of its own (no display, no
# session bus, a private runtime folder):
#  1. the driver runs the real main window on Qt's Wayland platform: start,
#     plug, copy, a second start of the real program, close;
#  2. the real program alone: the compositor maps its window (seen in the
#     Wayland protocol log and in weston's own screenshot), and a second
#     start gives way to it without opening a window.
#
#   corvane-wayland-e2e.sh CORVANE SAMPLE_DEVICE_TOOL WAYLAND_DRIVER
set -euo pipefail

corvane="$1"
sample_tool="$2"
driver="$3"
# A sanitizer build reports leaks at exit; those of system libraries are
# listed in the tests folder. Some sit under a library that is unloaded by
# then, which only the slow unwinder sees through.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")/.." && pwd)/lsan.supp:fast_unwind_on_malloc=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# shellcheck source=e2e-sandbox.sh
source "$(dirname "$0")/e2e-sandbox.sh" corvane-wayland-e2e
export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=corvane-e2e
unset DISPLAY DBUS_SESSION_BUS_ADDRESS XDG_ACTIVATION_TOKEN DESKTOP_STARTUP_ID

failure_shot="$PWD/corvane-wayland-e2e-failure.png"
fail() {
    echo "FAIL: $*" >&2
    shoot "$failure_shot" 2>/dev/null && echo "screen saved as $failure_shot" >&2
    tail -n 20 "$work/weston.log" >&2 2>/dev/null || true
    grep -v "^\[" "$work/first.log" 2>/dev/null | tail -n 20 >&2 || true
    exit 1
}

# shoot FILE: weston's own picture of its whole output (its --debug
# screenshooter; the tool writes wayland-screenshot-*.png where it runs).
shoot() {
    rm -rf "$work/shot" && mkdir -p "$work/shot"
    (cd "$work/shot" && timeout 10 weston-screenshooter >/dev/null 2>&1)
    mv "$work/shot"/wayland-screenshot-*.png "$1"
}

# count_colour FILE RRGGBB: how many pixels of FILE have exactly that colour.
count_colour() {
    convert "$1" -alpha off -fill black +opaque "#$2" -fill white -opaque "#$2" \
        -format '%[fx:round(mean*w*h)]' info:
}

# The shell starts its panel and keyboard as clients of their own; the
# screenshots stay free of them.
cat > "$work/weston.ini" <<INI
[core]
idle-time=0
[shell]
panel-position=none
background-color=0xff203040
[keyboard]
INI
step "a headless weston on $WAYLAND_DISPLAY"
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --width=1280 --height=800 \
    --use-pixman --idle-time=0 --debug --config="$work/weston.ini" > "$work/weston.log" 2>&1 &
pids+=($!)
wait_for 20 "the compositor's socket" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"

step "the driver: start, plug, copy, second start and close on Wayland"
timeout 120 "$driver" "$corvane" "$sample_tool" "$work" || fail "the driver failed"
rm -rf "$work/ipod" "$work/out"

step "the real program: the compositor maps its window"
"$sample_tool" "$work/ipod" >/dev/null
(cd / && WAYLAND_DEBUG=client exec "$corvane" 2> "$work/first.log") &
corvane_pid=$!
pids+=("$corvane_pid")
# A toplevel, configured by the compositor, acknowledged and drawn into.
mapped() {
    grep -q 'xdg_surface@[0-9]*\.get_toplevel' "$work/first.log" &&
        grep -q 'xdg_toplevel@[0-9]*\.configure' "$work/first.log" &&
        grep -q 'xdg_surface@[0-9]*\.ack_configure' "$work/first.log" &&
        grep -q 'wl_surface@[0-9]*\.attach' "$work/first.log"
}
wait_for 20 "the window to be mapped" mapped
grep -q 'xdg_toplevel@[0-9]*\.set_title("Corvane 1\.0")' "$work/first.log" ||
    fail "no toplevel titled Corvane 1.0"
# Weston's picture of its output shows the window: the title band's first
# row, 827 pixels of RGB(198,198,198), and the white of the body.
title_row_drawn() {
    shoot "$work/screen.png" && [ "$(count_colour "$work/screen.png" c6c6c6)" -ge 827 ]
}
wait_for 20 "the window on weston's screen" title_row_drawn

step "a second start gives way to the running one"
toplevels_before="$(grep -c 'xdg_surface@[0-9]*\.get_toplevel' "$work/first.log")"
(cd / && WAYLAND_DEBUG=client XDG_ACTIVATION_TOKEN=corvane-e2e-token timeout 20 "$corvane" \
    2> "$work/second.log") || fail "second start failed with status $?"
! grep -q 'get_toplevel' "$work/second.log" || fail "the second start opened a window"
kill -0 "$corvane_pid" || fail "first instance gone"
[ "$(grep -c 'xdg_surface@[0-9]*\.get_toplevel' "$work/first.log")" -eq "$toplevels_before" ] ||
    fail "the first instance opened another window"

# Weston takes no input from outside, so this instance cannot be clicked
# shut; the driver above closed the same window with its close button.
kill "$corvane_pid"
wait "$corvane_pid" 2>/dev/null || true
echo "PASS"
