#pragma once

#include <string>
#include <utility>
#include <vector>

#include "AE_Effect.h"
#include "aehost/KeyframeTiming.h"
#include "AE_EffectCBSuites.h"

namespace aehost {

struct MaskPoint {
  double x = 0;
  double y = 0;
  bool operator==(const MaskPoint&) const = default;
};

// One Bezier vertex in layer pixels at full resolution. The tangents are absolute points, not
// offsets from the vertex: a corner has both tangents on the vertex.
struct MaskVertex {
  MaskPoint position;
  MaskPoint inTangent;
  MaskPoint outTangent;
  bool operator==(const MaskVertex&) const = default;

  static MaskVertex corner(double x, double y) { return {{x, y}, {x, y}, {x, y}}; }
};

// The mask shape at one time, in composition time units.
struct MaskKeyframe {
  MaskKeyframe() = default;
  MaskKeyframe(A_long time, std::vector<MaskVertex> vertices, KeyframeTiming timing = KeyframeTiming::linear())
      : time(time), vertices(std::move(vertices)), timing(timing) {}

  A_long time = 0;
  std::vector<MaskVertex> vertices;
  KeyframeTiming timing;  // how the segments on either side run
};

// A mask on the input layer. Mode and inversion are only reported to the effect (the host
// does not cut the layer with them).
//
// The shape is `vertices`, or the keyframes when there are any: before the first key it is the
// first key's, after the last the last's; between two keys of equal vertex count every
// coordinate moves from one to the other as the keys' timing runs (linearly with time unless
// set); between keys of different counts, or after a hold key, the earlier key holds.
struct Mask {
  std::string name = "Mask 1";
  bool closed = true;
  PF_MaskMode mode = PF_MaskMode_ADD;
  bool inverted = false;
  std::vector<MaskVertex> vertices;
  std::vector<MaskKeyframe> keyframes;  // any order; sorted when the shape is read

  std::vector<MaskVertex> shapeAt(double time) const;

  // An open mask of n vertices has n - 1 segments; a closed one has n (the last joins the
  // last vertex to the first). None when there are no vertices.
  static A_long segmentCount(bool closed, std::size_t vertexCount);
};

// A closed rectangle, corners clockwise from the top left, for tests and tools.
Mask rectangleMask(std::string name, double left, double top, double right, double bottom);

}  // namespace aehost
