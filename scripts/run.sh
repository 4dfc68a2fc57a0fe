#!/usr/bin/env bash
# The main job: builds the plug-in and the command-line renderer, and runs the renderer on
# its built-in default: the demo scene in examples/, rendered into out/demo/ (frames and
# contact-sheet.png). Arguments go to inkline-render, e.g. scripts/run.sh examples/hello.json
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target inkline-render
exec build/default/cli/inkline-render "$@"
