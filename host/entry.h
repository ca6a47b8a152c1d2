// What the module exports: the entry points the host looks up by name in an add-on
// module, and the inspection functions of host/inspection.h for the project's own
// front end and tests, which the host never calls. Nothing else of the module is
// visible from outside.
#pragma once

#include "host/host_api.h"

namespace kalvo {
// Scan code of the E key, with which the user selects the mode.
inline constexpr DWORD kModeKey = OAPI_KEY_E;
}  // namespace kalvo

// Registers the display mode.
DLLCLBK void opcDLLInit(HINSTANCE module);
// Unregisters the display mode.
DLLCLBK void opcDLLExit(HINSTANCE module);
// The module's version: the host's date number of "Apr 25 2006", 60425.
DLLCLBK int GetModuleVersion();
