#!/usr/bin/env bash
# Sets everything up and runs the whole test suite: unit and view tests
# offscreen, integration tests inside private desktop sessions that the tests
# start themselves.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANE_BUILD_DIR:-$root/build}"

"$root/scripts/setup.sh"

export BRIVANE_ARTIFACTS="${BRIVANE_ARTIFACTS:-$build/artifacts}"
rm -rf "$BRIVANE_ARTIFACTS"
mkdir -p "$BRIVANE_ARTIFACTS"
cd "$build"
ctest --output-on-failure --timeout 600 "$@"
