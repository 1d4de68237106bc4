#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The shelf as a user fills and empties it, with the pointer only: files
# dragged from another program onto the strip (where nothing composites, the
# stand-in's proxy brings the drag to the card), kept across a restart, and
# a row dragged out into the other program again.
set -euo pipefail
# shellcheck source=tests/integration/lib.sh
source "$(dirname "$0")/../integration/lib.sh"
work=$(mktemp -d)
cleanup() {
    stop_brivane
    if [ -n "${peer_pid:-}" ]; then kill "$peer_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/files"
report="$work/files/report one.pdf"
printf '%%PDF-1.4\n' >"$report"
printf 'a few notes\n' >"$work/files/notes.txt"
uri() { python3 -c 'import pathlib, sys; print(pathlib.Path(sys.argv[1]).as_uri())' "$1"; }
report_uri=$(uri "$report")
notes_uri=$(uri "$work/files/notes.txt")

start_brivane
"$BRIVANE_BUILD/tests/shelf/drag_peer" "$report" "$work/files/notes.txt" >"$work/peer.log" 2>&1 &
peer_pid=$!
peer_said() { grep -qxF "$1" "$work/peer.log"; }
wait_until 10 peer_said ready || fail "the drag peer never appeared"
eval "$(xdotool getwindowgeometry --shell "$(client_window "Shelf Drag Peer")")"
# shellcheck disable=SC2153 # set by getwindowgeometry
peer_y=$((Y + HEIGHT / 2)) source_x=$((X + 100)) target_x=$((X + WIDTH - 100))
# nudge_until <x> <y> <command...>: moves the pointer a point to and fro
# at (x, y) until the command succeeds; a drag source asks the target only
# when the pointer moves.
nudge=0
nudged() {
    nudge=$((1 - nudge))
    xdotool mousemove "$1" $(($2 + nudge))
    shift 2
    "$@"
}
nudge_until() { wait_until 10 nudged "$@"; }

# --- In: both files from the peer onto the strip, dropped on the card.
xdotool mousemove "$source_x" "$peer_y" mousedown 1
nudge_until $((source_x + 20)) "$peer_y" peer_said dragging || fail "the peer's drag did not begin"
xdotool mousemove "$mid_x" 10
nudge_until "$mid_x" 10 shape_is "$expanded" ||
    { screenshot fail-drag-open; fail "a drag over the strip did not open the card ($(shape_of))"; }
nudge_until "$mid_x" 200 peer_said "action link" ||
    { screenshot fail-drag-over; fail "the card did not take the files as links: $(tr '\n' ' ' <"$work/peer.log")"; }
xdotool mouseup 1
wait_until 10 peer_said "finished link" || fail "the drop did not finish as a link: $(tr '\n' ' ' <"$work/peer.log")"
wait_until 10 shelf_holds "$report_uri" || fail "$report_uri is not on the stored shelf"
shelf_holds "$notes_uri" || fail "$notes_uri is not on the stored shelf"
shape_is "$expanded" || fail "the card closed after the drop"
xdotool mousemove "$mid_x" 800
wait_until 5 shape_is "$collapsed" || fail "the card stayed open once the pointer left"

# --- A restart keeps the shelf: its tab, the eighth, shows both files.
stop_brivane
start_brivane
xdotool mousemove "$mid_x" 10
wait_until 10 shape_is "$expanded" || fail "hover did not open the card after the restart"
xdotool mousemove "$(tab_x 7 8)" 461 click 1
wait_until 5 shelf_holds "$report_uri" || fail "the restart lost the shelf"
screenshot shelf-tab

# --- Out: the first row, dragged onto the peer, gives it the file's URI.
row_y=85
xdotool mousemove $((card_x + 120)) "$row_y" mousedown 1
xdotool mousemove $((card_x + 150)) "$row_y" mousemove "$target_x" "$peer_y"
nudge_until "$target_x" "$peer_y" peer_said "over" ||
    { screenshot fail-drag-out; fail "no drag out of the card reached the peer"; }
xdotool mouseup 1
wait_until 10 peer_said "dropped $report_uri" || fail "the peer got no $report_uri: $(tr '\n' ' ' <"$work/peer.log")"
wait_until 5 shape_is "$collapsed" || fail "the card stayed open after the drag out"
echo "shelf: all checks passed"
