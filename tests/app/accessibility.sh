#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Brivane's card over AT-SPI: a player, two notes and two clipboard entries
# are there before it starts; accessibility.py then reads every tab as a
# screen reader would. Runs inside with-session.sh.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=tests/integration/lib.sh
source "$here/../integration/lib.sh"
work=$(mktemp -d)
player_pid=
cleanup() {
    [ -n "$player_pid" ] && kill "$player_pid" 2>/dev/null
    stop_brivane
    rm -rf "$work"
}
trap cleanup EXIT

# The session's accessibility bus (started on demand through the session
# bus), and Qt's bridge to it whether or not a screen reader is running.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
unset OPENAI_API_KEY
gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress >/dev/null || fail "no accessibility bus in this session"

"$BRIVANE_BUILD/tests/platform/fake_mpris_player" --name heard --title "Heard Title" \
    --artist "Heard Artist" --album "Heard Album" --identity "Heard Player" >"$work/player.out" &
player_pid=$!
wait_until 10 grep -q ready "$work/player.out" || fail "the fake player did not start"

# Two notes and two clipboard entries, stored as Brivane keeps them.
mkdir -p "$(dirname "$(prefs_file)")"
/usr/bin/python3 - "$(prefs_file)" <<'PY'
import base64, json, sys
notes = [{"id": "9E0D6B1A-6C1B-4B52-9A57-3C1D2E3F4A5B", "text": "Water the plants", "date": 786712345.0},
         {"id": "1F2E3D4C-5B6A-4798-8877-665544332211", "text": "Call the dentist", "date": 786600000.0}]
json.dump({"brivane_notes": {"base64": base64.b64encode(json.dumps(notes).encode()).decode()},
           "brivane_clip": ["First copied text", "Second copied text"]}, open(sys.argv[1], "w"))
PY

cat >"$work/expected.json" <<'JSON'
{
  "Now": ["Heard Title", "Heard Artist", "Heard Album", "Heard Player", "Pause",
          "Previous track", "Next track", "Volume", "Elapsed *", "Remaining *"],
  "Notes": ["Quick note", "Add note", "Water the plants, *", "Call the dentist, *",
            "Delete note: Water the plants", "Delete note: Call the dentist"],
  "Timer": ["0:00", "radio button::Stopwatch", "radio button::Countdown", "Reset", "Start", "Skip 10 seconds"],
  "Calc": ["0", "7", "+", "="],
  "Clip": ["Clipboard", "Capture", "First copied text", "Copy back: First copied text",
           "Delete entry: Second copied text"],
  "AI": ["Add your OpenAI API key in Settings"],
  "Stats": ["CPU *", "RAM *", "Disk *", "Uptime *"]
}
JSON

start_brivane
/usr/bin/python3 "$here/accessibility.py" "$work/expected.json"
