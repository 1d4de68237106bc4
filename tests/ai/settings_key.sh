#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The AI settings under a real window manager. Without a keyring the typed
# key is saved to the preferences file once the field is left; the
# environment's key shown before it never is. With a keyring (a real
# gnome-keyring-daemon, unlocked with a test password) the key moves there
# from the file, and an item of the older layout goes. Then the address of a
# local server, a model and that server's own key are entered, and a question
# asked on the AI tab: the reply is read back over AT-SPI, and the server
# must have got its own key, not the other one.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=../integration/lib.sh
source "$here/../integration/lib.sh"
helpers=()
cleanup() {
    stop_brivane
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

export OPENAI_API_KEY=sk-from-the-environment
start_brivane

# Launching again is the reopen request: it shows the settings window. The
# Tab presses that follow start from its first control.
open_settings() {
    relaunch
    window=$(settings_window)
    xdotool windowactivate --sync "$window" || true
    wait_until 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $window ]" || fail "the settings window did not take focus"
}
open_settings

[ -f "$(prefs_file)" ] && grep -q 'sk-from-the-environment' "$(prefs_file)" && fail "the fallback key was saved"

# The AI group follows the General group (two spin boxes, a switch and the
# player choice): the server address, the model, then the key.
xdotool key --clearmodifiers Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 20 'sk-typed-in-settings'
xdotool key --clearmodifiers Tab
key_saved() { grep -q '"brivane_openai_key": *"sk-typed-in-settings"' "$(prefs_file)"; }
wait_until 10 key_saved || { screenshot settings-key-failed; fail "the typed key was not saved"; }
grep -q 'sk-from-the-environment' "$(prefs_file)" && fail "the fallback key was saved"
[ "$(stat -c %a "$(prefs_file)")" = 600 ] || fail "the preferences file is readable by others"
echo "PASS: without a keyring, the typed key was saved to the file"
stop_brivane

# A keyring in the session: the key moves there from the file, at start.
printf 'test-password' | gnome-keyring-daemon --foreground --unlock --components=secrets \
    >"$BRIVANE_ARTIFACTS/keyring.log" 2>&1 &
helpers+=($!)
has_keyring() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner org.freedesktop.secrets | grep -q true
}
wait_until 10 has_keyring || fail "gnome-keyring-daemon did not start"
# keyring_holds SERVER KEY
keyring_holds() { [ "$(secret-tool lookup application brivane server "$1" 2>/dev/null)" = "$2" ]; }
file_has_no_key() { ! grep -q brivane_openai_key "$(prefs_file)"; }
older=(xdg:schema org.brivane.Brivane.AIKey application brivane)
printf 'sk-older' | secret-tool store --label 'Brivane AI key' "${older[@]}" server http://x/v1
start_brivane
wait_until 10 keyring_holds https://api.openai.com sk-typed-in-settings || fail "the key did not move to the keyring"
wait_until 10 file_has_no_key || fail "the key stayed in the preferences file"
secret-tool search --all application brivane 2>&1 | grep -qx 'label = Brivane AI key' ||
    fail "the keyring item is not labelled"
wait_until 10 sh -c "! secret-tool search --all ${older[*]} 2>&1 | grep -q label" || fail "the older item stayed"
echo "PASS: the key moved from the file to the keyring"
stop_brivane
start_brivane

# After a restart, a local server without a key: its address and model in
# the settings.
# A port file left by an earlier run would name a server that is gone.
rm -f "$BRIVANE_ARTIFACTS/server.port" "$BRIVANE_ARTIFACTS/server.log"
/usr/bin/python3 "$here/local_chat_server.py" "$BRIVANE_ARTIFACTS/server.port" "$BRIVANE_ARTIFACTS/server.log" &
helpers+=($!)
wait_until 10 test -s "$BRIVANE_ARTIFACTS/server.port" || fail "the local server did not start"
address="http://127.0.0.1:$(cat "$BRIVANE_ARTIFACTS/server.port")/v1"
# No key left in the file: the keyring is looked at only once the key field
# needs it, so a run that never chats does not carry libsecret.
keyring_opened() { grep -q libsecret "/proc/$BRIVANE_PID/maps"; }
keyring_opened && fail "the keyring was opened before anything needed a key"
open_settings
wait_until 10 keyring_opened || fail "the key field did not look at the keyring"
xdotool key --clearmodifiers Tab Tab Tab Tab Tab Tab Tab Tab ctrl+a
xdotool type --delay 20 'http://me:pw@127.0.0.1/v1'
xdotool key --clearmodifiers Tab shift+Tab ctrl+a
xdotool type --delay 20 "$address"
xdotool key --clearmodifiers Tab ctrl+a
address_saved() { grep -q "\"brivane_ai_base_url\": *\"$address\"" "$(prefs_file)"; }
wait_until 10 address_saved || { screenshot settings-address-failed; fail "the address was not saved"; }
grep -q 'me:pw' "$(prefs_file)" && fail "an address with credentials was saved"
xdotool type --delay 20 'tiny-local'
xdotool key --clearmodifiers Tab
model_saved() { grep -q '"brivane_ai_model": *"tiny-local"' "$(prefs_file)"; }
wait_until 10 model_saved || { screenshot settings-model-failed; fail "the model was not saved"; }
# The key field is this server's, empty so far: its own key goes in.
xdotool type --delay 20 'sk-local'
xdotool key --clearmodifiers Tab
origin="${address%/v1}"
wait_until 10 keyring_holds "$origin" sk-local || fail "the local server's key is not in the keyring"
keyring_holds https://api.openai.com sk-typed-in-settings || fail "the other server's key changed"
file_has_no_key || fail "a key went back to the file"

# The question on the AI tab, and the reply as a screen reader hears it.
if ! /usr/bin/python3 - "$here/../app" <<'PY'
import subprocess, sys
sys.dont_write_bytecode = True  # keep the checkout clean
sys.path.insert(0, sys.argv[1])
import accessibility as a
from gi.repository import Atspi

app = a.open_card()
a.press(a.wait_for("the AI tab", lambda: a.find(app, "page tab", "AI")))
field = a.wait_for("the question field", lambda: a.find(app, "text", "Question") or a.find(app, "entry", "Question"))
box = Atspi.Component.get_extents(field, Atspi.CoordType.SCREEN)
subprocess.check_call(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1"])
subprocess.check_call(["xdotool", "type", "--delay", "20", "Who are you?"])
subprocess.check_call(["xdotool", "key", "Return"])
answer = "Answer: <b>Hello</b> from the local model."
a.wait_for("the streamed reply", lambda: any(n == answer for _, n, _ in a.tree(app)))
print("heard: " + answer)
PY
then
    screenshot ai-tab-failed
    fail "the reply was not heard on the AI tab"
fi
/usr/bin/python3 - "$BRIVANE_ARTIFACTS/server.log" <<'PY' || fail "the local server got the wrong request"
import json, sys
requests = [json.loads(line) for line in open(sys.argv[1])]
assert requests == [{"model": "tiny-local", "question": "Who are you?", "authorization": "Bearer sk-local"}], requests
PY
grep -q 'sk-typed-in-settings' "$BRIVANE_ARTIFACTS/brivane.log" && fail "the key appeared in the program's output"
echo "PASS: a local server answered through the AI tab"
