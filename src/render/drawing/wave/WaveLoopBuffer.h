// The random values of the wave: one spacing and one amplitude per node of a cycle of
// "Loop Buffer" nodes, so the wave pattern repeats after that many nodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "wave/WaveSettings.h"

struct WaveLoopEntry {
  double spacing = 0.0;    // from this node to the next one [fraction of the path length]
  double amplitude = 0.0;  // sideways displacement of this node [px, signed]
};

struct WaveLoopBuffer {
  // The shortest and longest cycle; "Loop Buffer" values outside are taken as the nearest.
  static constexpr std::int32_t kMinEntries = 2;
  static constexpr std::int32_t kMaxEntries = 1000;

  std::vector<WaveLoopEntry> entries;

  std::size_t size() const { return entries.size(); }
  std::size_t successor(std::size_t j) const { return j + 1 == entries.size() ? 0 : j + 1; }
  std::size_t predecessor(std::size_t j) const { return j == 0 ? entries.size() - 1 : j - 1; }
};

// Draws the cycle from three streams started at seed, seed + 1 and seed + 2 (spacing, amplitude,
// sign), each moved on two steps before its first draw.
WaveLoopBuffer buildWaveLoopBuffer(const WaveSettings& settings, std::int32_t seed);
