#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Median UI-thread cost of a media poll tick with three players on a private
# session bus.   bench/media.sh [build-dir] [ticks]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
exec "$here/../tests/integration/with-session.sh" "$build/bench/bench_media" "${2:-200}"
