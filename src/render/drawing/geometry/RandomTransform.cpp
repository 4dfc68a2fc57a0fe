#include "geometry/RandomTransform.h"

#include <cmath>

#include "random/RandomStream.h"

namespace {

struct Transform {
  double sine = 0.0;
  double cosine = 1.0;
  double scaleX = 1.0;
  double scaleY = 1.0;
  PathPoint pivot;

  // x' = pivot.x + c·sx·dx − s·sy·dy,  y' = pivot.y + s·sx·dx + c·sy·dy
  void apply(double& x, double& y) const {
    const double dx = x - pivot.x;
    const double dy = y - pivot.y;
    x = pivot.x + cosine * scaleX * dx - sine * scaleY * dy;
    y = pivot.y + sine * scaleX * dx + cosine * scaleY * dy;
  }

  void apply(Path& path) const {
    for (PathVertex& v : path) {
      apply(v.x, v.y);
      apply(v.inTangentX, v.inTangentY);
      apply(v.outTangentX, v.outTangentY);
    }
  }
};

// No randomness means the identity: skipped, because pivot + (p − pivot) can differ from p in
// the last bit, and an untransformed path must come back unchanged.
bool isIdentity(const TransformRandomness& randomness) {
  return randomness.rotation == 0.0 && randomness.scaleX == 0.0 && randomness.scaleY == 0.0;
}

Transform drawTransform(const TransformRandomness& randomness, PathPoint pivot, std::int32_t seed) {
  RandomStream stream = RandomStream::afterThreeSteps(static_cast<std::uint32_t>(seed));
  const double r1 = stream.unitValue();
  const double angle = (2.0 * r1 - 1.0) * randomness.rotation;
  const double r2 = stream.draw();
  const double scaleY = 1.0 + (2.0 * r2 - 1.0) * randomness.scaleY;
  const double r3 = stream.draw();
  const double scaleX = 1.0 + (2.0 * r3 - 1.0) * randomness.scaleX;
  return Transform{std::sin(angle), std::cos(angle), scaleX, scaleY, pivot};
}

}  // namespace

void randomTransform(const TransformRandomness& randomness, Path& path, PathPoint pivot, std::int32_t seed) {
  if (isIdentity(randomness)) return;
  drawTransform(randomness, pivot, seed).apply(path);
}

void randomTransform(const TransformRandomness& randomness, PathList& paths, PathPoint pivot, std::int32_t seed) {
  if (isIdentity(randomness)) return;
  const Transform transform = drawTransform(randomness, pivot, seed);
  for (Path& path : paths) transform.apply(path);
}
