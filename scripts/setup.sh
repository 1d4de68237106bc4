#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that are missing for this release (Debian 12
# or 13, see packages.txt) and builds Brivane into build/. Safe to run again:
# it only does what is needed.
#   setup.sh [GROUP...]   the package groups to install (default: all of them;
#                         run.sh asks only for "build run")
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANE_BUILD_DIR:-$root/build}"

install_missing_packages() {
    local missing=() pkg
    while read -r pkg; do
        pkg="${pkg%%#*}"; pkg="${pkg// /}"
        [ -z "$pkg" ] && continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed" || missing+=("$pkg")
    done < <("$root/scripts/packages.sh" "$@")
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "Brivane needs these Debian packages and cannot install them without root or sudo:" >&2
            echo "  ${missing[*]}" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_brivane() {
    export CCACHE_BASEDIR="$root"
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIVANE_WERROR=ON
    fi
    cmake --build "$build"
}

install_missing_packages "$@"
build_brivane
