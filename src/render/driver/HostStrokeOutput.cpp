#include "render/driver/HostStrokeOutput.h"

#include "framework/SuiteHandler.h"
#include "render/driver/OutputBackground.h"

PF_Err HostStrokeOutput::clearWorkWorld() {
  canvas_.clearLazily();
  return PF_Err_NONE;
}

PF_Err HostStrokeOutput::compositeWorkWorld() {
  PF_CompositeMode mode{};
  mode.xfer = PF_Xfer_IN_FRONT;
  mode.rand_seed = 0;
  mode.opacity = 255;
  mode.rgb_only = false;
  mode.opacitySu = 32768;
  const PF_WorldTransformSuite1* transform = suites_.worldTransformSuite();
  return canvas_.touched.forEachRect([&](const PF_LRect& touched) {
    if (const PF_Err err = background_.prepare(touched)) return err;
    const PF_Rect source = touched;
    return transform->transfer_rect(inData_->effect_ref, inData_->quality, PF_MF_Alpha_STRAIGHT, inData_->field,
                                    &source, workWorld_, &mode, nullptr, source.left, source.top, output_);
  });
}

PF_Err HostStrokeOutput::reportProgress(A_long current, A_long total) {
  if (inData_ == nullptr) return PF_Err_NONE;
  return inData_->inter.progress(inData_->effect_ref, current, total);
}

PF_Err HostStrokeOutput::checkForAbort() {
  if (inData_ == nullptr || inData_->inter.abort == nullptr) return PF_Err_NONE;
  return inData_->inter.abort(inData_->effect_ref);
}
