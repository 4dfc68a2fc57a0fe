// A bench scene applied to the Inkline module through the simulated host, the way
// inkline-render applies a scene file: the module loaded by path, the layer filled with the
// background colour, the masks, and the parameters by the names the plug-in registered.
#pragma once

#include <string>
#include <vector>

#include "BenchScene.h"
#include "PluginSession.h"
#include "Scene.h"
#include "aehost/RenderRequest.h"
#include "aehost/RenderResult.h"

namespace inkline_bench {

class EffectScene {
 public:
  explicit EffectScene(const BenchScene& bench);

  // One frame at the scene's time and depth; throws inkline_cli::RenderFailure when the
  // effect fails, so a broken render is never timed as a fast one.
  aehost::RenderResult render();

  // Sets the instance down; returns what the host noticed the plug-in doing wrong.
  std::vector<std::string> finish() { return session_.finish(); }

 private:
  std::string name_;
  inkline_cli::Scene scene_;
  inkline_cli::PluginSession session_;
  aehost::RenderRequest request_;
};

}  // namespace inkline_bench
