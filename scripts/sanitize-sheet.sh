#!/usr/bin/env bash
# Builds the spreadsheet robustness test with AddressSanitizer and UndefinedBehaviorSanitizer in
# its own build folder and runs it: damaged workbooks must be read or refused without any fault.
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-sanitize-sheet -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" > /dev/null
cmake --build build-sanitize-sheet --target sheet_robustness_tests -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  build-sanitize-sheet/tests/sheet/sheet_robustness_tests
