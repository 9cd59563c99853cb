#!/usr/bin/env bash
# Sets up and builds everything with warnings as errors, then runs every test (widget tests
# offscreen), the sanitizer run and each fuzz target for 30 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh -DORV_WARNINGS_AS_ERRORS=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
scripts/sanitize.sh
scripts/fuzz.sh
