#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole program as a user meets it, driven only from outside: the pointer
# and keyboard through xdotool, results read back from the preferences file,
# the clipboard (xclip), the player (playerctl), the sound server (pactl) and
# the screen. Runs inside with-session.sh; screenshots stay in
# $BRIVANE_ARTIFACTS/e2e-<mode>.
#   e2e.sh            the user's tour of the card, then a restart
#   e2e.sh bad-input  starts on a corrupt preferences file, without a session
#                     bus and without a sound server
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
mpv_pid=
cleanup() {
    [ -n "$mpv_pid" ] && kill "$mpv_pid" 2>/dev/null
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
# The card is 380x520 at the top centre. Its stack (gap 10, mini player 36
# while a track is known, tab content 400 or 364, divider 1, tab bar 50) is
# 461 high and centred, so it starts at y 29.5 either way; the tab content
# starts 10 lower, or 46 lower under the mini player.
card_x=$(((BRIVANE_SCREEN_W - 380) / 2))
mid_x=$((card_x + 190))
content_x=$((card_x + 20))          # the tab content is 340 wide
probe_x=$((card_x + 10))            # card body beside the content, on every tab
card_geometry="380x520+${card_x}+0"
card_colour="20,20,31"  # rgb(0.08, 0.08, 0.12); renderers may round the blue to 30
desktop="58,110,165"
tab_y=461

tab_names=(Now Notes Timer Calc Clip AI Stats)
# Centre of tab i: seven equal shares of the bar's 372 inner points.
tab_x() { echo $((card_x + 4 + 372 * (2 * $1 + 1) / 14)); }

content_top() {  # 40 without a track, 76 under the mini player
    if [ "${track_known:-0}" = 1 ]; then echo 76; else echo 40; fi
}

# --- Looking at the screen --------------------------------------------------
shot() {  # shot <name>: whole screen into the artefacts
    screenshot "$1"
}
# grab <file> <geometry>: one region of the screen, offsets reset.
grab() {
    import -window root -crop "$2" +repage "$1" 2>/dev/null
}
# card_shot <name>: the card alone, kept as an artefact.
card_shot() {
    grab "$BRIVANE_ARTIFACTS/card-$1.png" "$card_geometry"
}
# same_image <a> <b>: pixel for pixel equal.
same_image() {
    [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]
}
# looks_same <a> <b>: equal but for a level or two of a colour channel, which
# the software renderer varies between partial and full repaints; a different
# glyph changes pixels by far more.
looks_same() {
    [ "$(compare -metric AE -fuzz 3% "$1" "$2" null: 2>&1)" = 0 ]
}
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
count_card() {
    count_near "$1" "$card_colour" 3%
}

# --- The strip --------------------------------------------------------------
shape() {
    xwininfo -shape -id "$(brivane_window)" | sed -n 's/.*Window shape extents: *\([0-9x+]*\).*/\1/p'
}
shape_is() { [ "$(shape)" = "$1" ]; }

expand() {
    xdotool mousemove "$mid_x" 10
    wait_until 10 shape_is "380x520+0+0" || { shot fail-expand; fail "hover did not expand the card ($(shape))"; }
    wait_until 10 card_drawn || { shot fail-card; fail "the card was not drawn: $(pixel "$probe_x" 300)"; }
    wait_until 10 settled "380x60+${card_x}+440" || { shot fail-fade; fail "the card never finished fading in"; }
}
card_drawn() { [ "$(count_card "1x1+${probe_x}+300")" = 1 ]; }
collapse() {
    xdotool mousemove "$mid_x" 800
    wait_until 10 shape_is "380x32+0+0" || { shot fail-collapse; fail "leaving did not collapse the card ($(shape))"; }
    wait_until 10 pixel_is "$probe_x" 300 "$desktop" || { shot fail-collapse-drawn; fail "the card stayed on screen"; }
}

click_at() {
    xdotool mousemove "$1" "$2" click 1
}
# pick_tab <index>: click it and wait until its label shows in its colour.
pick_tab() {
    click_at "$(tab_x "$1")" "$tab_y"
    # Park the pointer on the card's empty gap at the top, clear of hover effects.
    xdotool mousemove "$mid_x" 33
    wait_until 10 tab_selected "$1" || { shot "fail-tab-$1"; fail "tab ${tab_names[$1]} was not selected"; }
}
tab_colours=("255,69,58" "255,214,10" "255,159,10" "10,132,255" "48,209,88" "255,55,95" "191,90,242")
tab_selected() {
    [ "$(count_near "50x46+$(($(tab_x "$1") - 25))+$((tab_y - 23))" "${tab_colours[$1]}")" -gt 20 ]
}

# --- The preferences file -----------------------------------------------------
# The stored notes' texts, one a line, newest first.
stored_notes() { python3 "$(dirname "$0")/../support/stored-notes.py" "$(prefs_file)"; }
note_stored() { stored_notes 2>/dev/null | grep -qxF "$1"; }
stored_clip() {
    python3 -c 'import json,sys; print("\n".join(json.load(open(sys.argv[1]))["brivane_clip"]))' "$(prefs_file)"
}
clip_stored() { stored_clip 2>/dev/null | head -n1 | grep -qxF "$1"; }

# --- The tabs -----------------------------------------------------------------
brivane_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(brivane_window)" ]; }

# Notes: the input row is the first line of the tab content.
add_note() {
    local top; top=$(content_top)
    click_at "$((content_x + 150))" "$((top + 14))"
    # The card asks the window manager for the keyboard as it expands; keys
    # sent before that arrives would go elsewhere.
    wait_until 10 brivane_focused || { shot fail-focus; fail "the card never got the keyboard focus"; }
    xdotool type --delay 20 "$1"
    xdotool key Return
    wait_until 10 note_stored "$1" || { shot fail-note; fail "the note '$1' never reached the preferences file"; }
}
# The first note row, below the input row; the pointer stays clear of its
# delete button, which brightens while pressed.
first_note_row() {
    echo "340x24+${content_x}+$(($(content_top) + 40))"
}

# Calc: key (row, column) of the 5x4 grid below the display line.
calc_key() {
    local top; top=$(content_top)
    click_at "$((content_x + 40 + 86 * $2))" "$((top + 64 + 39 * $1))"
}
calc_display() {
    echo "324x36+$((content_x + 8))+$(content_top)"
}
press_keys() {  # press_keys <key>...: keys by their labels
    local key
    for key in "$@"; do
        case $key in
            C) calc_key 0 0 ;; 7) calc_key 1 0 ;; 8) calc_key 1 1 ;; +) calc_key 3 3 ;;
            1) calc_key 3 0 ;; 5) calc_key 2 1 ;; 6) calc_key 2 2 ;; =) calc_key 4 2 ;;
            *) fail "no key $key in this test" ;;
        esac
    done
    xdotool mousemove "$mid_x" 33
}
# read_display <file>: the display line once it stopped changing.
read_display() {
    wait_until 5 settled "$(calc_display)" || fail "the calculator's display kept changing"
    grab "$1" "$(calc_display)"
}

# Now: mpv playing a tagged tone through its MPRIS plugin on the null sink.
start_player() {  # start_player <title>
    sox -n -r 44100 -c 2 --comment "TITLE=$1" --add-comment "ARTIST=Brivane Tester" \
        --add-comment "ALBUM=Test Signals" "$work/tone.ogg" synth 60 sine 440 vol 0.1
    mpv --no-config --no-video --really-quiet --ao=pulse --loop-file=inf \
        --script=/usr/lib/mpv-mpris/mpris.so "$work/tone.ogg" >>"$BRIVANE_ARTIFACTS/mpv.log" 2>&1 &
    mpv_pid=$!
    wait_until 20 player_status_is Playing || fail "mpv did not start playing"
}
player_status_is() { [ "$(playerctl -p mpv status 2>/dev/null)" = "$1" ]; }
stop_player() {
    kill "$mpv_pid" 2>/dev/null || true
    wait "$mpv_pid" 2>/dev/null || true
    mpv_pid=
}
# The mini player's strip, red-tinted, takes the top of the Now tab's area:
# a thin band above its text is all card colour without it and none with it.
mini_band="300x2+$((card_x + 40))+42"
mini_player_shown() { [ "$(count_card "$mini_band")" = 0 ]; }
# The title line of the Now tab, right of the art.
title_line() {
    echo "230x24+$((content_x + 116))+$(($(content_top) + 16))"
}
# title_shown <text>: the title line's ink is as wide and as tall as the text
# rendered in the same font (DejaVu Sans Bold at 16 pixels, what fontconfig
# gives the program's default sans-serif). Without OCR this tells a title
# from no title, from the artist line and from other titles of another length.
title_shown() {
    local font shown expected sw sh ew eh
    font=$(fc-match -f '%{file}' 'sans-serif:bold')
    grab "$work/title.png" "$(title_line)"
    shown=$(convert "$work/title.png" -colorspace gray -threshold 50% -trim -format '%w %h' info:)
    expected=$(convert -background black -fill white -font "$font" -pointsize 16 -density 72 \
        label:"$1" -colorspace gray -threshold 50% -trim -format '%w %h' info:)
    echo "title ink: shown $shown, expected $expected" >>"$BRIVANE_ARTIFACTS/e2e.log"
    read -r sw sh <<<"$shown"; read -r ew eh <<<"$expected"
    [ -n "${sw:-}" ] && [ $((sw - ew)) -le 3 ] && [ $((ew - sw)) -le 3 ] &&
        [ $((sh - eh)) -le 2 ] && [ $((eh - sh)) -le 2 ]
}
play_pause_centre() {  # the big red button under the progress row
    echo "$mid_x $(($(content_top) + 206))"
}
# The meter right of the art: bars that move while playing, dots when paused.
meter() {
    echo "120x22+$((content_x + 116))+$(($(content_top) + 80))"
}

# The volume slider's track runs from 46 to 287 across the tab content.
volume_at() {  # volume_at <percent>: the point on the slider's track
    echo "$((content_x + 46 + 241 * $1 / 100)) $(($(content_top) + 267))"
}
sink_volume() {
    pactl get-sink-volume @DEFAULT_SINK@ | sed -n 's|^Volume:[^/]*/ *\([0-9]*\)%.*|\1|p'
}
sink_volume_near() {  # within 5 points: the click lands on a pixel, not a value
    local v; v=$(sink_volume)
    [ -n "$v" ] && [ $((v - $1)) -le 5 ] && [ $(($1 - v)) -le 5 ]
}

clipboard_holds() { [ "$(xclip -selection clipboard -o 2>/dev/null)" = "$1" ]; }
put_on_clipboard() {
    printf '%s' "$1" | xclip -selection clipboard -i
    wait_until 5 clipboard_holds "$1" || fail "xclip did not take the clipboard"
}
capture_button() { echo "$((content_x + 300)) $(($(content_top) + 10))"; }
clip_rows() {  # the two rows below the header
    echo "340x60+${content_x}+$(($(content_top) + 26))"
}

tour() {
    start_brivane
    wait_until 5 shape_is "380x32+0+0" || fail "the strip did not start collapsed ($(shape))"

    # Hover opens the card on the Now tab; nothing plays yet.
    expand
    shot tour-expanded
    tab_selected 0 || fail "the card did not open on the Now tab"

    # Notes: a typed note and Return land in the preferences file.
    pick_tab 1
    add_note "Water the plants"
    [ "$(stored_notes | head -n1)" = "Water the plants" ] || fail "stored notes: $(stored_notes)"
    wait_until 5 settled "$(first_note_row)" || fail "the note row kept changing"
    grab "$work/note-row.png" "$(first_note_row)"
    card_shot notes
    [ "$(count_card "$(first_note_row)")" -lt 1000 ] || fail "no note row drawn"

    # Calc: 7 + 8 = by clicks shows exactly what typing 15 shows. Both routes
    # end in the same display text drawn by the same item, so equal text means
    # equal pixels; 16 and the bare 8 prove the crop tells digits apart.
    pick_tab 3
    read_display "$work/calc-0.png"
    press_keys C 7 + 8
    read_display "$work/calc-8.png"
    press_keys '='
    read_display "$work/calc-sum.png"
    card_shot calc
    press_keys C 1 5
    read_display "$work/calc-15.png"
    press_keys C 1 6
    read_display "$work/calc-16.png"
    cp "$work"/calc-*.png "$BRIVANE_ARTIFACTS/"
    looks_same "$work/calc-sum.png" "$work/calc-15.png" || fail "7 + 8 = does not show what 15 shows"
    ! looks_same "$work/calc-sum.png" "$work/calc-16.png" || fail "the display does not tell 15 from 16"
    ! looks_same "$work/calc-sum.png" "$work/calc-8.png" || fail "= did not change the display"
    ! looks_same "$work/calc-sum.png" "$work/calc-0.png" || fail "the display never left 0"

    # Clip: Capture takes what xclip put on the clipboard; the copy-back button
    # puts an older entry back.
    pick_tab 4
    put_on_clipboard "first from xclip"
    # shellcheck disable=SC2046
    click_at $(capture_button)
    wait_until 10 clip_stored "first from xclip" || { shot fail-clip; fail "capture did not store the clipboard"; }
    put_on_clipboard "second from xclip"
    # shellcheck disable=SC2046
    click_at $(capture_button)
    wait_until 10 clip_stored "second from xclip" || { shot fail-clip2; fail "second capture not stored"; }
    [ "$(stored_clip | tr '\n' '|')" = "second from xclip|first from xclip|" ] || fail "clip history: $(stored_clip)"
    xdotool mousemove "$mid_x" 33
    wait_until 5 settled "$card_geometry" || true
    card_shot clip
    grab "$work/clip-rows.png" "$(clip_rows)"
    # The older entry is the second row; its copy-back button is left of its
    # delete button at the row's right end.
    click_at "$((content_x + 305))" "$(($(content_top) + 72))"
    wait_until 10 clipboard_holds "first from xclip" || { shot fail-copyback; fail "copy-back did not reach the clipboard"; }
    xdotool mousemove "$mid_x" 33

    # The other tabs draw (kept for the README).
    pick_tab 2
    wait_until 5 settled "$card_geometry" || true
    card_shot timer
    pick_tab 5
    wait_until 5 settled "$card_geometry" || true
    card_shot ai
    pick_tab 6
    # The Disk row's bar, orange, appears with the first sample.
    stats_drawn() { [ "$(count_near "340x160+${content_x}+40" "255,159,10")" -gt 100 ]; }
    wait_until 15 stats_drawn || { shot fail-stats; fail "the Stats tab drew no rows"; }
    card_shot stats

    # Now: the playing title shows, and play/pause pauses mpv.
    pick_tab 0
    start_player "Quiet Morning Tone"
    wait_until 15 mini_player_shown || { shot fail-mini; fail "no mini player for the playing track"; }
    track_known=1
    wait_until 10 title_shown "Quiet Morning Tone" || { shot fail-title; fail "the Now tab does not show the playing title"; }
    ! title_shown "Brivane Tester" || fail "the title check cannot tell the title from the artist"
    meter_moving() { ! settled "$(meter)"; }
    wait_until 10 meter_moving || { shot fail-meter; fail "the level meter does not move while playing"; }
    # The volume slider sets the sound server's output: a click a quarter of
    # the way along its track.
    # shellcheck disable=SC2046
    click_at $(volume_at 25)
    xdotool mousemove "$mid_x" 33
    wait_until 10 sink_volume_near 25 || fail "the slider did not set the output volume (pactl: $(sink_volume)%)"
    card_shot now
    # shellcheck disable=SC2046
    click_at $(play_pause_centre)
    xdotool mousemove "$mid_x" 33
    wait_until 10 player_status_is Paused || { shot fail-pause; fail "play/pause did not pause mpv ($(playerctl -p mpv status))"; }
    wait_until 10 settled "$(meter)" || { shot fail-meter-still; fail "the meter still moves while paused"; }
    card_shot now-paused

    # Leaving the card collapses it.
    collapse
    shot tour-collapsed

    # Restart without a player: the note is still stored and listed exactly
    # as before.
    stop_player
    stop_brivane
    track_known=0
    note_stored "Water the plants" || fail "the note is gone from the preferences file after quitting"
    start_brivane
    expand
    pick_tab 1
    wait_until 10 settled "$(first_note_row)" || fail "the note row kept changing after the restart"
    grab "$work/note-row-again.png" "$(first_note_row)"
    cp "$work/note-row.png" "$work/note-row-again.png" "$BRIVANE_ARTIFACTS/"
    looks_same "$work/note-row.png" "$work/note-row-again.png" || { shot fail-restart; fail "the note row differs after the restart"; }
    # So is the clipboard history.
    pick_tab 4
    wait_until 10 settled "$(clip_rows)" || fail "the clipboard rows kept changing after the restart"
    grab "$work/clip-rows-again.png" "$(clip_rows)"
    cp "$work/clip-rows.png" "$work/clip-rows-again.png" "$BRIVANE_ARTIFACTS/"
    looks_same "$work/clip-rows.png" "$work/clip-rows-again.png" || { shot fail-restart-clip; fail "the clipboard rows differ after the restart"; }
    shot tour-restarted
    collapse
    stop_brivane
    qml_quiet
    echo "end-to-end tour: all checks passed"
}

# Bad input: a corrupt preferences file, no session bus, no sound server. Each
# time Brivane starts, takes a note, and keeps every note stored before.
bad_input() {
    # A note stored the ordinary way first.
    start_brivane
    expand
    pick_tab 1
    add_note "Written before the damage"
    collapse
    stop_brivane

    # A torn write: half of the file, then garbage.
    local prefs size
    prefs=$(prefs_file)
    size=$(stat -c %s "$prefs")
    { head -c $((size / 2)) "$prefs"; printf '\000\377\376garbage\001{{"'; } >"$work/corrupt.json"
    cp "$work/corrupt.json" "$prefs"
    start_brivane
    expand
    shot bad-corrupt-expanded
    cmp -s "$prefs" "$work/corrupt.json" || fail "starting changed the unreadable file"
    # The first write keeps the unreadable file aside, byte for byte.
    pick_tab 1
    add_note "Written after the damage"
    collapse
    stop_brivane
    local aside
    aside=$(find "$(dirname "$prefs")" -name 'preferences.json.unreadable-*' | head -n1)
    [ -n "$aside" ] || fail "the unreadable preferences file was not kept aside"
    cmp -s "$aside" "$work/corrupt.json" || fail "the file kept aside is not the unreadable file"
    [ "$(stored_notes | tr '\n' '|')" = "Written after the damage|" ] || fail "notes after corruption: $(stored_notes)"

    # No session bus: players cannot be seen, but the card and notes work.
    (
        export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
        trap stop_brivane EXIT
        start_brivane
        expand
        shot bad-no-bus-expanded
        pick_tab 1
        add_note "Written without a bus"
        collapse
        stop_brivane
    )
    [ "$(stored_notes | tr '\n' '|')" = "Written without a bus|Written after the damage|" ] ||
        fail "notes after the run without a bus: $(stored_notes)"

    # No sound server: the player is still seen and controlled over the bus.
    start_player "Quiet Morning Tone"
    (
        export PULSE_SERVER="unix:$work/no-pulse"
        trap stop_brivane EXIT
        start_brivane
        expand
        wait_until 15 mini_player_shown || { shot fail-nosound-mini; fail "no mini player without a sound server"; }
        track_known=1
        wait_until 10 title_shown "Quiet Morning Tone" || { shot fail-nosound-title; fail "no title without a sound server"; }
        shot bad-no-sound-now
        # shellcheck disable=SC2046
        click_at $(play_pause_centre)
        xdotool mousemove "$mid_x" 33
        wait_until 10 player_status_is Paused || fail "play/pause did not pause mpv without a sound server"
        pick_tab 1
        add_note "Written without sound"
        collapse
        stop_brivane
    )
    stop_player
    [ "$(stored_notes | tr '\n' '|')" = "Written without sound|Written without a bus|Written after the damage|" ] ||
        fail "notes after the run without sound: $(stored_notes)"

    # Back to normal: every note is listed, the newest first.
    start_brivane
    expand
    pick_tab 1
    wait_until 5 settled "$card_geometry" || true
    card_shot bad-input-notes
    local row
    for row in 0 1 2; do
        [ "$(count_card "340x20+${content_x}+$((82 + 37 * row))")" -lt 3000 ] ||
            { shot fail-rows; fail "note row $row is not drawn"; }
    done
    stop_brivane
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
