#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "AE_Effect.h"
#include "AE_EffectCBSuites.h"
#include "aehost/Mask.h"

namespace aehost {

// A mask as PF_CheckoutPath hands it out, at one time and resolution.
//
// The host's conventions: `vertices` has segments + 1 entries (none for an empty mask) and
// vertex i and i + 1 bound segment i, open or closed; a closed mask of n vertices has n
// segments and repeats its first vertex at index n. Every coordinate (position and both
// tangent points, absolute) is multiplied by the downsample factor of its axis, so the
// vertices are in the pixels of the downsampled layer the effect renders: an effect that uses
// them as delivered draws in the right place at any resolution.
struct PathOutline {
  PF_PathID id = PF_PathID_NONE;
  bool open = false;
  A_long segments = 0;
  std::vector<PF_PathVertex> vertices;
};

PathOutline makePathOutline(PF_PathID id, const Mask& mask, double time, PF_RationalScale downsampleX,
                            PF_RationalScale downsampleY);

// The outlines checked out and not yet checked in. An outline lives until PF_CheckinPath;
// those a command leaves behind are reported and freed when it returns.
class PathCheckouts {
 public:
  PF_PathOutlinePtr open(PathOutline outline, std::string during);
  // The checked-out outline behind the pointer, or nullptr.
  const PathOutline* find(PF_PathOutlinePtr outline) const;
  // Removes and frees it; false when it is not checked out.
  bool close(PF_PathOutlinePtr outline);
  // One problem per outline this thread left checked out; frees them.
  std::vector<std::string> releaseLeftBy(std::thread::id thread, std::string_view command);
  std::size_t outstanding() const;
  void audit(std::vector<std::string>& out) const;

 private:
  struct Record {
    std::unique_ptr<PathOutline> outline;
    std::thread::id thread;
    std::string during;
  };
  mutable std::mutex mutex_;
  std::vector<Record> records_;
};

}  // namespace aehost
