#!/usr/bin/env bash
# Builds the default preset and runs the drawing-core benchmarks. Arguments go to the benchmark
# binary, e.g. scripts/bench.sh --benchmark_filter=StampLargeDisc
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target inkline_bench
exec build/default/bench/inkline_bench "$@"
