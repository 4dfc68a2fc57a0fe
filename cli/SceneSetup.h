// Puts a scene onto the effect instance: the composition's size and time, the layer's pixels
// and masks, and the parameter values checked against the panel the plug-in registered.
#pragma once

#include "PluginSession.h"
#include "Scene.h"
#include "aehost/Composition.h"

namespace inkline_cli {

aehost::Composition compositionFor(const Scene& scene);

// The layer's pixels (the image, or the background colour) and masks.
void applySceneLayer(const Scene& scene, aehost::EffectInstance& effect);

// After PF_Cmd_PARAMS_SETUP: every scene parameter by its display name. Throws InputError
// "<scene file>: params.<name>: ..." for unknown names (suggesting the nearest), values that do
// not fit, and values outside the valid range.
void applySceneParams(const Scene& scene, aehost::EffectInstance& effect);

}  // namespace inkline_cli
