// What the strokes are laid over: the layer copied into the output, or transparent black.
// In an output larger than the caches, where the layer lies exactly over it or there is none,
// the background is laid down row by row just before a stroke is laid over each row, and the
// rest at the end (PendingRows); otherwise it is laid down whole up front.
#pragma once

#include <optional>

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"
#include "render/driver/PendingRows.h"

class SuiteHandler;

class OutputBackground {
public:
  // `input` is the layer, or null for transparent black.
  OutputBackground(PF_InData* in_data, SuiteHandler& suites, PF_PixelFormat format, PF_EffectWorld* input,
                   PF_EffectWorld* output);

  // Lays down what is laid up front (nothing when the background waits for the strokes).
  PF_Err begin();
  // The background of every pixel of `rect`, before a stroke is laid over it.
  PF_Err prepare(const PF_LRect& rect);
  // The background of every pixel no stroke reached: the output is complete.
  PF_Err finish();

private:
  PF_Err lay(const PF_LRect& rect);

  PF_InData* inData_;
  SuiteHandler& suites_;
  PF_PixelFormat format_;
  PF_EffectWorld* input_;
  PF_EffectWorld* output_;
  // Transparent black, or the layer lying exactly over the output: what lay() puts down on a
  // rectangle is its whole background, so it can be laid down a piece at a time.
  bool replacesEveryPixel_;
  std::optional<PendingRows> pending_;  // absent when laid up front
};
