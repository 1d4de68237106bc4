#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The strip on a real X server under a real window manager: where it sits,
# how it answers the pointer, and what a second launch does.
set -euo pipefail
# shellcheck source=tests/integration/lib.sh
source "$(dirname "$0")/../integration/lib.sh"
trap stop_brivane EXIT

# Hover opening and closing is the end-to-end tour's; here, where the strip
# sits and that a click reaches it.
start_brivane
win=$(brivane_window)
geometry=$(xwininfo -id "$win")
grep -q "Absolute upper-left X:  $card_x" <<<"$geometry" || fail "strip not centred: $geometry"
grep -q "Absolute upper-left Y:  0" <<<"$geometry" || fail "strip not at the top: $geometry"
grep -q "Width: 380" <<<"$geometry" || fail "strip not 380 wide: $geometry"

xdotool mousemove "$mid_x" 5
wait_until 5 shape_is "$expanded" || fail "hover before click did not expand (shape $(shape_of))"
xdotool click 1
# The window manager reparents the strip, so accept its frame as well.
under=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
frame=$(xwininfo -tree -id "$win" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
[ "$under" = "$win" ] || [ "$under" = "$((frame))" ] || fail "the click went to window $under, not the strip"

# A second launch hands over to the first, which shows its settings window.
relaunch
[ "$(session_instances)" = 1 ] || fail "more than one instance is running"
kill -0 "$BRIVANE_PID" || fail "the first instance is gone"

# Closing only hides it; asking again brings it back.
# Alt+F4 asks openbox to close it, as a user would.
xdotool windowactivate --sync "$(settings_window)" key --clearmodifiers alt+F4
settings_hidden() { ! settings_shown; }
wait_until 10 settings_hidden || fail "the settings window did not close"
kill -0 "$BRIVANE_PID" || fail "closing the settings window ended Brivane"
relaunch
stop_brivane

# Without a session bus a local socket keeps the single instance.
(
    export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/bus
    start_brivane
    relaunch
    [ "$(session_instances)" = 1 ] || fail "more than one instance without a bus"
    stop_brivane
)
echo "shell integration: all checks passed"
