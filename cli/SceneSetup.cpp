#include "SceneSetup.h"

#include "ExitCodes.h"
#include "Keyframes.h"
#include "NameSuggestion.h"
#include "ParamDescription.h"
#include "ParamValueParsing.h"

namespace inkline_cli {

aehost::Composition compositionFor(const Scene& scene) {
  aehost::Composition composition;
  composition.widthPx = scene.layer.width;
  composition.heightPx = scene.layer.height;
  composition.timeScale = scene.time.timeScale;
  composition.timeStep = scene.time.timeStep;
  composition.durationTicks = (scene.frames.last + 1) * scene.time.timeStep;
  composition.currentTimeTicks = scene.frames.first * scene.time.timeStep;
  composition.quality = scene.render.quality;
  return composition;
}

void applySceneLayer(const Scene& scene, aehost::EffectInstance& effect) {
  if (!scene.layer.image.empty()) {
    effect.layer().setPixels(scene.layer.image);
  } else {
    effect.layer().setPixels(aehost::Image::filled(scene.layer.width, scene.layer.height, scene.layer.background));
  }
  for (const aehost::Mask& mask : scene.masks) effect.layer().addMask(mask);
}

void applySceneParams(const Scene& scene, aehost::EffectInstance& effect) {
  aehost::Parameters& params = effect.parameters();
  MaskDirectory masks;
  masks.ids = effect.layer().maskIds();
  for (const aehost::Mask& mask : scene.masks) masks.names.push_back(mask.name);

  std::vector<std::string> settable;
  for (const aehost::RegisteredParam& p : params.added()) {
    const ParamDescription d = describeParam(p.index, p.def);
    if (d.takesValue && !d.name.empty()) settable.push_back(d.name);
  }

  try {
    for (const SceneParam& param : scene.params) {
      const std::optional<PF_ParamIndex> index = params.find(param.name);
      if (!index || *index == 0) {
        failAt(param.place, "unknown parameter \"" + param.name + "\"" + didYouMean(param.name, settable) +
                                " (inkline-render --list-params shows them all)");
      }
      const PF_ParamDef def = params.definition(*index);
      if (isKeyframeList(param.value)) {
        params.setKeyframes(*index, readKeyframes(def, param.value, param.place, scene.time, masks));
      } else {
        params.setValue(*index, readParamValue(def, param.value, param.place, masks));
      }
    }
  } catch (const InputError& e) {
    throw InputError(scene.file.string() + ": " + e.what());
  }
}

}  // namespace inkline_cli
