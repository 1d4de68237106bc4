#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The media store against real players; runs inside with-session.sh.
set -euo pipefail

: "${BRIVANE_BUILD:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A short tagged tone for mpv to loop.
sox -n -r 44100 -c 2 --comment "TITLE=First Tone" --add-comment "ARTIST=Brivane Tester" \
    --add-comment "ALBUM=Test Signals" "$work/a.ogg" synth 30 sine 440 vol 0.1

export BRIVANE_MEDIA_AUDIO_A="$work/a.ogg"
export BRIVANE_FAKE_PLAYER="$BRIVANE_BUILD/tests/platform/fake_mpris_player"
export QT_QPA_PLATFORM=offscreen
"$BRIVANE_BUILD/tests/platform/tst_mpris_integration" "$@"
