#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Hover response and collapsed idle CPU on each nested desktop.
#   bench/desktops.sh [rounds] [idle-seconds] [desktop...]
#       (defaults: 10 rounds, 20 s, gnome kwin sway xfce; builds first)
# On Debian 12, GNOME, KWin and sway are measured again on Debian 13, in the
# root scripts/debian13.sh makes, with the Brivane scripts/test.sh built and
# installed there (BENCH_DEBIAN13=0 leaves that out).
# For each desktop: from the pointer reaching the top centre to the first
# changed pixel of the card, and from leaving to the card gone, read back
# from the screen the desktop is drawn to; then the CPU Brivane uses while
# collapsed and idle.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANE_BUILD_DIR:-$root/build}"
rounds=${1:-10}
idle=${2:-20}
shift $(($# > 2 ? 2 : $#))
desktops=("$@")
[ ${#desktops[@]} -gt 0 ] || desktops=(gnome kwin sway xfce)

cmake --build "$build" --target brivane hover_response test_window >/dev/null

# One desktop: "bench_on DESKTOP" here, or "bench_on DESKTOP debian13" in the root.
bench_on() {
    local desktop=$1 release=${2:-}
    if [ -z "$release" ]; then
        echo "== $desktop"
        # GNOME with Brivane's extension, as the package installs it.
        env GNOME_SHELL_EXTENSION="$build/gnome-shell-extension/brivane@brivane.org" BRIVANE_BIN="$build/src/brivane" \
            HOVER="$build/bench/hover_response" ROUNDS=$rounds IDLE=$idle BENCH_DESKTOP=$desktop DESKTOPS_QUIET=1 \
            "$root/tests/desktops/$desktop.sh" -- bash -c "$measure"
    else
        echo "== $desktop (Debian 13)"
        "$root/scripts/debian13.sh" run --bind "$build" -- env DESKTOPS_BIND="$root:$build" \
            GNOME_SHELL_EXTENSION=/usr/local/share/gnome-shell/extensions/brivane@brivane.org \
            BRIVANE_BIN=/usr/local/bin/brivane HOVER="$root/build-debian13/bench/hover_response" ROUNDS=$rounds \
            IDLE=$idle BENCH_DESKTOP=$desktop DESKTOPS_QUIET=1 "$root/tests/desktops/$desktop.sh" -- bash -c "$measure"
    fi
}

measure='
        set -u
        work=$(mktemp -d)
        export HOME=$work XDG_CONFIG_HOME=$work/config QT_XCB_NO_MITSHM=1
        "$BRIVANE_BIN" >"$work/log" 2>&1 &
        pid=$!
        until grep -q "^Brivane: the strip is" "$work/log"; do sleep 0.2; done
        read -r w h < <(DISPLAY=$OUTER_DISPLAY xdpyinfo | sed -n "s/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\1 \2/p")
        top=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n "s/.*= *[0-9]*, *\([0-9]*\),.*/\1/p")
        # The top edge where a layer surface or the GNOME Shell extension
        # takes it, else the strip where it hangs below a top panel.
        if grep -q "^Brivane: the strip is a layer surface" "$work/log" || [ "$BENCH_DESKTOP" = gnome ]; then
            target=0
        else
            target=$((${top:-0} + 5))
        fi
        # The probe is the first rows below the strip, which show first as
        # the card grows.
        probe=$((${top:-0} + 45))
        [ "$target" = 0 ] && [ "$BENCH_DESKTOP" != gnome ] && probe=40
        sleep 2
        DISPLAY=$OUTER_DISPLAY "$HOVER" $((w / 2)) "$target" $((w / 2 - 150)) "$probe" $((w / 2)) $((h - 150)) "$ROUNDS" ||
            echo "hover: no response from y $target (the strip is not there on this desktop)"
        ticks=$(getconf CLK_TCK)
        c0=$(awk "{print \$14 + \$15}" /proc/$pid/stat)
        sleep "$IDLE"
        c1=$(awk "{print \$14 + \$15}" /proc/$pid/stat)
        awk -v d=$((c1 - c0)) -v t="$ticks" -v s="$IDLE" "BEGIN {printf \"collapsed idle CPU %.2f%% of a core over %d s\\n\", 100 * d / t / s, s}"
        kill $pid
'
for desktop in "${desktops[@]}"; do
    bench_on "$desktop"
done
if [ "$(. /etc/os-release && echo "$VERSION_CODENAME")" = bookworm ] && [ "${BENCH_DEBIAN13:-1}" != 0 ] &&
    [ -x "$root/build-debian13/bench/hover_response" ]; then
    for desktop in "${desktops[@]}"; do
        [ "$desktop" = xfce ] || bench_on "$desktop" debian13
    done
fi
