#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command inside a private desktop session and tears it down after:
# a virtual X server with a real window manager, a private session bus and a
# sound server with a null sink. Nothing of the caller's session is used.
#   with-session.sh <command> [args...]
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 <command> [args...]" >&2
    exit 2
fi

work=$(mktemp -d /tmp/brivane-session.XXXXXX)
pids=()
cleanup() {
    local status=$?
    for ((i=${#pids[@]}-1; i>=0; i--)); do
        kill "${pids[$i]}" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Waits up to $1 seconds for a command to succeed.
wait_for() {
    local deadline=$((SECONDS + $1)); shift
    until "$@" >/dev/null 2>&1; do
        if [ $SECONDS -ge $deadline ]; then
            echo "with-session: gave up waiting for: $*" >&2
            return 1
        fi
        sleep 0.1
    done
}

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" \
       XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM SESSION_MANAGER
export BRIVANE_SCREEN_W=${BRIVANE_SCREEN_W:-1512} BRIVANE_SCREEN_H=${BRIVANE_SCREEN_H:-982}

# X server on a free display number, reported back through a pipe.
Xvfb -displayfd 3 -screen 0 "${BRIVANE_SCREEN_W}x${BRIVANE_SCREEN_H}x24" -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for 15 test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"

# A private session bus.
dbus-daemon --session --nofork --nopidfile --print-address=4 4>"$work/bus" >"$work/dbus.log" 2>&1 &
pids+=($!)
wait_for 10 test -s "$work/bus"
DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$work/bus")"
export DBUS_SESSION_BUS_ADDRESS

# A real window manager, so focus, stacking and placement behave as on a desktop.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 10 xprop -root _NET_SUPPORTING_WM_CHECK
xsetroot -solid '#3a6ea5'

# A sound server whose default sink plays into nothing.
pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
    --load="module-null-sink sink_name=brivane_null" \
    --load="module-native-protocol-unix" \
    --load="module-always-sink" >"$work/pulse.log" 2>&1 &
pids+=($!)
if ! wait_for 10 pactl info; then
    echo "with-session: pulseaudio did not start:" >&2
    cat "$work/pulse.log" >&2
fi
pactl set-default-sink brivane_null >/dev/null 2>&1 || true

# Shared-memory images fail between Xvfb and its clients in some containers
# (the connection then breaks on the first large window); plain requests work
# everywhere.
export QT_XCB_NO_MITSHM=1

export BRIVANE_SESSION_DIR="$work"
mkdir -p "${BRIVANE_ARTIFACTS:=$work/artifacts}"
export BRIVANE_ARTIFACTS

set +e
"$@"
status=$?
set -e
exit $status
