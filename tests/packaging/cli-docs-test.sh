#!/usr/bin/env bash
# Holds the manual page and the bash completion to what corvane-cli itself
# says: every command its --help lists, every option each command's --help
# lists and every exit code the sources define must be documented and
# completed, so a new command or option cannot ship without them. Also checks
# that both programs print the build's version, the window program without
# any display.
#
#   cli-docs-test.sh VERSION CORVANE_CLI MAN_PAGE COMPLETION CLI_SOURCE_DIR [CORVANE]
set -euo pipefail
version="$1" cli="$2" man_page="$3" completion="$4" cli_sources="$5" corvane="${6:-}"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The commands in the "commands:" block of the overall help.
commands=$("$cli" --help | sed -n '/^commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p')
[ -n "$commands" ] || fail "no commands found in corvane-cli --help"
# Every --option named in a command's help, in its usage line or its list.
options_of() { "$cli" "$1" --help | grep -oE -- '--[a-z][a-z0-9-]*' | grep -vx -- '--help' | sort -u; }
# An option's value as its help names it: "DIR", "INDEX", ..., or nothing.
value_of() {
    "$cli" "$1" --help | grep -oE -- "$2\b( [A-Z][A-Z,.]*)?" | head -1 | cut -s -d' ' -f2
}

# --- the manual page, rendered as a reader sees it ---------------------------
rendered=$(LC_ALL=C.UTF-8 MANWIDTH=1000 man -l "$man_page" 2>/dev/null | sed 's/\xe2\x80\x90/-/g')
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$man_page" 2>&1 >/dev/null || true)
[ -z "$warnings" ] || fail "the manual page has roff warnings: $warnings"
section() { # the lines of a top-level section, without its heading
    awk -v name="$1" '/^[A-Z]/ { inside = ($0 == name); next } inside' <<<"$rendered"
}
subsection() { # one command's subsection under COMMANDS
    section COMMANDS | awk -v name="$1" '/^   [^ ]/ { inside = ($1 == name); next } inside'
}
for command in $commands; do
    body=$(subsection "$command")
    if [ -z "$body" ]; then
        fail "manual page: no subsection for the command $command"
        continue
    fi
    for option in $(options_of "$command"); do
        grep -qE -- "^ +$option( |$)" <<<"$body" ||
            fail "manual page: $command's option $option is not described"
    done
done
for option in --help --version; do
    section OPTIONS | grep -qE -- "^ +$option" || fail "manual page: $option is not described"
done
# Exit codes are named constants, kExit... = N, in the CLI's sources.
codes=$(grep -ohE 'kExit[A-Za-z]* = [0-9]+' "$cli_sources"/*.h "$cli_sources"/*.cpp |
    awk '{ print $3 }' | sort -un)
for code in $codes; do
    section "EXIT STATUS" | grep -qE "^ +$code( |$)" ||
        fail "manual page: exit status $code is not described"
done
for variable in $("$cli" --help | grep -oE '\b[A-Z][A-Z_]+=' | tr -d =); do
    section ENVIRONMENT | grep -qE "^ +$variable$" ||
        fail "manual page: the variable $variable is not described"
done
grep -v '^$' <<<"$rendered" | tail -1 | grep -q "^Corvane $version " ||
    fail "manual page: the footer does not name Corvane $version"

# --- the bash completion -------------------------------------------------------
folders=$(mktemp -d)
trap 'rm -rf "$folders"' EXIT
mkdir "$folders/music-out"
completions() { # what pressing Tab offers after the given words
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
             _corvane_cli; printf "%s\n" "${COMPREPLY[@]}"' - "$completion" "$@"
}
offered=$(completions corvane-cli "")
for word in $commands --help --version; do
    grep -qx -- "$word" <<<"$offered" || fail "completion: '$word' is not offered as a command"
done
for command in $commands; do
    offered=$(completions corvane-cli "$command" "")
    for option in $(options_of "$command"); do
        grep -qx -- "$option" <<<"$offered" ||
            fail "completion: $command's option $option is not offered"
        value=$(value_of "$command" "$option")
        [ -n "$value" ] || continue
        after=$(completions corvane-cli "$command" "$option" "$folders/mus")
        if [ "$value" = DIR ]; then
            [ "$after" = "$folders/music-out" ] ||
                fail "completion: after $command $option, folders are not offered ('$after')"
        else
            [ -z "$after" ] ||
                fail "completion: after $command $option ($value), '$after' is offered"
        fi
    done
done
after=$(completions corvane-cli copy --to = "$folders/mus")
[ "$after" = "$folders/music-out" ] || fail "completion: --to=DIR does not offer folders"

# --- the versions ----------------------------------------------------------------
[ "$("$cli" --version)" = "corvane-cli $version" ] || fail "corvane-cli --version is not $version"
if [ -n "$corvane" ]; then
    # No display of any kind: the answer must come before the toolkit starts.
    printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$corvane" --version 2>&1) ||
        fail "corvane --version failed without a display: $printed"
    [ "$printed" = "corvane $version" ] || fail "corvane --version printed '$printed'"
fi

[ "$failures" -eq 0 ] || exit 1
echo "manual page, completion and versions agree with corvane-cli"
