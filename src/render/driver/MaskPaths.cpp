#include "render/driver/MaskPaths.h"

#include <cstdint>

#include "framework/ScopeExit.h"
#include "framework/SuiteHandler.h"

PF_Err collectMaskPath(PF_InData* in_data, SuiteHandler& suites, PF_PathID maskId, Path& path) {
  const PF_PathQuerySuite1* query = suites.pathQuerySuite();
  const PF_PathDataSuite1* data = suites.pathDataSuite();

  PF_PathOutlinePtr outline = nullptr;
  PF_Err err = query->PF_CheckoutPath(in_data->effect_ref, maskId, in_data->current_time, in_data->time_step,
                                      in_data->time_scale, &outline);
  if (err != PF_Err_NONE || outline == nullptr) return err;

  // Checked back in on every way out, also when an exception passes.
  ScopeExit checkIn([&] { return query->PF_CheckinPath(in_data->effect_ref, maskId, false, outline); });
  A_long segments = 0;
  err = data->PF_PathNumSegments(in_data->effect_ref, outline, &segments);
  // n segments have n + 1 vertices, whether the mask is open or closed.
  for (std::int64_t i = 0; err == PF_Err_NONE && i <= std::int64_t{segments}; ++i) {
    PF_PathVertex vertex{};
    err = data->PF_PathVertexInfo(in_data->effect_ref, outline, static_cast<A_long>(i), &vertex);
    if (err == PF_Err_NONE) {
      path.push_back(PathVertex{vertex.x, vertex.y, vertex.tan_in_x, vertex.tan_in_y, vertex.tan_out_x,
                                vertex.tan_out_y});
    }
  }
  const PF_Err checkinErr = checkIn.run();
  return err != PF_Err_NONE ? err : checkinErr;
}

PF_Err collectMaskPaths(PF_InData* in_data, SuiteHandler& suites, bool useAllPaths, PF_PathID targetPath,
                        A_long maskCount, PathList& paths) {
  if (!useAllPaths) {
    Path path;
    const PF_Err err = collectMaskPath(in_data, suites, targetPath, path);
    if (err == PF_Err_NONE) paths.push_back(std::move(path));
    return err;
  }
  const PF_PathQuerySuite1* query = suites.pathQuerySuite();
  for (A_long index = 0; index < maskCount; ++index) {
    PF_PathID id = 0;
    PF_Err err = query->PF_PathInfo(in_data->effect_ref, index, &id);
    Path path;
    if (err == PF_Err_NONE) err = collectMaskPath(in_data, suites, id, path);
    if (err != PF_Err_NONE) return err;
    paths.push_back(std::move(path));
  }
  return PF_Err_NONE;
}
