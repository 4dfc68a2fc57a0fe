#include "render/driver/RenderDriver.h"

#include <algorithm>

#include "AEUtil/AEWorldSuite.h"
#include "framework/RenderData.h"
#include "framework/SuiteHandler.h"
#include "render/driver/HostStrokeOutput.h"
#include "render/driver/MaskPaths.h"
#include "render/driver/OutputBackground.h"
#include "render/driver/RenderSettingsBuilder.h"

#include "raster/StrokeCanvas.h"
#include "stroke/CanvasStrokePainter.h"
#include "stroke/StrokeLayout.h"

template <class Pixel>
PF_Err renderStrokes(RenderData& data) {
  PF_InData* in_data = data.in_data;
  SuiteHandler suites(in_data->pica_basicP);
  PF_EffectWorld* output = data.output;
  ParamRecord& params = data.params;

  OutputBackground background(in_data, suites, data.pixelFormat, params.clearBackground == 0 ? data.input : nullptr,
                              output);
  PF_Err err = background.begin();

  A_long maskCount = 0;
  if (err == PF_Err_NONE) err = suites.pathQuerySuite()->PF_NumPaths(in_data->effect_ref, &maskCount);
  PathList paths;
  if (err == PF_Err_NONE && maskCount > 0) {
    err = collectMaskPaths(in_data, suites, params.useAllPaths != 0, params.targetPath, maskCount, paths);
  }
  if (err != PF_Err_NONE) return err;
  // Without masks the output is the cleared or copied layer.
  if (paths.empty()) return background.finish();

  // Not cleared by the host: the canvas clears the tiles stamps reach, most of a frame never is.
  AEUtil::EffectWorldPtr workWorld =
      AEUtil::WorldSuite::newWorld(in_data, output->width, output->height, data.pixelFormat, false);
  StrokeCanvas canvas;
  canvas.attachWorld(workWorld.get(), sizeof(Pixel), false);

  scaleForDownsampling(params, downsampleFactors(*in_data));
  if (params.opacity == 0.0) return background.finish();

  const RenderSettings settings = buildRenderSettings(params, *in_data);
  CanvasStrokePainter<Pixel> painter(canvas, buildStrokeColours<Pixel>(params), settings.enableGradation,
                                     settings.useCentreColour);
  HostStrokeOutput strokeOutput(in_data, suites, canvas, workWorld.get(), output, background);
  err = settings.strokeSequentially ? strokePathsSequentially(paths, settings, painter, strokeOutput)
                                    : strokePathsSeparately(paths, settings, painter, strokeOutput);
  return err != PF_Err_NONE ? err : background.finish();
}

template PF_Err renderStrokes<PF_Pixel8>(RenderData&);
template PF_Err renderStrokes<PF_Pixel16>(RenderData&);
template PF_Err renderStrokes<PF_PixelFloat>(RenderData&);
