#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in
# build-fuzz/, writes their seed corpus from the fixture builder and the demo survey, and runs
# every target for a bounded time, several side by side. Any crash, leak, hang (an input taking
# over 10 s) or memory beyond the target's limit (one allocation over its MEMORY_MB, or 2 GB in
# all) fails the run; the input that found it is kept in build-fuzz/findings/<target>/ and the
# end of the target's log is printed.
#   scripts/fuzz.sh [target...]      every target, or those named
# FUZZ_SECONDS: seconds per target (30); FUZZ_RUNS: inputs per target instead of a time (with
# FUZZ_SECONDS too, the run ends at whichever comes first);
# FUZZ_JOBS: targets run at once (all cores);
# BUILD_JOBS: build jobs (all cores). Each target's corpus grows in build-fuzz/corpus/<target>/
# and is kept for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
jobs=${FUZZ_JOBS:-$(nproc)}
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DORV_FUZZ=ON \
  "${launcher[@]}" > /dev/null
cmake --build build-fuzz --target orv_fuzz_targets -j"${BUILD_JOBS:-$(nproc)}"
rm -rf build-fuzz/fuzz/seeds
build-fuzz/fuzz/orv_make_fuzz_seeds build-fuzz/fuzz/seeds > /dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(cut -d' ' -f1 build-fuzz/fuzz/targets.txt)
fi
mkdir -p build-fuzz/logs
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 LC_ALL=C.UTF-8
# Scratch files of the targets go to memory when the machine has a RAM disk.
[ -d /dev/shm ] && export TMPDIR=/dev/shm

run_target() {
  local name=$1 maxlen memory
  read -r _ maxlen memory < <(grep "^$name " build-fuzz/fuzz/targets.txt)
  mkdir -p "build-fuzz/corpus/$name" "build-fuzz/findings/$name"
  # New inputs go into the first folder; the seeds and the kept findings are read from the others.
  local corpora=("build-fuzz/corpus/$name")
  for folder in "build-fuzz/fuzz/seeds/$name" "fuzz/regressions/$name"; do
    [ -d "$folder" ] && corpora+=("$folder")
  done
  # With FUZZ_RUNS alone the count is the bound; with both, whichever comes first.
  local bound=(-max_total_time="$seconds")
  [ -n "${FUZZ_RUNS:-}" ] && bound=(-runs="$FUZZ_RUNS")
  [ -n "${FUZZ_RUNS:-}" ] && [ -n "${FUZZ_SECONDS:-}" ] && bound+=(-max_total_time="$seconds")
  build-fuzz/fuzz/fuzz_"$name" "${bound[@]}" -max_len="$maxlen" -rss_limit_mb=2048 \
    -malloc_limit_mb="$memory" -timeout=10 -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$name/" \
    "${corpora[@]}" > "build-fuzz/logs/$name.log" 2>&1
}

declare -A pids
for name in "${targets[@]}"; do
  grep -q "^$name " build-fuzz/fuzz/targets.txt || { echo "no fuzz target $name" >&2; exit 2; }
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_target "$name" & pids[$name]=$!
done
status=0
for name in "${targets[@]}"; do
  if wait "${pids[$name]}"; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "build-fuzz/logs/$name.log" | grep -o '[0-9]*$' || echo "?")
    time=$(grep -o 'Done [0-9]* runs in [0-9]* second' "build-fuzz/logs/$name.log" | grep -o '[0-9]* second' || echo "$seconds second")
    echo "fuzz $name: $runs inputs in ${time}s, no finding"
  else
    status=1
    echo "fuzz $name: FINDING (input kept in build-fuzz/findings/$name/)" >&2
    tail -n 40 "build-fuzz/logs/$name.log" >&2
  fi
done
exit "$status"
