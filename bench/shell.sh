#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints, for Brivane collapsed and for a bare Qt Quick window of the strip's
# size measured in the same run: time to first frame, resident memory and CPU
# seconds over an idle period, for the software and the OpenGL scene graph.
#   bench/shell.sh [idle-seconds]      (default 30; builds first if needed)
# Runs inside its own private desktop session (tests/integration/with-session.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BRIVANE_BUILD_DIR:-$root/build}"
idle="${1:-30}"

if [ -z "${BRIVANE_SESSION_DIR:-}" ]; then
    [ -x "$build/src/brivane" ] || "$root/scripts/setup.sh"
    exec "$root/tests/integration/with-session.sh" "$0" "$@"
fi

ticks=$(getconf CLK_TCK)
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# measure <label> <env assignments...> -- <program>
measure() {
    local label=$1; shift
    local envs=()
    while [ "$1" != "--" ]; do envs+=("$1"); shift; done; shift
    local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
    local start; start=$(now_ms)
    env "${envs[@]}" BRIVANE_REPORT_FIRST_FRAME=1 "$@" >"$fifo" 2>/dev/null &
    local pid=$!
    local line=""
    read -r -t 20 line <"$fifo" || true
    local first=$(( $(now_ms) - start ))
    rm -f "$fifo"
    [ "$line" = "first-frame" ] || { echo "$label: no first frame" >&2; kill "$pid"; return; }
    sleep 3   # let start-up work settle before the idle period
    local c0; c0=$(cpu_ticks "$pid")
    sleep "$idle"
    local c1; c1=$(cpu_ticks "$pid")
    local rss; rss=$(rss_kb "$pid")
    kill "$pid"; wait "$pid" 2>/dev/null || true
    local cpu_s; cpu_s=$(awk -v d=$((c1 - c0)) -v t="$ticks" 'BEGIN {printf "%.2f", d / t}')
    local pct; pct=$(awk -v d=$((c1 - c0)) -v t="$ticks" -v s="$idle" 'BEGIN {printf "%.2f", 100 * d / t / s}')
    printf "| %-28s | %8d ms | %7.1f MB | %6s s (%s%%) |\n" "$label" "$first" "$(awk -v k="$rss" 'BEGIN {print k / 1024}')" "$cpu_s" "$pct"
}

echo "Idle period: ${idle} s, screen ${BRIVANE_SCREEN_W}x${BRIVANE_SCREEN_H}, $(nproc) cores"
echo "| program                      | 1st frame  | resident   | CPU while idle      |"
echo "|------------------------------|------------|------------|---------------------|"
measure "bare window, software" QT_QUICK_BACKEND=software -- "$build/bench/bare_window"
measure "Brivane collapsed, software" QT_QUICK_BACKEND=software -- "$build/src/brivane"
measure "bare window, OpenGL" QSG_RHI_BACKEND=opengl -- "$build/bench/bare_window"
measure "Brivane collapsed, OpenGL" QSG_RHI_BACKEND=opengl -- "$build/src/brivane"
