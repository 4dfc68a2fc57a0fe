// How often a stroke loop asks whether to stop: after every so much drawing work, counted
// per sample walked and per row and pixel each disc may draw, so that neither a long walk far
// off the canvas nor a run of huge discs keeps a cancelled render going (a few milliseconds of
// work between questions).
#pragma once

#include <cstdint>

#include "AE_Effect.h"
#include "stroke/StrokeOutput.h"

class StrokeInterrupt {
public:
  static constexpr double kWorkBetweenChecks = 65536.0;  // samples, disc rows, disc pixels / 4

  explicit StrokeInterrupt(StrokeOutput& output) : output_(output) {}

  // Counts `work`; true once the output has asked to stop (then error() says why).
  bool spend(double work) {
    workSinceCheck_ += work;
    if (workSinceCheck_ < kWorkBetweenChecks) return false;
    workSinceCheck_ = 0.0;
    if (err_ == PF_Err_NONE) err_ = output_.checkForAbort();
    return err_ != PF_Err_NONE;
  }
  PF_Err error() const { return err_; }

private:
  StrokeOutput& output_;
  double workSinceCheck_ = 0.0;
  PF_Err err_ = PF_Err_NONE;
};
