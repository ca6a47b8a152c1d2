// The module's inspection functions, for the project's own front end, tests and
// fuzzers: exact access to the values and what a page has selected. The simulator
// never calls them. Plain C types, so that a user that loads the module by name
// reads them as the module writes them.
#pragma once

#include "host/host_api.h"

// What a page has selected, all indices from 0 as the catalogue counts them.
struct KalvoSelection {
    int directory;
    int equation;
    int variable;  // the value store's variable index within the directory
    int variableSet;
    int variablePosition;  // the variable's place in the equation's list of variables
    int helpView;          // 1 when the variable rows show long names, else 0
    int status;            // the status code the page shows at its next drawing
    int scrollOffset;      // the first directory the directory row shows
};

// The value store cell of (variable set, directory, variable), all from 0, or null
// when any index is out of range. Typed input cannot carry an infinity or a NaN and
// the page shows seven digits; this gives exact access to the values.
DLLCLBK double* KalvoValueCell(int set, int directory, int variable);
// The status code that `page` shows at its next drawing, or -1 when `page` is not a
// page of this module.
DLLCLBK int KalvoPageStatus(const MFD* page);
// Fills `selection` with what `page` has selected and returns true; returns false,
// leaving `selection` alone, when `page` is not a page of this module.
DLLCLBK bool KalvoPageSelection(const MFD* page, KalvoSelection* selection);
