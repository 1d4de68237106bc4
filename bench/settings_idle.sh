#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What each setting of the General group costs while the strip is collapsed
# and nothing happens: Brivane's CPU over a quiet period, once per setting,
# in a private Xvfb session with openbox. None of them may poll.
#   bench/settings_idle.sh [seconds]   (default 30)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BRIVANE_BUILD_DIR:-$root/build}"
seconds="${1:-30}"

if [ -z "${BRIVANE_SESSION_DIR:-}" ]; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
    [ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ninja -C "$build" brivane
    export BRIVANE_BUILD_DIR="$build"
    exec "$root/tests/integration/with-session.sh" "$0" "$@"
fi

brivane="$build/src/brivane"
prefs="$XDG_CONFIG_HOME/brivane/preferences.json"
clk=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
mapped() { xdotool search --onlyvisible --name '^Brivane$' >/dev/null 2>&1; }

# row <label> '<json members>'
row() {
    mkdir -p "$(dirname "$prefs")"
    echo "{ $2 }" >"$prefs"
    "$brivane" >/dev/null 2>&1 &
    local pid=$! deadline=$((SECONDS + 20))
    until mapped; do
        [ $SECONDS -lt $deadline ] || { echo "no strip for: $1" >&2; exit 1; }
        sleep 0.1
    done
    sleep 3 # start-up work settles
    local before
    before=$(cpu_ticks "$pid")
    sleep "$seconds"
    awk -v l="$1" -v d=$(($(cpu_ticks "$pid") - before)) -v t="$clk" -v s="$seconds" \
        'BEGIN {printf "| %s | %.3f%% |\n", l, 100 * d / t / s}'
    kill -TERM "$pid"
    wait "$pid" 2>/dev/null || true
}

half=$((BRIVANE_SCREEN_W / 2))
echo "| Setting (collapsed, ${seconds} s idle) | CPU, % of one core |"
echo "|---|---|"
row "defaults (shortcut Super+Alt+B grabbed)" ''
row "open after 500 ms" '"brivane_open_delay_ms": "500"'
row "close after 500 ms" '"brivane_close_grace_ms": "500"'
row "hide over full-screen apps" '"brivane_hide_over_fullscreen": "true"'
row "no shortcut" '"brivane_shortcut": "none"'
row "a named monitor that is not there" '"brivane_monitor": "DP-9"'
xrandr --setmonitor A "$half/200x$BRIVANE_SCREEN_H/260+0+0" screen >/dev/null
xrandr --setmonitor B "$half/200x$BRIVANE_SCREEN_H/260+$half+0" none >/dev/null
row "all monitors (two)" '"brivane_monitor": "*"'
