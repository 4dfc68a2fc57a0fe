// inkline-render: renders the Inkline plug-in to PNG frames through the simulated After
// Effects host, loading the module by path exactly as the host would.
#include <exception>
#include <iostream>

#include "Arguments.h"
#include "Commands.h"
#include "ExitCodes.h"
#include "Interrupts.h"

int main(int argc, char** argv) {
  using namespace inkline_cli;
  watchForInterrupts();
  Arguments arguments;
  if (const auto stop = parseArguments(argc, argv, arguments)) return *stop;
  try {
    if (arguments.version) return printVersion(arguments);
    if (arguments.about) return printAbout(arguments);
    if (arguments.listParams) return listParameters(arguments);
    if (arguments.listMasks) return listMasks(arguments);
    if (arguments.saveDefaults) return saveDefaults(arguments);
    if (arguments.resetDefaults) return resetDefaults(arguments);
    return renderScene(arguments);
  } catch (const InputError& e) {
    std::cerr << "inkline-render: " << e.what() << "\n";
    return kExitBadInput;
  } catch (const std::exception& e) {
    std::cerr << "inkline-render: " << e.what() << "\n";
    return kExitRenderFailure;
  }
}
