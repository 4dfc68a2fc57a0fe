// Where there is no resource compiler, the module hands its dialog template and banner to the
// Win32 stand-in itself, as it is loaded, and withdraws them as it is unloaded.
#pragma once

#include <windows.h>

void registerStandInResources(HINSTANCE module);
void unregisterStandInResources(HINSTANCE module);
