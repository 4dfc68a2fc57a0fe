// The demo scene as inkline-render reads it (examples/demo.json and the SVG file it names):
// the benchmark takes its paths, its background colour and its parameters from there, so
// the scenes follow the demo when it changes.
#pragma once

#include <string_view>
#include <vector>

#include "Scene.h"
#include "aehost/Mask.h"

namespace inkline_bench {

// Read on first use; throws inkline_cli::InputError when the files are unusable.
const inkline_cli::Scene& demoScene();

// Every point of every vertex multiplied by `factor`.
std::vector<aehost::Mask> scaledMasks(std::vector<aehost::Mask> masks, double factor);

// The demo's mask of that name; throws std::out_of_range when there is none.
const aehost::Mask& demoMask(std::string_view name);

// Where the demo's copies of a stroke lie relative to its path, as the effect lays them:
// n copies ("Copy Number" + 1, or one with "Enable Copy Stroke" off) a copy offset apart,
// centred on the path (three at -d, 0, +d; two at -d/2, +d/2). The copy parameters must be
// plain values and "Copy Random" 0; throws std::invalid_argument otherwise.
std::vector<aehost::MaskPoint> demoCopyDisplacements();

}  // namespace inkline_bench
