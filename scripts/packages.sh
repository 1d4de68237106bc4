#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the Debian packages of scripts/packages.txt for a release and some
# of its groups, one a line.
#   packages.sh [--release CODENAME] [GROUP...]   (default: this machine's release, every group)
set -euo pipefail
list="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/packages.txt"

release=""
if [ "${1:-}" = --release ]; then
    release=$2
    shift 2
fi
if [ -z "$release" ]; then
    release=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
fi
# Debian 12 has its own names; every later release takes Debian 13's.
[ "$release" = bookworm ] || release=trixie

awk -v release="$release" -v groups=" $* " '
    /^## / { group = $2; next }
    { sub(/#.*/, "") }
    NF == 0 { next }
    groups != "  " && index(groups, " " group " ") == 0 { next }
    NF > 1 && $2 != "@" release { next }
    { print $1 }
' "$list"
