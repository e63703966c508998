#!/usr/bin/env bash
# Runs a widget test program where Qt's accessibility is really on: an X
# server of its own, a private session bus with the AT-SPI bus started on
# it, and Qt told to serve it. Qt's views announce changes only then; the
# offscreen platform has no accessibility bridge at all.
#
#   with-atspi-bus.sh PROGRAM [ARGUMENTS...]
set -euo pipefail

if [ -z "${CORVANE_ATSPI_INNER:-}" ]; then
    work="$(mktemp -d /tmp/corvane-atspi-XXXXXX)"
    trap 'rm -rf "$work"' EXIT
    mkdir -m 700 "$work/run"
    export HOME="$work" XDG_RUNTIME_DIR="$work/run" CORVANE_ATSPI_INNER=1
    status=0
    timeout 120 dbus-run-session -- "$0" "$@" || status=$?
    exit "$status"
fi
# Asking for its address starts the AT-SPI bus; Qt connects to it when it
# finds it there.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 CORVANE_REQUIRE_ACCESSIBILITY=1
exec xvfb-run -a -n $((200 + RANDOM % 600)) -s "-screen 0 1024x768x24 -nolisten tcp" "$@"
