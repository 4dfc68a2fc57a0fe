#include "aehost/Mask.h"

#include <algorithm>

namespace aehost {
namespace {

double mix(double a, double b, double f) { return a + (b - a) * f; }

MaskPoint mix(const MaskPoint& a, const MaskPoint& b, double f) { return {mix(a.x, b.x, f), mix(a.y, b.y, f)}; }

}  // namespace

std::vector<MaskVertex> Mask::shapeAt(double time) const {
  if (keyframes.empty()) return vertices;
  std::vector<const MaskKeyframe*> keys;
  for (const MaskKeyframe& k : keyframes) keys.push_back(&k);
  std::stable_sort(keys.begin(), keys.end(), [](const MaskKeyframe* a, const MaskKeyframe* b) { return a->time < b->time; });
  if (time <= keys.front()->time) return keys.front()->vertices;
  if (time >= keys.back()->time) return keys.back()->vertices;
  const auto next = std::upper_bound(keys.begin(), keys.end(), time, [](double t, const MaskKeyframe* k) { return t < k->time; });
  const MaskKeyframe& b = **next;
  const MaskKeyframe& a = **std::prev(next);
  if (a.vertices.size() != b.vertices.size() || b.time == a.time || a.timing.hold) return a.vertices;
  const double f = timingProgress(a.timing, b.timing, (time - a.time) / static_cast<double>(b.time - a.time));
  std::vector<MaskVertex> shape(a.vertices.size());
  for (std::size_t i = 0; i < shape.size(); ++i) {
    shape[i] = {mix(a.vertices[i].position, b.vertices[i].position, f), mix(a.vertices[i].inTangent, b.vertices[i].inTangent, f),
                mix(a.vertices[i].outTangent, b.vertices[i].outTangent, f)};
  }
  return shape;
}

A_long Mask::segmentCount(bool closed, std::size_t vertexCount) {
  if (vertexCount == 0) return 0;
  return static_cast<A_long>(closed ? vertexCount : vertexCount - 1);
}

Mask rectangleMask(std::string name, double left, double top, double right, double bottom) {
  Mask mask;
  mask.name = std::move(name);
  mask.closed = true;
  mask.vertices = {MaskVertex::corner(left, top), MaskVertex::corner(right, top), MaskVertex::corner(right, bottom),
                   MaskVertex::corner(left, bottom)};
  return mask;
}

}  // namespace aehost
