// The module's own instance handle, recorded when the library is attached to the process.
#pragma once

#include <windows.h>

HINSTANCE moduleInstance();
