# The start of a run under Debian's openbox window manager; the run scripts
# source it first thing (bash, set -euo pipefail), without arguments:
#
#   source "$(dirname "$0")/e2e-openbox.sh"
#
# Starts the run again under an X server of its own, then takes the set-up
# and helpers of corvane-e2e.sh (which get the run's own arguments) and
# starts openbox on that server.
if [ -z "${CORVANE_E2E_OPENBOX_INNER:-}" ]; then
    export CORVANE_E2E_OPENBOX_INNER=1
    # Other runs on this machine take displays from 99 up; starting the
    # search elsewhere keeps two servers from racing for one number.
    exec timeout 240 xvfb-run -a -n $((200 + RANDOM % 600)) -s "-screen 0 1280x800x24 -nolisten tcp -noreset" "$0" "$@"
fi
export CORVANE_E2E_INNER=1 CORVANE_E2E_HELPERS_ONLY=1
# shellcheck source=corvane-e2e.sh
source "$(dirname "$0")/corvane-e2e.sh" "$@"
unset CORVANE_E2E_HELPERS_ONLY

openbox --config-file /dev/null >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 10 "openbox to manage the screen" xprop -root _NET_SUPPORTING_WM_CHECK

# keys KEY...: presses keys in the main window, as the user would.
keys() {
    xdotool windowfocus --sync "$main" key --clearmodifiers --delay 80 "$@"
    sleep 0.3
}
