// The stroke loop's clear, composite and progress through the host's suites and callbacks.
#pragma once

#include "AE_Effect.h"
#include "raster/StrokeCanvas.h"
#include "stroke/StrokeOutput.h"

class OutputBackground;
class SuiteHandler;

class HostStrokeOutput final : public StrokeOutput {
public:
  // `canvas` is the one drawn into `workWorld`, which is as large as the output; `background`
  // is laid down in the output wherever a stroke is about to be laid over it.
  HostStrokeOutput(PF_InData* in_data, SuiteHandler& suites, StrokeCanvas& canvas, PF_EffectWorld* workWorld,
                   PF_EffectWorld* output, OutputBackground& background)
      : inData_(in_data),
        suites_(suites),
        canvas_(canvas),
        workWorld_(workWorld),
        output_(output),
        background_(background) {}

  // No host call: what the last stroke touched is cleared by the canvas where the next stroke
  // touches it (StrokeCanvas::clearLazily), so a stroke elsewhere costs no clear at all.
  PF_Err clearWorkWorld() override;
  // What the stroke touched, in front of the output at the same place, straight alpha.
  PF_Err compositeWorkWorld() override;
  PF_Err reportProgress(A_long current, A_long total) override;
  PF_Err checkForAbort() override;

private:
  PF_InData* inData_;
  SuiteHandler& suites_;
  StrokeCanvas& canvas_;
  PF_EffectWorld* workWorld_;
  PF_EffectWorld* output_;
  OutputBackground& background_;
};
