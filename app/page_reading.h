// What a drawing of the page shows selected, read as the pilot reads it: the module
// tells no host its selection, and the page highlights it.
#pragma once

#include "sim/gdi/render_text.h"

namespace kalvo::app {

// All from 0, as the catalogue counts them.
struct PageSelection {
    int directory;
    int equation;
    int variableSet;
    int variable;
};

// The highlighted directory code, equation number, variable set and variable row of
// a drawing in the host's cells. Throws std::runtime_error when the drawing does not
// show one of each that the catalogue has.
PageSelection ReadSelection(const sim::TextCells& cells);

}  // namespace kalvo::app
