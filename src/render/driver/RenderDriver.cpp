#include "render/driver/RenderDriver.h"

#include <algorithm>

#include "AEUtil/AEWorldSuite.h"
#include "framework/RenderData.h"
#include "framework/SuiteHandler.h"
#include "render/driver/HostStrokeOutput.h"
#include "render/driver/MaskPaths.h"
#include "render/driver/RenderSettingsBuilder.h"

#include "raster/StrokeCanvas.h"
#include "stroke/CanvasStrokePainter.h"
#include "stroke/StrokeLayout.h"

namespace {

// The layer into the output, placed by the two worlds' origins; the destination is kept
// within the output (the host clips what remains).
PF_Err copyLayer(PF_InData* in_data, SuiteHandler& suites, PF_EffectWorld* input, PF_EffectWorld* output) {
  const A_long dx = input->origin_x - output->origin_x;
  const A_long dy = input->origin_y - output->origin_y;
  PF_Rect source{0, 0, input->width, input->height};
  PF_Rect destination{std::min(dx, output->width), std::min(dy, output->height),
                      std::min(input->width + dx, output->width), std::min(input->height + dy, output->height)};
  const PF_WorldTransformSuite1* transform = suites.worldTransformSuite();
  return in_data->quality == PF_Quality_HI
             ? transform->copy_hq(in_data->effect_ref, input, output, &source, &destination)
             : transform->copy(in_data->effect_ref, input, output, &source, &destination);
}

// Same size, same place: the copy is pixel for pixel onto every output pixel.
bool layerCoversOutput(const PF_EffectWorld& input, const PF_EffectWorld& output) {
  return input.origin_x == output.origin_x && input.origin_y == output.origin_y && input.width == output.width &&
         input.height == output.height;
}

}  // namespace

template <class Pixel>
PF_Err renderStrokes(RenderData& data) {
  PF_InData* in_data = data.in_data;
  SuiteHandler suites(in_data->pica_basicP);
  PF_EffectWorld* output = data.output;
  ParamRecord& params = data.params;

  // The layer copied over the whole output replaces every pixel: no clear before it.
  const bool copiesLayer = params.clearBackground == 0 && data.input != nullptr;
  PF_Err err = PF_Err_NONE;
  if (!copiesLayer || !layerCoversOutput(*data.input, *output)) {
    const PF_Rect whole{0, 0, output->width, output->height};
    err = clearWorld(in_data, suites, data.pixelFormat, &whole, output);
  }
  if (err == PF_Err_NONE && copiesLayer) err = copyLayer(in_data, suites, data.input, output);

  A_long maskCount = 0;
  if (err == PF_Err_NONE) err = suites.pathQuerySuite()->PF_NumPaths(in_data->effect_ref, &maskCount);
  PathList paths;
  if (err == PF_Err_NONE && maskCount > 0) {
    err = collectMaskPaths(in_data, suites, params.useAllPaths != 0, params.targetPath, maskCount, paths);
  }
  // Without masks the output keeps the cleared or copied layer.
  if (err != PF_Err_NONE || paths.empty()) return err;

  // Not cleared by the host: the canvas clears the tiles stamps reach, most of a frame never is.
  AEUtil::EffectWorldPtr workWorld =
      AEUtil::WorldSuite::newWorld(in_data, output->width, output->height, data.pixelFormat, false);
  StrokeCanvas canvas;
  canvas.attachWorld(workWorld.get(), sizeof(Pixel), false);

  scaleForDownsampling(params, downsampleFactors(*in_data));
  if (params.opacity == 0.0) return PF_Err_NONE;

  const RenderSettings settings = buildRenderSettings(params, *in_data);
  CanvasStrokePainter<Pixel> painter(canvas, buildStrokeColours<Pixel>(params), settings.enableGradation,
                                     settings.useCentreColour);
  HostStrokeOutput strokeOutput(in_data, suites, canvas, workWorld.get(), output);
  return settings.strokeSequentially ? strokePathsSequentially(paths, settings, painter, strokeOutput)
                                     : strokePathsSeparately(paths, settings, painter, strokeOutput);
}

template PF_Err renderStrokes<PF_Pixel8>(RenderData&);
template PF_Err renderStrokes<PF_Pixel16>(RenderData&);
template PF_Err renderStrokes<PF_PixelFloat>(RenderData&);
