#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets everything up and runs the whole test suite: unit and view tests
# offscreen, integration tests inside private desktop sessions that the tests
# start themselves, and the Debian package's checks (label `packaging`).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANE_BUILD_DIR:-$root/build}"

"$root/scripts/setup.sh"

# The C++ code as .clang-format lays it out; scripts/format.sh mends it.
"$root/scripts/format.sh" --check
# Every file says whose it is and under which licence (LICENSES/, .reuse/dep5).
(cd "$root" && reuse lint --quiet) || { (cd "$root" && reuse lint) | tail -n 30; exit 1; }

# On Debian 12, a Debian 13 root beside it (kept between runs), with Brivane
# built and installed inside as a Debian 13 user would: the desktop checks
# (CTest label debian13) run there too. BRIVANE_DEBIAN13=0 leaves it out.
leave_out=()
if [ "$(. /etc/os-release && echo "$VERSION_CODENAME")" = bookworm ]; then
    if [ "${BRIVANE_DEBIAN13:-1}" != 0 ]; then
        "$root/scripts/debian13.sh" make
        "$root/scripts/debian13.sh" build
    else
        leave_out=(-LE debian13)
    fi
fi

export BRIVANE_ARTIFACTS="${BRIVANE_ARTIFACTS:-$build/artifacts}"
rm -rf "$BRIVANE_ARTIFACTS"
mkdir -p "$BRIVANE_ARTIFACTS"
ctest --test-dir "$build" --output-on-failure --timeout 600 "${leave_out[@]}" "$@"

# The unit and view tests again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer: any report fails the run.
asan="${BRIVANE_ASAN_BUILD_DIR:-$root/build-asan}"
if [ ! -f "$asan/build.ninja" ]; then
    cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRIVANE_SANITIZE=ON
fi
cmake --build "$asan"
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$root/tests/lsan.supp \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir "$asan" -L unit --output-on-failure --timeout 600

# Every parser of outside input under libFuzzer, for a bounded time each.
"$root/fuzz/run.sh" "${BRIVANE_FUZZ_SECONDS:-20}"
