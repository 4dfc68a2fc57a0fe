// "PF Path Query Suite" and "PF Path Data Suite", version 1: the input layer's masks.
#include <algorithm>
#include <cstring>
#include <string>

#include "HostCallbacks_p.h"
#include "RenderContext_p.h"
#include "Unsimulated_p.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "aehost/Layer.h"

namespace aehost {
namespace {

struct Reached {
  Host* host = nullptr;
  Layer* layer = nullptr;
  void problem(const char* callback, const std::string& what) const {
    host->recordProblem("[" + std::string(currentActivity()) + "] " + callback + ": " + what);
  }
};

Reached reach(PF_ProgPtr effectRef, const char* callback) {
  Host* host = hostForEffect(effectRef, callback);
  if (host == nullptr) return {};
  Layer* layer = host->layerFor(effectRef);
  if (layer == nullptr) {
    host->recordProblem("[" + std::string(currentActivity()) + "] " + callback + ": effect_ref names no effect instance");
    return {};
  }
  return {host, layer};
}

// --- query ---

PF_Err numPaths(PF_ProgPtr effectRef, A_long* count) {
  const char* callback = "PF_PathQuerySuite1.PF_NumPaths";
  const Reached at = reach(effectRef, callback);
  if (at.host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(at.host, "numPaths")) return fault;
  if (count == nullptr) {
    at.problem(callback, "NULL result pointer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  *count = static_cast<A_long>(at.layer->maskIds().size());
  return PF_Err_NONE;
}

PF_Err pathInfo(PF_ProgPtr effectRef, A_long index, PF_PathID* id) {
  const char* callback = "PF_PathQuerySuite1.PF_PathInfo";
  const Reached at = reach(effectRef, callback);
  if (at.host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(at.host, "pathInfo")) return fault;
  if (id == nullptr) {
    at.problem(callback, "NULL result pointer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  const std::vector<PF_PathID> ids = at.layer->maskIds();
  if (index < 0 || static_cast<std::size_t>(index) >= ids.size()) {
    at.problem(callback, "index " + std::to_string(index) + " but the layer has " + std::to_string(ids.size()) + " mask(s)");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  *id = ids[static_cast<std::size_t>(index)];
  return PF_Err_NONE;
}

// An unknown id, PF_PathID_NONE included, checks out nothing: no error and a NULL outline,
// as After Effects answers for a path parameter set to "None".
PF_Err checkoutPath(PF_ProgPtr effectRef, PF_PathID id, A_long whatTime, A_long /*timeStep*/, A_u_long timeScale,
                    PF_PathOutlinePtr* outline) {
  const char* callback = "PF_PathQuerySuite1.PF_CheckoutPath";
  const Reached at = reach(effectRef, callback);
  if (at.host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(at.host, "checkoutPath")) return fault;
  if (outline == nullptr) {
    at.problem(callback, "NULL result pointer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  *outline = nullptr;
  if (timeScale == 0) {
    at.problem(callback, "time_scale 0");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  const std::optional<Mask> mask = at.layer->findMask(id);
  if (!mask) return PF_Err_NONE;
  if (const auto fault = at.layer->checkoutFault(id)) return *fault;

  PF_RationalScale downsampleX{1, 1}, downsampleY{1, 1};
  if (const RenderContext* render = currentRenderContext()) {
    downsampleX = render->request().downsampleX;
    downsampleY = render->request().downsampleY;
  }
  const double time = static_cast<double>(whatTime) * at.layer->timeScale() / timeScale;
  *outline = at.layer->pathCheckouts().open(makePathOutline(id, *mask, time, downsampleX, downsampleY),
                                            std::string(currentActivity()));
  return PF_Err_NONE;
}

PF_Err checkinPath(PF_ProgPtr effectRef, PF_PathID id, PF_Boolean changed, PF_PathOutlinePtr outline) {
  const char* callback = "PF_PathQuerySuite1.PF_CheckinPath";
  const Reached at = reach(effectRef, callback);
  if (at.host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (outline == nullptr) return PF_Err_NONE;  // what a checkout of no mask gave
  const PathOutline* known = at.layer->pathCheckouts().find(outline);
  if (known == nullptr) {
    at.problem(callback, "the outline is not checked out");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (known->id != id) at.problem(callback, "checked in with id " + std::to_string(id) + " but checked out as " + std::to_string(known->id));
  if (changed) at.problem(callback, "not yet simulated: changing a mask (changedB true)");
  at.layer->pathCheckouts().close(outline);
  return PF_Err_NONE;
}

// --- data ---

const PathOutline* outlineOf(const Reached& at, PF_PathOutlinePtr outline, const char* callback) {
  const PathOutline* known = outline == nullptr ? nullptr : at.layer->pathCheckouts().find(outline);
  if (known == nullptr) at.problem(callback, outline == nullptr ? "NULL outline" : "the outline is not checked out");
  return known;
}

PF_Err pathIsOpen(PF_ProgPtr effectRef, PF_PathOutlinePtr outline, PF_Boolean* open) {
  const char* callback = "PF_PathDataSuite1.PF_PathIsOpen";
  const Reached at = reach(effectRef, callback);
  if (at.host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(at.host, "pathIsOpen")) return fault;
  const PathOutline* path = outlineOf(at, outline, callback);
  if (path == nullptr || open == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  *open = path->open ? 1 : 0;
  return PF_Err_NONE;
}

PF_Err pathNumSegments(PF_ProgPtr effectRef, PF_PathOutlinePtr outline, A_long* segments) {
  const char* callback = "PF_PathDataSuite1.PF_PathNumSegments";
  const Reached at = reach(effectRef, callback);
  if (at.host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(at.host, "pathNumSegments")) return fault;
  const PathOutline* path = outlineOf(at, outline, callback);
  if (path == nullptr || segments == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  *segments = path->segments;
  return PF_Err_NONE;
}

PF_Err pathVertexInfo(PF_ProgPtr effectRef, PF_PathOutlinePtr outline, A_long which, PF_PathVertex* vertex) {
  const char* callback = "PF_PathDataSuite1.PF_PathVertexInfo";
  const Reached at = reach(effectRef, callback);
  if (at.host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(at.host, "pathVertexInfo")) return fault;
  const PathOutline* path = outlineOf(at, outline, callback);
  if (path == nullptr || vertex == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const auto fault = at.layer->vertexInfoFault(path->id)) return *fault;
  // An outline without vertices reports 0 segments, like one with a single vertex: asking for
  // vertex 0 is the effect's only way to tell them apart, so it fails without a complaint.
  if (path->vertices.empty() && which == 0) return PF_Err_BAD_CALLBACK_PARAM;
  if (which < 0 || static_cast<std::size_t>(which) >= path->vertices.size()) {
    at.problem(callback, "vertex " + std::to_string(which) + " of a path with " + std::to_string(path->segments) +
                             " segment(s): valid are 0 to the segment count");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  *vertex = path->vertices[static_cast<std::size_t>(which)];
  return PF_Err_NONE;
}

std::optional<Mask> maskFor(const Reached& at, PF_PathID id, const char* callback) {
  std::optional<Mask> mask = at.layer->findMask(id);
  if (!mask) at.problem(callback, "no mask has id " + std::to_string(id));
  return mask;
}

PF_Err pathIsInverted(PF_ProgPtr effectRef, PF_PathID id, PF_Boolean* inverted) {
  const char* callback = "PF_PathDataSuite1.PF_PathIsInverted";
  const Reached at = reach(effectRef, callback);
  if (at.host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(at.host, "pathIsInverted")) return fault;
  const std::optional<Mask> mask = maskFor(at, id, callback);
  if (!mask || inverted == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  *inverted = mask->inverted ? 1 : 0;
  return PF_Err_NONE;
}

PF_Err pathGetMaskMode(PF_ProgPtr effectRef, PF_PathID id, PF_MaskMode* mode) {
  const char* callback = "PF_PathDataSuite1.PF_PathGetMaskMode";
  const Reached at = reach(effectRef, callback);
  if (at.host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(at.host, "pathGetMaskMode")) return fault;
  const std::optional<Mask> mask = maskFor(at, id, callback);
  if (!mask || mode == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  *mode = mask->mode;
  return PF_Err_NONE;
}

// The name, cut to PF_MAX_PATH_NAME_LEN characters, NUL-terminated.
PF_Err pathGetName(PF_ProgPtr effectRef, PF_PathID id, A_char* name) {
  const char* callback = "PF_PathDataSuite1.PF_PathGetName";
  const Reached at = reach(effectRef, callback);
  if (at.host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(at.host, "pathGetName")) return fault;
  const std::optional<Mask> mask = maskFor(at, id, callback);
  if (!mask || name == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  const std::size_t length = std::min<std::size_t>(mask->name.size(), PF_MAX_PATH_NAME_LEN);
  std::memcpy(name, mask->name.data(), length);
  name[length] = '\0';
  return PF_Err_NONE;
}

PF_PathQuerySuite1 makeQuerySuite() {
  PF_PathQuerySuite1 query{};
  query.PF_NumPaths = numPaths;
  query.PF_PathInfo = pathInfo;
  query.PF_CheckoutPath = checkoutPath;
  query.PF_CheckinPath = checkinPath;
  return query;
}

PF_PathDataSuite1 makeDataSuite() {
  PF_PathDataSuite1 pathData{};
  pathData.PF_PathIsOpen = pathIsOpen;
  pathData.PF_PathNumSegments = pathNumSegments;
  pathData.PF_PathVertexInfo = pathVertexInfo;
  AEHOST_UNSIMULATED(pathData, PF_PathPrepareSegLength);
  AEHOST_UNSIMULATED(pathData, PF_PathGetSegLength);
  AEHOST_UNSIMULATED(pathData, PF_PathEvalSegLength);
  AEHOST_UNSIMULATED(pathData, PF_PathEvalSegLengthDeriv1);
  AEHOST_UNSIMULATED(pathData, PF_PathCleanupSegLength);
  pathData.PF_PathIsInverted = pathIsInverted;
  pathData.PF_PathGetMaskMode = pathGetMaskMode;
  pathData.PF_PathGetName = pathGetName;
  return pathData;
}

}  // namespace

const PF_PathQuerySuite1& pathQuerySuite1() {
  static const PF_PathQuerySuite1 table = makeQuerySuite();
  return table;
}

const PF_PathDataSuite1& pathDataSuite1() {
  static const PF_PathDataSuite1 table = makeDataSuite();
  return table;
}

}  // namespace aehost
