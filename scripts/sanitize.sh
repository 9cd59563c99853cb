#!/usr/bin/env bash
# Builds the robustness tests (spreadsheet, survey-side files, the survey records and the event
# texts, analysis limits and reports, the report sheet, the trend views' layouts of damaged first
# records, the events list and system events over bad stamps and samples files, the survey
# summary, the exporter on damaged hand-over and data files, the setup file and its print) with
# AddressSanitizer and UndefinedBehaviorSanitizer in one build folder of their own and runs them,
# with the fuzz targets replaying their kept findings: damaged files must be read or refused
# without any fault.
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
tests=(sheet/sheet_robustness_tests survey/survey_robustness_tests survey/survey_tests analysis/analysis_tests
  analysis/report_sheet_tests views/views_tests views/events_list_tests summary/summary_tests export/export_tests setup/setup_tests)
replays=()
for target in fuzz/targets/*_fuzz.cpp; do
  name=${target##*/}
  replays+=("fuzz_${name%.cpp}_replay")
done
replays=("${replays[@]/_fuzz_replay/_replay}")
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" > /dev/null
cmake --build build-sanitize --target "${tests[@]##*/}" "${replays[@]}" -j"${JOBS:-$(nproc)}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LC_ALL=C.UTF-8
# The tests run side by side; each stops at its first fault.
pids=()
for t in "${tests[@]}"; do
  build-sanitize/tests/"$t" --gtest_brief=1 & pids+=($!)
done
for replay in "${replays[@]}"; do
  name=${replay#fuzz_}
  build-sanitize/fuzz/"$replay" fuzz/regressions/"${name%_replay}" & pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
exit "$status"
