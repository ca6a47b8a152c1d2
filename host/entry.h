// What the module exports: the entry points the host looks up by name in an add-on
// module, and two inspection functions for the project's own front end and tests,
// which the host never calls. Nothing else of the module is visible from outside.
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

// The value store cell of (variable set, directory, variable), all from 0, or null
// when any index is out of range. Typed input cannot carry an infinity or a NaN and
// the page shows seven digits; this gives exact access to the values.
DLLCLBK double* KalvoValueCell(int set, int directory, int variable);
// The status code that `page` shows at its next drawing, or -1 when `page` is not a
// page of this module.
DLLCLBK int KalvoPageStatus(const MFD* page);
