#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole program as a user meets it, driven only from outside: the pointer
# and keyboard through xdotool, results read back from the preferences file
# and the screen. Runs inside with-session.sh; screenshots stay in
# $BRIVANE_ARTIFACTS/e2e-<mode>.
#   e2e.sh            the user's tour of the card, then a restart
#   e2e.sh bad-input  starts without a session bus and without a sound server
# shellcheck disable=SC2119  # start_brivane takes no arguments here
set -euo pipefail

mode=${1:-tour}
# Each mode keeps its own screenshots and logs, fresh every run.
if [ -n "${BRIVANE_ARTIFACTS:-}" ]; then
    BRIVANE_ARTIFACTS="$BRIVANE_ARTIFACTS/e2e-$mode"
    rm -rf "$BRIVANE_ARTIFACTS"
fi
# shellcheck source=tests/integration/lib.sh
source "$(dirname "$0")/../integration/lib.sh"
work=$(mktemp -d)
cleanup() {
    stop_brivane
    rm -rf "$work"
}
trap cleanup EXIT

# Run Brivane as installed: a private prefix from the build tree's install
# rules, started by the command its desktop entry names.
if [ -n "${BRIVANE_BUILD:-}" ]; then
    cmake --install "$BRIVANE_BUILD" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
        { cat "$work/install.log" >&2; fail "cmake --install failed"; }
    entry=$(find "$work/prefix/share/applications" -name '*.desktop' | head -n1)
    [ -n "$entry" ] || fail "no desktop entry was installed"
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    BRIVANE_BIN=$(PATH="$work/prefix/bin:$PATH" command -v "$exec_name") ||
        fail "the desktop entry's command '$exec_name' is not installed"
    [ "$BRIVANE_BIN" = "$work/prefix/bin/brivane" ] || fail "the desktop entry starts $BRIVANE_BIN"
fi

# --- Where things are -------------------------------------------------------
# The card is 380x520 at the top centre. Its stack (gap 10, tab content 400,
# divider 1, tab bar 50) is 461 high and centred, so it starts at y 29.5; with
# no track known the tab content starts 10 lower.
content_x=$((card_x + 20)) # the tab content is 340 wide
content_top=40
desktop="58,110,165"
tab_y=461

# --- Looking at the screen --------------------------------------------------
# grab <file> <geometry>: one region of the screen, offsets reset.
grab() { import -window root -crop "$2" +repage "$1" 2>/dev/null; }
# same_image <a> <b>: pixel for pixel equal.
same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
# looks_same <a> <b>: equal but for a level or two of a colour channel, which
# the software renderer varies between partial and full repaints; a different
# glyph changes pixels by far more.
looks_same() { [ "$(compare -metric AE -fuzz 3% "$1" "$2" null: 2>&1)" = 0 ]; }
# settled <geometry>: the region looks the same twice, a fifth of a second
# apart (an animation whose end the screen does not announce has ended).
settled() {
    grab "$work/settle-a.png" "$1"
    sleep 0.2
    grab "$work/settle-b.png" "$1"
    same_image "$work/settle-a.png" "$work/settle-b.png"
}
# count_near <geometry> <r,g,b> [fuzz]: pixels within a few percent of a
# colour in a region (anti-aliased glyphs, the last steps of a fade).
count_near() {
    grab "$work/near.png" "$1"
    convert "$work/near.png" -fuzz "${3:-6%}" -fill black +opaque "rgb($2)" \
        -fill white -opaque "rgb($2)" -format '%[fx:round(mean*w*h)]' info:
}
# Pixels of the bare card body in a region; 3% keeps the faintest tints out.
count_card() { count_near "$1" "$card_colour" 3%; }

# --- The strip --------------------------------------------------------------
expand() {
    xdotool mousemove "$mid_x" 10
    wait_until 10 shape_is "$expanded" || { screenshot fail-expand; fail "hover did not expand the card ($(shape_of))"; }
    wait_until 10 card_drawn || { screenshot fail-card; fail "the card was not drawn: $(pixel "$probe_x" 300)"; }
    wait_until 10 settled "380x60+${card_x}+440" || { screenshot fail-fade; fail "the card never finished fading in"; }
}
card_drawn() { [ "$(count_card "1x1+${probe_x}+300")" = 1 ]; }
collapse() {
    xdotool mousemove "$mid_x" 800
    wait_until 10 shape_is "$collapsed" || { screenshot fail-collapse; fail "leaving did not collapse the card ($(shape_of))"; }
    wait_until 10 pixel_is "$probe_x" 300 "$desktop" || { screenshot fail-collapse-drawn; fail "the card stayed on screen"; }
    pixel_is "$probe_x" 5 "$desktop" || { screenshot fail-strip-drawn; fail "the collapsed strip paints over the desktop"; }
}

# pick_tab <index>: click it and wait until its label shows in its colour.
pick_tab() {
    xdotool mousemove "$(tab_x "$1")" "$tab_y" click 1
    # Park the pointer on the card's empty gap at the top, clear of hover effects.
    xdotool mousemove "$mid_x" 33
    wait_until 10 tab_selected "$1" || { screenshot "fail-tab-$1"; fail "tab $1 was not selected"; }
}
tab_colours=("255,69,58" "255,214,10" "255,159,10" "10,132,255" "48,209,88" "255,55,95" "191,90,242")
tab_selected() {
    [ "$(count_near "50x46+$(($(tab_x "$1") - 25))+$((tab_y - 23))" "${tab_colours[$1]}")" -gt 20 ]
}

# --- The tabs -----------------------------------------------------------------
brivane_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(brivane_window)" ]; }

# Notes: the input row is the first line of the tab content.
add_note() {
    xdotool mousemove "$((content_x + 150))" "$((content_top + 14))" click 1
    # The card asks the window manager for the keyboard as it expands; keys
    # sent before that arrives would go elsewhere.
    wait_until 10 brivane_focused || { screenshot fail-focus; fail "the card never got the keyboard focus"; }
    xdotool type --delay 20 "$1"
    xdotool key Return
    wait_until 10 note_stored "$1" || { screenshot fail-note; fail "the note '$1' never reached the preferences file"; }
}
# The first note row, below the input row; the pointer stays clear of its
# delete button, which brightens while pressed.
note_row="340x24+${content_x}+$((content_top + 40))"

tour() {
    start_brivane
    wait_until 5 shape_is "$collapsed" || fail "the strip did not start collapsed ($(shape_of))"

    # Hover opens the card on the Now tab; nothing plays yet.
    expand
    tab_selected 0 || fail "the card did not open on the Now tab"

    # Notes: a typed note and Return land in the preferences file.
    pick_tab 1
    add_note "Water the plants"
    [ "$(stored_notes | head -n1)" = "Water the plants" ] || fail "stored notes: $(stored_notes)"
    wait_until 5 settled "$note_row" || fail "the note row kept changing"
    grab "$work/note-row.png" "$note_row"
    [ "$(count_card "$note_row")" -lt 1000 ] || fail "no note row drawn"

    # Stats: the Disk row's bar, orange, appears with the first sample read
    # from the running system.
    pick_tab 6
    stats_drawn() { [ "$(count_near "340x160+${content_x}+40" "255,159,10")" -gt 100 ]; }
    wait_until 15 stats_drawn || { screenshot fail-stats; fail "the Stats tab drew no rows"; }

    # Leaving the card collapses it.
    collapse

    # Restart: the note is still stored and listed exactly as before.
    stop_brivane
    note_stored "Water the plants" || fail "the note is gone from the preferences file after quitting"
    start_brivane
    expand
    pick_tab 1
    wait_until 10 settled "$note_row" || fail "the note row kept changing after the restart"
    grab "$work/note-row-again.png" "$note_row"
    looks_same "$work/note-row.png" "$work/note-row-again.png" || { screenshot fail-restart; fail "the note row differs after the restart"; }
    collapse
    stop_brivane
    qml_quiet
    echo "end-to-end tour: all checks passed"
}

# Bad input: no session bus, no sound server. Each time Brivane starts, takes
# a note, and keeps every note stored before.
bad_input() {
    start_brivane
    expand
    pick_tab 1
    add_note "Written before"
    collapse
    stop_brivane

    # No session bus: players cannot be seen, but the card and notes work.
    # No sound server: the volume and the meter have nothing to read.
    local setting=("DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus" "PULSE_SERVER=unix:$work/no-pulse")
    local label=("Written without a bus" "Written without sound") stored="Written before|" i
    for i in 0 1; do
        (
            export "${setting[i]}"
            trap stop_brivane EXIT
            start_brivane
            expand
            pick_tab 1
            add_note "${label[i]}"
            collapse
            stop_brivane
        )
        stored="${label[i]}|$stored"
        [ "$(stored_notes | tr '\n' '|')" = "$stored" ] || fail "notes after '${label[i]}': $(stored_notes)"
    done

    # That stored notes are listed again after a restart is the tour's check.
    qml_quiet
    echo "end-to-end bad input: all checks passed"
}

# The views ran without a QML warning (a failed binding, a missing property).
qml_quiet() {
    if grep -E '\.qml:[0-9]+' "$BRIVANE_ARTIFACTS/brivane.log" >&2; then
        fail "Brivane logged QML warnings (above)"
    fi
}

case $mode in
    tour) tour ;;
    bad-input) bad_input ;;
    *) fail "unknown mode $mode" ;;
esac
