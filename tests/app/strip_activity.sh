#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The strip's live activity under a real X server with nothing compositing,
# seen from outside: what mpv plays, drawn at the strip's ends with a meter
# that moves and rests; a countdown's time left that goes on with the card
# closed and chimes on the sound server.
set -euo pipefail
# shellcheck source=tests/integration/lib.sh
source "$(dirname "$0")/../integration/lib.sh"
work=$(mktemp -d)
cleanup() {
    stop_brivane
    for pid in ${mpv_pid:-} ${events_pid:-}; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
card_on "$(xdotool getdisplaygeometry | cut -d' ' -f1)"

# The window's shape is what it draws: both ends, or the right end only.
both_ends="362x28+9+2"
right_end="54x28+317+2"
meter() { import -window root -crop "40x20+$((card_x + 324))+6" -depth 8 rgb:- | md5sum; }
meter_moves() { local a; a=$(meter); sleep 0.25; [ "$a" != "$(meter)" ]; }
meter_rests() { local a; a=$(meter); sleep 0.4; [ "$a" = "$(meter)" ]; }

sox -n -r 44100 -c 2 --comment "TITLE=Strip Tone" "$work/tone.ogg" synth 30 sine 440 vol 0.05
mpv --no-config --no-video --really-quiet --ao=pulse --loop-file=inf \
    --script=/usr/lib/mpv-mpris/mpris.so "$work/tone.ogg" >>"$BRIVANE_ARTIFACTS/mpv.log" 2>&1 &
mpv_pid=$!
wait_until 20 sh -c '[ "$(playerctl -p mpv status 2>/dev/null)" = Playing ]' || fail "mpv never played"

with_prefs '"brivane_show_activity": "true"'
wait_until 10 shape_is "$both_ends" || fail "a playing player drew no activity (shape $(shape_of))"
pixel_near $((card_x + 12)) 16 "$card_colour" || fail "the art's end is not the card's colour"
wait_until 5 meter_moves || fail "the strip's meter does not move while mpv plays"
screenshot strip-activity-playing
playerctl -p mpv pause
wait_until 5 meter_rests || fail "the strip's meter still moves with mpv paused"
shape_is "$both_ends" || fail "a paused player's art went from the strip"
echo "PASS: mpv's track drawn at both ends, its meter moving, then resting"

kill "$mpv_pid"
wait "$mpv_pid" 2>/dev/null || true
mpv_pid=
wait_until 10 shape_is "$collapsed" || fail "the strip still draws with no player (shape $(shape_of))"

# A countdown of a minute, skipped to its last ten seconds, then left.
pactl subscribe >"$work/sound-events" 2>&1 &
events_pid=$!
xdotool mousemove "$mid_x" 10
wait_until 10 shape_is "$expanded" || fail "the card did not open"
xdotool mousemove "$(tab_x 2)" 461 click 1
xdotool mousemove $((card_x + 238)) 151 click 1 # Countdown
xdotool mousemove $((card_x + 190)) 233 click 1 # Start
for _ in 1 2 3 4 5; do xdotool mousemove $((card_x + 250)) 233 click 1; done # 10 s nearer the end
xdotool mousemove "$mid_x" 800
wait_until 10 shape_is "$right_end" || fail "a running countdown drew nothing in the strip (shape $(shape_of))"
screenshot strip-activity-countdown
chimed() { grep -q "'new' on sink-input" "$work/sound-events"; }
wait_until 20 chimed || fail "the countdown did not chime with the card closed"
shape_is "$right_end" || fail "the strip did not show the end of the countdown"
wait_until 10 shape_is "$collapsed" || fail "the strip kept drawing after the countdown ended"
echo "PASS: the countdown ran with the card closed, shown in the strip, and chimed"
