#!/usr/bin/env bash
# The real corvane program as a screen reader and the keyboard alone meet it,
# on an X server of its own with a session bus and the desktop's
# accessibility bus (at-spi2-core): the no-device window and the main window
# read as their controls' roles and names, a link is followed and an option
# ticked through that bus, Escape closes the no-device window, and each Tab
# stop of the main window changes what the screen shows, in the window's
# control order. Uses the set-up and helpers of corvane-e2e.sh; the trees
# are read by accessible-tree.py (python3-pyatspi).
#
#   corvane-e2e-accessibility.sh CORVANE SAMPLE_DEVICE_TOOL
set -euo pipefail

if [ -z "${CORVANE_E2E_A11Y_INNER:-}" ]; then
    export CORVANE_E2E_A11Y_INNER=1
    # Displays apart from the other runs', as in the openbox run.
    exec timeout 240 dbus-run-session -- xvfb-run -a -n $((200 + RANDOM % 600)) \
        -s "-screen 0 1280x800x24 -nolisten tcp -noreset" "$0" "$@"
fi
export CORVANE_E2E_INNER=1 CORVANE_E2E_HELPERS_ONLY=1
# shellcheck source=corvane-e2e.sh
source "$(dirname "$0")/corvane-e2e.sh" "$@"
unset CORVANE_E2E_HELPERS_ONLY
tree="$(cd "$(dirname "$0")" && pwd)/accessible-tree.py"

# holds WINDOW CHECK ARGS...: accessible-tree.py's check holds within 20
# seconds (the program registers with the bus as it starts); otherwise what
# fails is shown.
holds() {
    local deadline=$((SECONDS + 20))
    until "$tree" "$@" 2>/dev/null; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            "$tree" "$@" || true
            fail "on the accessibility bus: $*"
        fi
        sleep 0.2
    done
}

# What a screen reader does as it starts: it turns the desktop's
# accessibility on, and the program follows.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null

step "the no-device window reads as its texts, two links and two buttons, named Corvane"
start_corvane
wait_for 10 "the no-device window" nodevice_shown
holds Corvane expect \
    "label|No iPod Device Detected" \
    "label|There's no iPod device detected. Please connect your iPod to your computer and make sure you have configured your iPod to enable disk use." \
    "label|How to transfer music from iPod to computer?" \
    "label|Step 1: Make sure your iPod is in disk mode" \
    "label|Step 2: Connect your iPod to your computer." \
    "label|Step 3: This window will automatically disappear if iPod have been connected completely." \
    "label|Need more help?" \
    "link|How to configure iPod to enable disk use?" \
    "link|How to transfer music from iPod to computer?" \
    "push button|Rescan" "push button|Cancel"

step "a screen reader follows a link; Escape closes the window as Cancel does"
"$tree" Corvane act "link|How to configure iPod to enable disk use?" || fail "the link's action failed"
wait_for 10 "the help page's disk-mode section" grep -q 'help.html#disk-mode' "$work/opened"
xdotool windowfocus --sync "$(nodevice_window)" key Escape
wait_for 10 "Escape to hide the no-device window" nodevice_hidden
kill -0 "$corvane_pid" || fail "the program ended"

step "the main window reads as its controls"
plug
wait_for 10 "the playlist pane to fill" not_white "$name_x" "$(row_y 11)"
holds "Corvane 1.0" expect \
    "push button|Rescan Device" "table|Tracks" "table|Playlists" \
    "label|Corvane only reads your iPod: nothing on it is ever changed." "label|Corvane" \
    "push button|Close" "push button|Minimize" "push button|Help" "text|Output to:" \
    "push button|Copy to Computer" "push button|Browse" "push button|Open" \
    "check box|Open output folder after transfer is completed" \
    "check box|Keep output music folder organized" "label|Output to:" \
    "check box|Overwrite existing file" "push button|Options"

step "Tab stops at every control in order, and each stop changes the screen"
xdotool mousemove --sync 0 0 # nothing hot under the pointer
xdotool windowfocus --sync "$main"
stops=("push button|Rescan Device" "table|Tracks" "table|Playlists" "push button|Close"
    "push button|Minimize" "push button|Help" "text|Output to:" "push button|Copy to Computer"
    "push button|Browse" "push button|Open" "check box|Open output folder after transfer is completed"
    "check box|Keep output music folder organized" "check box|Overwrite existing file"
    "push button|Options")
holds "Corvane 1.0" state "${stops[0]}" focused
shot() {
    import -window root -crop "${WIDTH}x${HEIGHT}+${origin_x}+${origin_y}" -depth 8 rgb:- | md5sum
}
changed() { [ "$(shot)" != "$previous" ]; }
screens=()
previous="$(shot)"
for i in "${!stops[@]}"; do
    xdotool key Tab
    next=$(((i + 1) % ${#stops[@]}))
    holds "Corvane 1.0" state "${stops[$next]}" focused
    wait_for 5 "the screen to show the focus on ${stops[$next]}" changed
    sleep 0.2 # the frame left behind and the new one are painted together; let both land
    previous="$(shot)"
    screens+=("$previous")
done
# The last Tab came back to the first stop, as it was left.
distinct="$(printf '%s\n' "${screens[@]}" | sort -u | wc -l)"
[ "$distinct" -eq ${#stops[@]} ] || fail "only $distinct of ${#stops[@]} Tab stops look different"

step "Space ticks the focused option; the screen reader hears of it"
xdotool key shift+Tab shift+Tab shift+Tab
holds "Corvane 1.0" state "check box|Keep output music folder organized" focused
"$tree" "Corvane 1.0" announces "check box|Keep output music folder organized" \
    object:state-changed:checked xdotool key space || fail "the tick was not announced"
holds "Corvane 1.0" state "check box|Keep output music folder organized" checked
settings="$XDG_CONFIG_HOME/Corvane Data/settings.ini"
wait_for 10 "the option saved" grep -qx "CHECK_KEEPORGANIZED=TRUE" "$settings"

close_corvane
echo "PASS"
