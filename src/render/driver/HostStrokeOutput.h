// The stroke loop's clear, composite and progress through the host's suites and callbacks.
#pragma once

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"
#include "stroke/StrokeOutput.h"

class SuiteHandler;

class HostStrokeOutput final : public StrokeOutput {
public:
  HostStrokeOutput(PF_InData* in_data, SuiteHandler& suites, PF_PixelFormat format, PF_EffectWorld* workWorld,
                   PF_EffectWorld* output)
      : inData_(in_data), suites_(suites), format_(format), workWorld_(workWorld), output_(output) {}

  // Transparent black over the whole work world.
  PF_Err clearWorkWorld() override;
  // The work world in front of the output, straight alpha, at the output's origin.
  PF_Err compositeWorkWorld() override;
  PF_Err reportProgress(A_long current, A_long total) override;

private:
  PF_InData* inData_;
  SuiteHandler& suites_;
  PF_PixelFormat format_;
  PF_EffectWorld* workWorld_;
  PF_EffectWorld* output_;
};

// Fills a rectangle (the whole world when null) with transparent black, with the fill function
// of the world's depth.
PF_Err clearWorld(PF_InData* in_data, SuiteHandler& suites, PF_PixelFormat format, const PF_Rect* rect,
                  PF_EffectWorld* world);
