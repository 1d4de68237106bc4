#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Stats tab in the running program: it appears when its tab is picked,
# draws its rows (the Disk bar is always half full, in the row's orange) and
# goes away with the card.
set -euo pipefail
source "$(dirname "$0")/../integration/lib.sh"
trap stop_brivane EXIT

start_brivane
screen_w=${BRIVANE_SCREEN_W:-1512}
card_x=$(((screen_w - 380) / 2))

# Pixels of the Disk row's orange (#FF9F0A, give or take the last step of
# the card's fade) in the band of the card that holds that row, the third;
# a small band keeps each look quick on a busy machine.
orange_pixels() {
    import -window root -crop "380x100+${card_x}+80" -depth 8 txt:- 2>/dev/null |
        grep -cE '\((25[0-5]),(15[5-9]|16[0-3]),([7-9]|1[0-3])\)' || true
}
has_orange() { [ "$(orange_pixels)" -gt 100 ]; }
no_orange() { [ "$(orange_pixels)" -eq 0 ]; }

no_orange || fail "orange on screen before the card opened"
card_open() { [ "$(pixel $((card_x + 190)) 300)" != "$(pixel 20 300)" ]; }
xdotool mousemove $((card_x + 190)) 10
wait_until 30 card_open || { screenshot stats-card-closed; fail "the card did not open on hover"; }
# The Stats tab is the last of seven across the tab bar near the card's foot.
xdotool mousemove $((card_x + 4 + 372 * 13 / 14)) 461
xdotool click 1
wait_until 30 has_orange || { screenshot stats-tab-missing; fail "the Stats panel did not draw its Disk bar"; }
screenshot stats-tab

xdotool mousemove $((card_x + 190)) 700
wait_until 30 no_orange || { screenshot stats-tab-stuck; fail "the Stats panel stayed after the card collapsed"; }
echo "stats tab: ok"
