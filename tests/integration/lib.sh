# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Helpers for integration scripts that run inside with-session.sh.
# shellcheck shell=bash

: "${BRIVANE_BIN:?BRIVANE_BIN must point at the built program}"
: "${BRIVANE_ARTIFACTS:=$(mktemp -d)}"
mkdir -p "$BRIVANE_ARTIFACTS"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_until <seconds> <command...>: polls until the command succeeds.
wait_until() {
    local deadline=$((SECONDS + $1)); shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

prefs_file() {
    echo "$XDG_CONFIG_HOME/brivane/preferences.json"
}

brivane_window() {
    xdotool search --onlyvisible --name '^Brivane$' 2>/dev/null | head -n1
}

brivane_mapped() {
    [ -n "$(brivane_window)" ]
}

# shape_of [window]: the strip's shape, which bounds its input too, as WxH+X+Y
# (the first strip).
shape_of() {
    xwininfo -shape -id "${1:-$(brivane_window)}" | sed -n 's/.*Window shape extents: *\([0-9x+]*\).*/\1/p'
}
# shape_is <WxH+X+Y> [window]
shape_is() { [ "$(shape_of "${2:-}")" = "$1" ]; }
# Nothing composites in these sessions: the collapsed strip has no shape at
# all, and a window that only takes the pointer stands in for it.
collapsed="0x0+0+0"
expanded="380x520+0+0"

settings_window() {
    xdotool search --onlyvisible --name '^Brivane Settings$' 2>/dev/null | head -n1
}
settings_shown() { [ -n "$(settings_window)" ]; }

# start_brivane [args...]: starts the program and waits for its strip.
start_brivane() {
    "$BRIVANE_BIN" "$@" >>"$BRIVANE_ARTIFACTS/brivane.log" 2>&1 &
    BRIVANE_PID=$!
    wait_until 20 brivane_mapped || fail "the Brivane strip never appeared"
}

# Brivane processes of this session (other sessions may run their own).
session_instances() {
    local pid count=0
    for pid in $(pgrep -x brivane); do
        # The display number alone may be another session's too (nested
        # desktops reuse :0); the session bus is this session's own.
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null |
            grep -cxF -e "DISPLAY=$DISPLAY" -e "DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-}" |
            grep -qx 2 && count=$((count + 1))
    done
    echo "$count"
}

exited() {
    local state
    state=$(ps -o stat= -p "$1" || true)
    [ -z "$state" ] || [ "${state#Z}" != "$state" ]
}
# A bounded wait, then a hard stop, so a program that does not quit on TERM
# fails the run instead of hanging it.
stop_brivane() {
    [ -n "${BRIVANE_PID:-}" ] || return 0
    kill -TERM "$BRIVANE_PID" 2>/dev/null || true
    if ! wait_until 10 exited "$BRIVANE_PID"; then
        echo "brivane did not quit on TERM" >&2
        kill -KILL "$BRIVANE_PID" 2>/dev/null || true
    fi
    wait "$BRIVANE_PID" 2>/dev/null || true
    BRIVANE_PID=
}

screenshot() {
    import -window root "$BRIVANE_ARTIFACTS/$1.png"
}

# pixel <x> <y>: the screen's colour there as "r,g,b" (0-255).
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# pixel_near <x> <y> <r,g,b>: within 3 levels per channel (animations and
# rounding may leave the last step a level off).
pixel_near() {
    local got want
    IFS=, read -r -a got <<<"$(pixel "$1" "$2")"
    IFS=, read -r -a want <<<"$3"
    [ ${#got[@]} -eq 3 ] || return 1
    for i in 0 1 2; do
        local d=$((got[i] - want[i]))
        [ ${d#-} -le 3 ] || return 1
    done
}

# pixel_is <x> <y> <r,g,b>: exact colour test, for wait_until.
pixel_is() {
    [ "$(pixel "$1" "$2")" = "$3" ]
}
