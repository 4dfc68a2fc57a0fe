#!/usr/bin/env bash
# Builds the default preset and runs the benchmarks.
#
#   scripts/bench.sh [ARGS...]     the drawing-core benchmarks; arguments go to the benchmark
#                                  binary, e.g. scripts/bench.sh --benchmark_filter=StampLargeDisc
#   scripts/bench.sh --compare     the 1080p scenes, the effect against Cairo: prints the markdown
#                                  table and the cost of an extra stroke, writes the thickness
#                                  sweep to docs/performance-thickness.csv and its plot to
#                                  docs/performance-thickness.png
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" != "--compare" ]]; then
  scripts/install-deps.sh
  cmake --preset default >/dev/null
  cmake --build --preset default --target inkline_bench
  exec build/default/bench/inkline_bench "$@"
fi

# The machine is shared: every scene is repeated, the repetitions of all scenes and of both
# renderers shuffled together so that a busy spell hits them alike, and the fastest kept.
repetitions=15
seconds_per_repetition=0.1
results=build/default/bench/scene-compare.json
log=build/default/bench/scene-compare.log
sweep=docs/performance-thickness.csv
plot=docs/performance-thickness.png
# Debian's interpreter: python3-matplotlib installs for it, whatever python3 is first on PATH.
python=/usr/bin/python3

scripts/install-deps.sh --bench
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target inkline_scene_bench

load_before=$(uptime)
echo "Running the scene benchmarks, ${repetitions} interleaved repetitions (a few minutes); log: ${log}"
build/default/bench/inkline_scene_bench \
  --benchmark_repetitions="${repetitions}" \
  --benchmark_enable_random_interleaving=true \
  --benchmark_min_time="${seconds_per_repetition}" \
  --benchmark_display_aggregates_only=true \
  --benchmark_out="${results}" --benchmark_out_format=json >"${log}" 2>&1
load_after=$(uptime)

echo
"${python}" scripts/bench-report.py "${results}" "${sweep}"
echo
echo "Load before: ${load_before#*load average: }; after: ${load_after#*load average: } (uptime: 1, 5, 15 min)"
"${python}" scripts/plot-bench.py "${sweep}" "${plot}" "load average at the end ${load_after#*load average: } (1, 5, 15 min)"
echo "Wrote ${sweep} and ${plot}"
