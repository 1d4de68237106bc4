#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian 13 root on a Debian 12 machine, to build Brivane in and to run the
# desktop checks on Debian 13's desktops (GNOME Shell 48, KWin 6, sway 1.10).
#   debian13.sh make                    make the root, or bring its packages up to date
#   debian13.sh build                   build and install Brivane inside it, as a Debian 13 user would
#   debian13.sh run [--bind DIR]... -- COMMAND...
#                                       run COMMAND inside it, with DIR (and the checkout) bound in
# The root lives outside the checkout, in $BRIVANE_DEBIAN13_ROOT (default
# /var/cache/brivane/debian13), and is kept between runs: it is made again only
# when its package list changes. Packages come from the Debian mirror that this
# machine's own apt sources name. Needs root.
set -euo pipefail

checkout="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)"
ROOT=${BRIVANE_DEBIAN13_ROOT:-/var/cache/brivane/debian13}
# The build inside the root keeps its own folder beside build/.
BUILD13=${BRIVANE_DEBIAN13_BUILD_DIR:-$checkout/build-debian13}

say() { echo "debian13.sh: $*" >&2; }

# What the root holds: Brivane's build and run packages for Debian 13, the
# nested desktops, and what a login needs (a passwd entry, certificates).
root_packages() {
    { "$checkout/scripts/packages.sh" --release trixie build run desktops
      printf '%s\n' passwd ca-certificates; } | sort -u
}

# The Debian mirror and security mirror this machine's apt uses, from its
# deb822 sources or its one-line list.
mirror_of() {
    local kind=$1 uris
    uris=$({
        cat /etc/apt/sources.list.d/*.sources 2>/dev/null || true
    } | awk '/^URIs:/ { for (i = 2; i <= NF; i++) print $i }'
    {
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true
    } | awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i !~ /^\[/ && $i !~ /=/ && $i !~ /\]$/) { print $i; break } }')
    if [ "$kind" = security ]; then
        grep -m1 security <<<"$uris" || true
    else
        grep -v security <<<"$uris" | sed -n 1p
    fi
}

# run [--bind DIR]... -- COMMAND: the root bound onto itself (pivot_root needs a
# mount point) and entered with pivot_root in a private mount namespace, not
# chroot, since a chrooted process may not make the user namespace that sway's
# harness makes. The binds are gone when COMMAND ends.
run_in_root() {
    local binds=("$checkout")
    while [ $# -gt 0 ]; do
        case $1 in
            --bind) binds+=("$(cd "$2" && pwd -P)"); shift 2 ;;
            --) shift; break ;;
            *) break ;;
        esac
    done
    [ -f "$ROOT/.brivane-packages" ] || { say "no Debian 13 root at $ROOT: run '$0 make' first"; exit 125; }
    cp -L /etc/resolv.conf "$ROOT/etc/resolv.conf" 2>/dev/null || true
    BD13_ROOT=$ROOT BD13_BINDS="$(printf '%s\n' "${binds[@]}")" unshare --mount --propagation private bash -c '
        set -e
        R=$BD13_ROOT
        mount --bind "$R" "$R"
        for d in proc sys dev dev/pts dev/shm; do mount --rbind "/$d" "$R/$d"; done
        while IFS= read -r p; do
            [ -n "$p" ] || continue
            mkdir -p "$R$p"
            mount --rbind "$p" "$R$p"
        done <<<"$BD13_BINDS"
        cd "$R"
        mkdir -p .oldroot
        pivot_root . .oldroot
        cd /
        umount -l /.oldroot
        exec env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
            TERM=dumb LANG=C.UTF-8 CI="${CI:-}" "$@"' bash "$@"
}

make_root() {
    [ "$(id -u)" = 0 ] || { say "making the root needs root"; exit 1; }
    local wanted have mirror security log
    wanted=$(root_packages | sha256sum | cut -d' ' -f1)
    have=$(cat "$ROOT/.brivane-packages" 2>/dev/null || true)
    [ "$wanted" = "$have" ] && return 0
    mirror=$(mirror_of main)
    security=$(mirror_of security)
    [ -n "$mirror" ] || { say "this machine's apt sources name no Debian mirror"; exit 1; }
    mkdir -p "$(dirname "$ROOT")"
    log="$(dirname "$ROOT")/debian13-make.log"
    : >"$log"
    if [ ! -x "$ROOT/usr/bin/apt-get" ]; then
        command -v debootstrap >/dev/null || { say "debootstrap is missing (scripts/setup.sh installs it)"; exit 1; }
        say "making a Debian 13 root in $ROOT (log: $log)"
        rm -rf "$ROOT.part"
        debootstrap --variant=minbase trixie "$ROOT.part" "$mirror" >>"$log" 2>&1 ||
            { tail -n 5 "$log" >&2; say "debootstrap failed"; exit 1; }
        rm -rf "$ROOT"
        mv "$ROOT.part" "$ROOT"
    fi
    {
        printf 'Types: deb\nURIs: %s\nSuites: trixie trixie-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' "$mirror"
        [ -z "$security" ] ||
            printf '\nTypes: deb\nURIs: %s\nSuites: trixie-security\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' "$security"
    } >"$ROOT/etc/apt/sources.list.d/debian.sources"
    rm -f "$ROOT/etc/apt/sources.list"
    touch "$ROOT/.brivane-packages"
    say "installing Debian 13's desktops and Brivane's build packages into the root"
    mapfile -t pkgs < <(root_packages)
    run_in_root -- bash -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"' \
        bash "${pkgs[@]}" >>"$log" 2>&1 || {
        rm -f "$ROOT/.brivane-packages"
        grep '^E:' "$log" | tail -n 3 >&2
        say "installing the packages failed (log: $log)"
        exit 1
    }
    # The desktops' session user: Xwayland refuses clients whose uid has no
    # passwd entry, and sway's harness runs as uid 1000.
    grep -q '^[^:]*:[^:]*:1000:' "$ROOT/etc/passwd" || run_in_root -- useradd -m -u 1000 -s /bin/bash tester
    echo "$wanted" >"$ROOT/.brivane-packages"
}

# Brivane built and installed inside the root as the README tells a Debian 13
# user: the set-up script, then cmake --install into /usr/local.
build_in_root() {
    run_in_root -- env BRIVANE_BUILD_DIR="$BUILD13" bash -c '
        set -e
        "$0/scripts/setup.sh" build run
        cmake --install "$BRIVANE_BUILD_DIR" >/dev/null' "$checkout"
}

case ${1:-} in
    make) make_root ;;
    build) build_in_root ;;
    run) shift; run_in_root "$@" ;;
    *) sed -n '4,8p' "$0" | sed 's/^# //' >&2; exit 2 ;;
esac
