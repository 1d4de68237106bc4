#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process CPU of Brivane, collapsed and idle, while mpv plays on a
# private session bus and sound server.   bench/media_idle.sh [build-dir] [seconds]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
seconds=${2:-60}

if [ -z "${BRIVANE_SESSION_DIR:-}" ]; then
    exec "$here/../tests/integration/with-session.sh" "$0" "$build" "$seconds"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
sox -n -r 44100 -c 2 --comment "TITLE=Idle Tone" "$work/tone.ogg" synth 30 sine 440 vol 0.05
mpv --no-config --no-video --really-quiet --ao=pulse --loop-file=inf \
    --script=/usr/lib/mpv-mpris/mpris.so "$work/tone.ogg" &
"$build/src/brivane" >"$work/brivane.log" 2>&1 &
pid=$!
sleep 5 # start-up and the first polls are not idle

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
awk -v a="$after" -v b="$before" -v t="$ticks" -v s="$seconds" \
    'BEGIN { printf "brivane idle with one player playing: %.3f%% of one core over %d s\n", 100 * (a - b) / t / s, s }'
