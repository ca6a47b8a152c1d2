// Where the front end finds the Kalvo MFD module: beside its own executable, as the
// build leaves them, or in the library directory of an installation.
#pragma once

#include <string>
#include <vector>

namespace kalvo::app {

// The places looked at, in order.
std::vector<std::string> ModuleCandidates();

// The first candidate that exists; throws sim::ModuleError naming every place
// looked at when there is none.
std::string FindModule();

}  // namespace kalvo::app
