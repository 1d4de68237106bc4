#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a packager meets it: built by cpack from the build
# folder, clean under lintian, its desktop entry and AppStream metadata
# valid, its dependencies present, and its program started from an unpacked
# copy.  Usage: check-package.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log" >&2; fail "cpack did not build the package"; }
deb="$(find "$work/out" -maxdepth 1 -name 'brivane_*.deb' | head -n1)"
[ -n "$deb" ] || fail "cpack made no brivane_*.deb"
echo "package: $(basename "$deb")"

# Any error or warning fails; informational tags do not.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" || fail "lintian"

dpkg-deb --info "$deb" >/dev/null
root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.brivane.Brivane.desktop" || fail "desktop entry"
appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/org.brivane.Brivane.metainfo.xml" \
    || fail "AppStream metadata"

# Every dependency is one this machine has (versions aside), so the program
# below runs on what the package asks for, not on something it forgot.
# Installed packages and the virtual ones they provide, one name a line.
dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Provides}\n' | awk '$1 == "ii"' \
    | sed -E 's/^ii +//; s/\([^)]*\)//g; s/[ ,]+/\n/g' | sed '/^$/d' | sort -u >"$work/installed"
depends="$(dpkg-deb -f "$deb" Depends)"
IFS=',' read -ra groups <<<"$depends"
for group in "${groups[@]}"; do
    met=0
    IFS='|' read -ra choices <<<"$group"
    for choice in "${choices[@]}"; do
        name="$(sed -E 's/\(.*\)//; s/[[:space:]]//g' <<<"$choice")"
        name="${name%%:*}"
        grep -qxF "$name" "$work/installed" && met=1
    done
    [ "$met" = 1 ] || fail "dependency not installed: $group"
done

bin="$root/usr/bin/brivane"
export QT_QPA_PLATFORM=offscreen
version="$("$bin" --version)" || fail "--version exited $?"
[ "$version" = "brivane $(dpkg-deb -f "$deb" Version)" ] || fail "--version printed '$version'"
"$bin" --help | grep -q -- '--toggle' || fail "--help"
# Printing wins over anything else on the line; an unknown option is refused.
"$bin" --toggle --version --no-such-option >/dev/null || fail "--version with other options"
status=0
"$bin" --no-such-option >"$work/out.txt" 2>"$work/err.txt" || status=$?
[ "$status" = 2 ] && [ ! -s "$work/out.txt" ] && grep -q '^Usage: brivane' "$work/err.txt" \
    || fail "an unknown option exited $status"
echo "package checks passed"
