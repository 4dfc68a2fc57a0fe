#!/usr/bin/env bash
# Builds and runs every test: the normal build, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, the concurrent-render tests under ThreadSanitizer, and the
# Windows cross build of the module with its tests run under Wine.
# Usage: scripts/test.sh [default|asan|tsan|windows|fuzz|install|slurm ...]   (all seven when none is named)
#   fuzz: the libFuzzer harnesses replay their seed corpora and run a short fixed-seed round
#   install: a plain Release build (no preset), installed into a prefix and packed as a .deb,
#            each rendering the demo without the build tree (scripts/check-install.sh)
#   slurm: a one-node SLURM cluster on this machine renders the demo as a job array of four
#          chunks, compared with a local render (scripts/slurm/test-local-cluster.sh; root)
set -euo pipefail
cd "$(dirname "$0")/.."

presets=("$@")
(( ${#presets[@]} )) || presets=(default asan tsan windows fuzz install slurm)

want_windows=""
for p in "${presets[@]}"; do [[ "$p" == windows ]] && want_windows="--windows"; done
scripts/install-deps.sh $want_windows

jobs=$(nproc)
for preset in "${presets[@]}"; do
  echo "=== ${preset} ==="
  if [[ "$preset" == fuzz ]]; then
    scripts/fuzz.sh --ci
    continue
  fi
  if [[ "$preset" == install ]]; then
    scripts/check-install.sh
    continue
  fi
  if [[ "$preset" == slurm ]]; then
    cmake --preset default >/dev/null
    cmake --build --preset default -j "$jobs" --target inkline-render
    scripts/slurm/test-local-cluster.sh build/default/cli/inkline-render
    continue
  fi
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  case "$preset" in
    windows) scripts/check-windows-module.sh && scripts/run-windows-tests.sh ;;
    *) ctest --preset "$preset" -j "$jobs" ;;
  esac
done
