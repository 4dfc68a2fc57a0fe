#include "aehost/PathCheckouts.h"

#include <algorithm>

namespace aehost {
namespace {

double scaled(double v, PF_RationalScale factor) { return v * factor.num / static_cast<double>(factor.den); }

PF_PathVertex toPathVertex(const MaskVertex& v, PF_RationalScale fx, PF_RationalScale fy) {
  return PF_PathVertex{scaled(v.position.x, fx),   scaled(v.position.y, fy),   scaled(v.inTangent.x, fx),
                       scaled(v.inTangent.y, fy),  scaled(v.outTangent.x, fx), scaled(v.outTangent.y, fy)};
}

std::string describeOutline(const PathOutline& outline) {
  return "the path of mask id " + std::to_string(outline.id);
}

}  // namespace

PathOutline makePathOutline(PF_PathID id, const Mask& mask, double time, PF_RationalScale downsampleX,
                            PF_RationalScale downsampleY) {
  PathOutline outline;
  outline.id = id;
  outline.open = !mask.closed;
  const std::vector<MaskVertex> shape = mask.shapeAt(time);
  outline.segments = Mask::segmentCount(mask.closed, shape.size());
  for (const MaskVertex& v : shape) outline.vertices.push_back(toPathVertex(v, downsampleX, downsampleY));
  if (mask.closed && !shape.empty()) outline.vertices.push_back(outline.vertices.front());
  return outline;
}

PF_PathOutlinePtr PathCheckouts::open(PathOutline outline, std::string during) {
  const std::lock_guard lock(mutex_);
  auto owned = std::make_unique<PathOutline>(std::move(outline));
  auto* pointer = reinterpret_cast<PF_PathOutlinePtr>(owned.get());
  records_.push_back({std::move(owned), std::this_thread::get_id(), std::move(during)});
  return pointer;
}

const PathOutline* PathCheckouts::find(PF_PathOutlinePtr outline) const {
  const std::lock_guard lock(mutex_);
  const auto* wanted = reinterpret_cast<const PathOutline*>(outline);
  for (const Record& r : records_) {
    if (r.outline.get() == wanted) return r.outline.get();
  }
  return nullptr;
}

bool PathCheckouts::close(PF_PathOutlinePtr outline) {
  const std::lock_guard lock(mutex_);
  const auto* wanted = reinterpret_cast<const PathOutline*>(outline);
  const auto found = std::find_if(records_.begin(), records_.end(), [&](const Record& r) { return r.outline.get() == wanted; });
  if (found == records_.end()) return false;
  records_.erase(found);
  return true;
}

std::vector<std::string> PathCheckouts::releaseLeftBy(std::thread::id thread, std::string_view command) {
  const std::lock_guard lock(mutex_);
  std::vector<std::string> problems;
  std::erase_if(records_, [&](const Record& r) {
    if (r.thread != thread) return false;
    problems.push_back("[" + r.during + "] " + describeOutline(*r.outline) + " was checked out and never checked in (" +
                       std::string(command) + " returned)");
    return true;
  });
  return problems;
}

std::size_t PathCheckouts::outstanding() const {
  const std::lock_guard lock(mutex_);
  return records_.size();
}

void PathCheckouts::audit(std::vector<std::string>& out) const {
  const std::lock_guard lock(mutex_);
  for (const Record& r : records_) {
    out.push_back("[" + r.during + "] " + describeOutline(*r.outline) + " was checked out and never checked in");
  }
}

}  // namespace aehost
