// The wave path modifier: replaces a stroke path by a Bezier path that follows it with a
// sideways wave. Nodes are laid along the (corner-rounded) path at the spacings of a random
// cycle, each pushed off the path along its normal by its amplitude, and joined by handles
// along the path direction. Keeps no state between calls; safe on any render thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "geometry/PathVertex.h"
#include "wave/WaveLoopBuffer.h"
#include "wave/WaveSettings.h"

// At most this many node intervals per path: the interval that reaches the cap runs to the path
// end and ends at its nominal node's amplitude. Reaching it takes nodes less than 1e-6 of the
// path apart on average, which the sliders allow only with "Wave Length Random" near 100 % and
// nearly every draw near 1.0; it bounds time and memory for anything smaller.
inline constexpr std::size_t kMaxWaveIntervals = std::size_t{1} << 20;

// Past this many node steps the phase walk takes whole cycles at once.
inline constexpr std::size_t kPhaseWalkSteps = std::size_t{1} << 22;

// Where the node chain stands at the path start.
struct WaveStart {
  std::size_t index = 0;       // node j: the last node of the chain at or before the phase
  double amplitude = 0.0;      // amp0, interpolated between node j and its successor [px]
  double interval = 1.0;       // d0: from the path start to j's successor [path fraction]
  bool cycleAdvances = true;   // false: the cycle moves nowhere, one interval spans the path
};

// Locates the phase in the chain of nodes 0, spacing[0], spacing[0] + spacing[1], … continued
// in both directions. A cycle whose spacings add up to nothing (zero, negative, non-finite, or
// too small to move position 1.0) would keep a walk over it from ever ending; it is read as a
// single interval from the path start to the path end: index 0, amp0 = amplitude[0], d0 = 1.
// A non-finite phase counts as 0.
WaveStart locateWaveStart(const WaveLoopBuffer& buffer, double phase);

// The wave with a given cycle ("Enable Wave" is taken as on): rounds the corners, lays the
// nodes and appends one vertex per node to out. Fewer than two input vertices append nothing;
// an empty cycle appends the rounded path unwaved.
void applyWaveWithBuffer(const WaveSettings& settings, const WaveLoopBuffer& buffer, Path& out, const Path& in);

// Appends the stroke path for `in` to out: a copy with the wave off, else the waved path with
// its cycle drawn from seed. Fewer than two input vertices append nothing.
void ApplyWave(const WaveSettings& settings, Path& out, const Path& in, std::int32_t seed);
