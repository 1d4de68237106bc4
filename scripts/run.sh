#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets everything up and starts Brivane in the current desktop session.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Brivane needs a graphical desktop session, and this shell has none" >&2
    echo "(neither DISPLAY nor WAYLAND_DISPLAY is set). Run this from a terminal on your desktop." >&2
    exit 1
fi

"$root/scripts/setup.sh" build run
exec "${BRIVANE_BUILD_DIR:-$root/build}/src/brivane"
