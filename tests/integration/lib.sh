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

# client_window <title>: the X11 window with that title, not the frame that
# GNOME 44 and later draw around it in a client of their own, under the same
# title.
client_window() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        xprop -id "$id" WM_CLASS 2>/dev/null | grep -q 'mutter-x11-frames' || { echo "$id"; return 0; }
    done
    return 1
}
brivane_window() { xdotool search --onlyvisible --name '^Brivane$' 2>/dev/null | head -n1; }

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

settings_window() { client_window "Brivane Settings"; }
settings_shown() { [ -n "$(settings_window)" ]; }
# relaunch: a second launch hands over to the running instance, which shows
# its settings window.
relaunch() {
    timeout 20 "$BRIVANE_BIN" >>"$BRIVANE_ARTIFACTS/brivane.log" 2>&1 || fail "a second launch exited with $?"
    wait_until 10 settings_shown || fail "the settings window did not appear"
}

# --- The card: 380 wide at the top centre of the screen ---------------------
# card_on <screen width>: sets mid_x, card_x and probe_x, a point of the
# card's body beside the tab content on every tab.
# shellcheck disable=SC2034 # for the scripts that source this
card_on() { mid_x=$(($1 / 2)) card_x=$(($1 / 2 - 190)) probe_x=$(($1 / 2 - 180)); }
[ -z "${BRIVANE_SCREEN_W:-}" ] || card_on "$BRIVANE_SCREEN_W"
# shellcheck disable=SC2034
card_colour="20,20,31" # rgb(0.08, 0.08, 0.12); renderers may round the blue to 30
# tab_x <i> [tabs]: centre of tab i, one of equal shares (seven, or eight
# with the Shelf) of the bar's 372 inner points.
tab_x() { echo $((card_x + 4 + 372 * (2 * $1 + 1) / (2 * ${2:-7}))); }

# The stored notes' texts, one a line, newest first.
stored_notes() { python3 "$(dirname "${BASH_SOURCE[0]}")/../support/stored-notes.py" "$(prefs_file)"; }
note_stored() { stored_notes 2>/dev/null | grep -qxF "$1"; }

# shelf_holds <uri>: the shelf as stored lists that file.
shelf_holds() {
    python3 -c 'import json, sys; sys.exit(sys.argv[2] not in json.load(open(sys.argv[1])).get("brivane_shelf", []))' \
        "$(prefs_file)" "$1"
}

# start_brivane [args...]: starts the program and waits for its strip.
start_brivane() {
    "$BRIVANE_BIN" "$@" >>"$BRIVANE_ARTIFACTS/brivane.log" 2>&1 &
    BRIVANE_PID=$!
    wait_until 20 brivane_mapped || fail "the Brivane strip never appeared"
}

# with_prefs '<json members>': starts Brivane afresh on these preferences.
with_prefs() {
    stop_brivane
    mkdir -p "$(dirname "$(prefs_file)")"
    echo "{ $1 }" >"$(prefs_file)"
    start_brivane
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
