// inkline-render: applies the Inkline plug-in through the simulated host, as After Effects
// would, and reports what the plug-in says about itself.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "aehost/EffectInstance.h"
#include "aehost/FourCharCode.h"
#include "aehost/Host.h"
#include "aehost/PluginModule.h"

namespace {

std::string versionText(A_u_long v) {
  // PF_VERSION: version 19-21 (+ high bits 26-29), subversion 15-18, bugfix 11-14, stage 9-10, build 0-8.
  const unsigned major = ((v >> 19) & 0x7) | (((v >> 26) & 0xF) << 3);
  static const char* const kStages[] = {"Develop", "Alpha", "Beta", "Release"};
  return std::to_string(major) + "." + std::to_string((v >> 15) & 0xF) + "." + std::to_string((v >> 11) & 0xF) + " " +
         kStages[(v >> 9) & 0x3] + " build " + std::to_string(v & 0x1FF);
}

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

int report(const std::string& modulePath) {
  aehost::Host host;
  aehost::PluginModule module(modulePath);
  aehost::EffectInstance effect(host, module);

  const aehost::Pipl& pipl = module.pipl();
  const aehost::CommandResult setup = effect.globalSetup();
  const aehost::CommandResult params = effect.paramsSetup();
  const aehost::CommandResult about = effect.about();
  effect.globalSetdown();

  std::string aboutText = about.message;
  for (char& c : aboutText) {
    if (c == '\r') c = '\n';  // the host's line break
  }

  std::cout << "Effect:      " << pipl.name << " (" << pipl.matchName << "), category " << pipl.category << "\n"
            << "Version:     " << versionText(setup.out.my_version) << " (" << hex(setup.out.my_version) << ")\n"
            << "Out flags:   " << hex(setup.out.out_flags) << ", out flags 2: " << hex(setup.out.out_flags2) << "\n"
            << "Parameters:  " << params.out.num_params << " (including the input layer)\n"
            << "About:\n" << aboutText << "\n";
  const auto problems = host.problems();
  for (const std::string& problem : problems) std::cerr << "host: " << problem << "\n";
  return setup.err == PF_Err_NONE && params.err == PF_Err_NONE && problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Applies the Inkline effect through the simulated After Effects host."};
  std::string modulePath = INKLINE_DEFAULT_MODULE_PATH;
  app.add_option("--module", modulePath, "The plug-in module to load")->check(CLI::ExistingFile);
  CLI11_PARSE(app, argc, argv);
  try {
    return report(modulePath);
  } catch (const std::exception& e) {
    std::cerr << "inkline-render: " << e.what() << "\n";
    return 1;
  }
}
