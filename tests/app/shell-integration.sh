#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The strip on a real X server under a real window manager: where it sits,
# how it answers the pointer, and what a second launch does.
set -euo pipefail
source "$(dirname "$0")/../integration/lib.sh"
trap stop_brivane EXIT

card="20,20,30"       # the card body
desktop="58,110,165"  # the root window colour set by with-session.sh
mid_x=$((BRIVANE_SCREEN_W / 2))
strip_x=$((mid_x - 190))

start_brivane
win=$(brivane_window)

# The strip: 380 wide at the top centre; its shape is 32 high while collapsed.
geometry=$(xwininfo -id "$win")
grep -q "Absolute upper-left X:  $strip_x" <<<"$geometry" || fail "strip not centred: $geometry"
grep -q "Absolute upper-left Y:  0" <<<"$geometry" || fail "strip not at the top: $geometry"
grep -q "Width: 380" <<<"$geometry" || fail "strip not 380 wide: $geometry"
shape() { xwininfo -shape -id "$win" | sed -n 's/.*Window shape extents: *\([0-9x+]*\).*/\1/p'; }
shape_is() { [ "$(shape)" = "$1" ]; }
wait_until 5 shape_is "380x32+0+0" || fail "collapsed shape is $(shape)"
# Below the strip the desktop shows through.
pixel_is "$mid_x" 300 "$desktop" || fail "collapsed panel covers the desktop: $(pixel "$mid_x" 300)"
screenshot shell-collapsed

for round in 1 2; do
    xdotool mousemove "$mid_x" 10
    wait_until 5 shape_is "380x520+0+0" || fail "round $round: hover did not expand (shape $(shape))"
    wait_until 5 pixel_near "$mid_x" 300 "$card" || fail "round $round: card not drawn: $(pixel "$mid_x" 300)"
    [ "$round" = 1 ] && screenshot shell-expanded

    xdotool mousemove "$mid_x" 800
    wait_until 5 shape_is "380x32+0+0" || fail "round $round: leaving did not collapse (shape $(shape))"
    wait_until 5 pixel_near "$mid_x" 300 "$desktop" || fail "round $round: card still drawn"
done

# Clicking the strip reaches the strip, not the window below.
xdotool mousemove "$mid_x" 5
wait_until 5 shape_is "380x520+0+0" || fail "hover before click did not expand"
xdotool click 1
# The window manager reparents the strip, so accept its frame as well.
under=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
frame=$(xwininfo -tree -id "$win" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
[ "$under" = "$win" ] || [ "$under" = "$((frame))" ] || fail "the click went to window $under, not the strip"
xdotool mousemove "$mid_x" 800
wait_until 5 shape_is "380x32+0+0" || fail "did not collapse after the click"

# A second launch hands over to the first, which shows its settings window.
timeout 20 "$BRIVANE_BIN" || fail "second launch exited with $?"
settings_shown() { xdotool search --onlyvisible --name '^Brivane Settings$'; }
wait_until 10 settings_shown || fail "the settings window did not appear"
[ "$(session_instances)" = 1 ] || fail "more than one instance is running"
kill -0 "$BRIVANE_PID" || fail "the first instance is gone"
screenshot shell-settings

# Closing only hides it; asking again brings it back.
# Alt+F4 asks openbox to close it, as a user would.
settings=$(settings_shown | head -n1)
xdotool windowactivate --sync "$settings" key --clearmodifiers alt+F4
settings_hidden() { ! settings_shown; }
wait_until 10 settings_hidden || fail "the settings window did not close"
kill -0 "$BRIVANE_PID" || fail "closing the settings window ended Brivane"
timeout 20 "$BRIVANE_BIN" || fail "third launch exited with $?"
wait_until 10 settings_shown || fail "the settings window did not come back"
stop_brivane

# Without a session bus a local socket keeps the single instance.
(
    unset DBUS_SESSION_BUS_ADDRESS
    export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/bus
    start_brivane
    timeout 20 "$BRIVANE_BIN" || fail "second launch without a bus exited with $?"
    wait_until 10 settings_shown || fail "no settings window without a bus"
    [ "$(session_instances)" = 1 ] || fail "more than one instance without a bus"
    stop_brivane
)
echo "shell integration: all checks passed"
