# The private sandbox an end-to-end run starts from; the run scripts source it
# (bash, set -euo pipefail) before their own platform set-up:
#
#   source e2e-sandbox.sh NAME
#
# A work folder /tmp/NAME-XXXXXX that goes, with every process in pids, when
# the run ends; home, configuration and runtime folders inside it, so the
# user's own are never touched; the device folder the program watches; a
# fixed locale and font scale; a desktop opener that only writes down what it
# was asked to open, in $work/opened. wait_for calls the script's own fail().
work="$(mktemp -d "/tmp/$1-XXXXXX")"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
export CORVANE_VOLUMES="$work/ipod" LANG=C.UTF-8 LC_ALL=C.UTF-8
export QT_FONT_DPI=96 QT_ENABLE_HIGHDPI_SCALING=0
unset QT_QPA_FONTDIR QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS SESSION_MANAGER
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/bin"
chmod 700 "$XDG_RUNTIME_DIR"
# The desktop opener, replaced by one that only writes down what it was asked.
printf '#!/bin/sh\necho "$@" >> "%s/opened"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

step() { echo "== $*"; }

# wait_for SECONDS DESCRIPTION COMMAND...: polls until COMMAND succeeds.
wait_for() {
    local seconds="$1" what="$2"
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for $what"
        sleep 0.1
    done
}
