#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats every C++ file of the project with .clang-format.
#   scripts/format.sh          rewrite the files that differ
#   scripts/format.sh --check  only list them; exits 1 if any differs
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# The layout is kept with clang-format 14 (Debian 12); other versions lay
# some constructs out differently, so they neither check nor rewrite.
kept=14
major=$(clang-format --version | sed -n 's/.*version \([0-9]*\).*/\1/p')
if [ "$major" != "$kept" ]; then
    echo "format: clang-format $major is not $kept, which the tree's layout is kept with; not checked" >&2
    exit 0
fi
if git rev-parse --git-dir >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t files < <(find src tests bench fuzz -name '*.cpp' -o -name '*.h')
fi
if [ "${1:-}" = --check ]; then
    differ=()
    for f in "${files[@]}"; do
        clang-format "$f" | cmp -s - "$f" || differ+=("$f")
    done
    [ ${#differ[@]} -eq 0 ] && exit 0
    echo "These files differ from .clang-format (scripts/format.sh fixes them):" >&2
    printf '  %s\n' "${differ[@]}" >&2
    exit 1
fi
clang-format -i "${files[@]}"
