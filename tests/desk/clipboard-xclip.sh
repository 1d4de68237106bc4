#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The clipboard panel against the real X clipboard, set and read with xclip.
# Runs inside tests/integration/with-session.sh:
#   clipboard-xclip.sh <path of tst_clipboard_xclip>
set -euo pipefail
test_bin=${1:?usage: clipboard-xclip.sh <test executable>}
command -v xclip >/dev/null || { echo "FAIL: xclip is not installed" >&2; exit 1; }
: "${DISPLAY:?needs the X server of with-session.sh}"
export QT_QPA_PLATFORM=xcb QT_QUICK_BACKEND=software
exec "$test_bin"
