#!/usr/bin/env bash
# Builds the fuzz preset (clang, ASan + UBSan) and runs every libFuzzer harness in fuzz/.
# Usage: scripts/fuzz.sh [SECONDS]   each harness for SECONDS (default 60), after replaying
#                                    its seed corpus fuzz/corpus/<harness>/
#        scripts/fuzz.sh --ci        what CI runs: the replay, then 400 inputs each from a fixed
#                                    seed, so that a run is the same on every machine
# New inputs go to build/fuzz/corpus/<harness>/, findings (crash-, timeout-, leak-, oom-
# files) to build/fuzz/findings/; the checked-in seeds are never written. A run over 10 s,
# 2 GB of memory, a leak, a crash or undefined behaviour fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
length=(-max_total_time="$seconds")
if [[ "$seconds" == --ci ]]; then
  length=(-seed=1 -runs=400)
elif ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS|--ci]" >&2
  exit 2
fi

scripts/install-deps.sh --fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p build/fuzz/findings
for seeds in fuzz/corpus/*/; do
  harness=$(basename "$seeds")
  work=build/fuzz/corpus/$harness
  mkdir -p "$work"
  options=(-timeout=10 -rss_limit_mb=2048 -artifact_prefix=build/fuzz/findings/"$harness"- -print_final_stats=1)
  [[ -f fuzz/$harness.dict ]] && options+=(-dict=fuzz/"$harness".dict)
  echo "=== $harness: replaying $(ls "$seeds" | wc -l) seeds, then ${length[*]} ==="
  build/fuzz/fuzz/"$harness" "${options[@]}" -runs=0 "$seeds" >build/fuzz/"$harness".replay.log 2>&1 ||
    { tail -n 40 build/fuzz/"$harness".replay.log; echo "fuzz.sh: a seed of $harness fails"; exit 1; }
  log=build/fuzz/$harness.log
  if ! build/fuzz/fuzz/"$harness" "${options[@]}" "${length[@]}" "$work" "$seeds" >"$log" 2>&1; then
    grep -E -A12 'ERROR|SUMMARY|noticed|non-finite' "$log" | head -n 40
    echo "fuzz.sh: $harness found something: $log, and the input in build/fuzz/findings/"
    exit 1
  fi
  grep -E '^(#[0-9]+ +DONE|stat::(number_of_executed_units|peak_rss_mb|new_units_added))|cov:' "$log" | tail -n 4
done
