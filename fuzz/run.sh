#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzzers if needed and runs each one for a bounded time against a
# copy of its seed corpus (the committed corpus never grows here). Prints one
# line per fuzzer; exits non-zero when any of them crashed or a sanitizer
# reported. Usage: fuzz/run.sh [seconds per fuzzer, default 20]
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
seconds="${1:-20}"
build="$(realpath -m "${BRIVANE_FUZZ_BUILD_DIR:-$here/../build-fuzz}")"
# Logs and crashing inputs go with the test run's artefacts when there is one.
work="${BRIVANE_FUZZ_WORK_DIR:-${BRIVANE_ARTIFACTS:+$BRIVANE_ARTIFACTS/fuzz}}"
work="${work:-$build/run}"
fuzzers=(fuzz_reply_stream fuzz_notes fuzz_preferences fuzz_calculator fuzz_server_address)

export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd "$here/.." && pwd)}"
if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="${BRIVANE_FUZZ_CXX:-clang++}" >/dev/null \
        || { echo "fuzz: configure failed" >&2; exit 1; }
fi
ninja -C "$build" -j2 >/dev/null || { ninja -C "$build" -j1 >&2; echo "fuzz: build failed" >&2; exit 1; }

# Qt must not try to reach a display or print locale warnings per input.
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=0
for fuzzer in "${fuzzers[@]}"; do
    rm -rf "${work:?}/$fuzzer"
    corpus="$work/$fuzzer/corpus"
    artifacts="$work/$fuzzer/artifacts/"
    mkdir -p "$corpus" "$artifacts"
    cp "$here/corpus/$fuzzer/"* "$corpus/"
    log="$work/$fuzzer/log.txt"
    dict=()
    [[ -f "$here/dict/$fuzzer.dict" ]] && dict=(-dict="$here/dict/$fuzzer.dict")
    "$build/$fuzzer" "${dict[@]}" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts" "$corpus" >"$log" 2>&1
    status=$?
    runs="$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)"
    # A run that stopped early has no summary: its last progress line counts.
    [[ -n "$runs" ]] || runs="$(sed -n 's/^#\([0-9]*\)[[:space:]].*/\1/p' "$log" | tail -n 1)"
    if [[ $status -ne 0 ]] || grep -qE '^(==[0-9]+==ERROR|SUMMARY: (Address|UndefinedBehavior)Sanitizer)|runtime error:' "$log"; then
        failed=1
        echo "$fuzzer: FAILED after ${runs:-?} runs (exit $status); log $log, input in $artifacts"
        grep -m 20 -E 'ERROR|runtime error|SUMMARY|deadly signal|#[0-9]+ ' "$log" | head -n 20 | sed 's/^/    /'
    else
        echo "$fuzzer: ok, ${runs:-0} runs in ${seconds} s, corpus $(ls "$corpus" | wc -l) inputs"
    fi
done
exit $failed
