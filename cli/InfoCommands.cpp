// --about and --list-params: the plug-in describing itself; --list-masks: a scene's masks. No
// rendering.
#include <iostream>

#include "Commands.h"
#include "ExitCodes.h"
#include "MaskListing.h"
#include "ParameterListing.h"
#include "PluginSession.h"
#include "SceneParser.h"

namespace inkline_cli {

int reportHostProblems(const std::vector<std::string>& problems) {
  for (const std::string& problem : problems) std::cerr << "inkline-render: host: " << problem << "\n";
  return problems.empty() ? kExitOk : kExitRenderFailure;
}

int printAbout(const Arguments& arguments) {
  PluginSession session(arguments.modulePath);
  session.setUpGlobal();
  std::cout << session.aboutText() << "\n";
  return reportHostProblems(session.finish());
}

int listParameters(const Arguments& arguments) {
  PluginSession session(arguments.modulePath);
  session.setUpGlobal();
  const std::vector<ParamDescription> panel = describePanel(session.effect().parameters());
  if (arguments.json) {
    std::cout << parameterJson(panel).dump(2) << "\n";
  } else {
    printParameterTable(panel, std::cout);
  }
  return reportHostProblems(session.finish());
}

int printVersion(const Arguments& arguments) {
  std::cout << "inkline-render " << INKLINE_VERSION << "\n";
  // The module's PiPL, read without running it.
  const aehost::PluginModule module(arguments.modulePath);
  const aehost::Pipl& pipl = module.pipl();
  std::cout << "plug-in: " << pipl.name;
  if (pipl.effectVersion) {
    const A_u_long v = *pipl.effectVersion;
    std::cout << " " << PF_Vers_VERS(v) << "." << PF_Vers_SUBVERS(v) << "." << PF_Vers_BUGFIX(v);
  }
  std::cout << " (" << arguments.modulePath.string() << ")\n";
  return kExitOk;
}

int listMasks(const Arguments& arguments) {
  const Scene scene = readSceneFile(*arguments.scene);
  for (const std::string& warning : scene.warnings) std::cerr << "inkline-render: warning: " << warning << "\n";
  if (arguments.json) {
    std::cout << maskJson(scene.masks).dump(2) << "\n";
  } else {
    printMaskTable(scene.masks, std::cout);
  }
  return kExitOk;
}

}  // namespace inkline_cli
