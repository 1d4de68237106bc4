#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The key typed into the settings window under a real window manager is
# saved as typed; the environment's key shown before it never is.
set -euo pipefail
# shellcheck source=../integration/lib.sh
source "$(dirname "$0")/../integration/lib.sh"
# Stops the program started here; a bounded wait, then a hard stop, so a
# program that does not quit on TERM fails this run instead of hanging it.
exited() {
    local state
    state=$(ps -o stat= -p "$1" || true)
    [ -z "$state" ] || [ "${state#Z}" != "$state" ]
}
stop_started() {
    [ -n "${BRIVANE_PID:-}" ] || return 0
    kill -TERM "$BRIVANE_PID" 2>/dev/null || true
    if ! wait_until 10 exited "$BRIVANE_PID"; then
        echo "brivane did not quit on TERM" >&2
        kill -KILL "$BRIVANE_PID" 2>/dev/null || true
    fi
    wait "$BRIVANE_PID" 2>/dev/null || true
    BRIVANE_PID=
}
trap stop_started EXIT

export OPENAI_API_KEY=sk-from-the-environment
start_brivane

settings_window() {
    xdotool search --onlyvisible --name '^Brivane Settings$' 2>/dev/null | head -n1
}
has_settings_window() { [ -n "$(settings_window)" ]; }

# Launching again is the reopen request: it shows the settings window.
"$BRIVANE_BIN" >>"$BRIVANE_ARTIFACTS/brivane.log" 2>&1 || fail "second launch did not hand over"
wait_until 10 has_settings_window || fail "the settings window did not open"
window=$(settings_window)
xdotool windowactivate --sync "$window" || true
wait_until 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $window ]" || fail "the settings window did not take focus"

[ -f "$(prefs_file)" ] && grep -q 'sk-from-the-environment' "$(prefs_file)" && fail "the fallback key was saved"

# The key field follows the General group: two spin boxes, a switch and the
# player choice.
xdotool key --clearmodifiers Tab Tab Tab Tab Tab Tab Tab
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 20 'sk-typed-in-settings'
key_saved() { grep -q '"brivane_openai_key": *"sk-typed-in-settings"' "$(prefs_file)"; }
wait_until 10 key_saved || { screenshot settings-key-failed; fail "the typed key was not saved"; }
grep -q 'sk-from-the-environment' "$(prefs_file)" && fail "the fallback key was saved"
screenshot settings-key
grep -q 'sk-typed-in-settings' "$BRIVANE_ARTIFACTS/brivane.log" && fail "the key appeared in the program's output"
echo "PASS: the typed key was saved"
