// `kalvo solve`: one solve on the page, driven through the stand-in host as a pilot
// would drive it, with the inputs written and the results read exactly.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kalvo::app {

// What the command line gave; a part left out is reported with what would be valid.
struct SolveRequest {
    std::optional<std::string> directory;  // a directory code, in any letter case
    std::optional<std::string> equation;   // the equation's number in its directory, from 0
    std::optional<std::string> variable;   // the symbol to solve for
    std::vector<std::string> assignments;  // SYMBOL=VALUE, in the directory's cells
    int variableSet = 1;                   // 1 or 2, as the page shows them
    bool json = false;
};

// Checks the request, loads the module, solves and prints the status message and
// every variable of the directory. Returns the page's status after the solve: 0, 1
// ("ERROR!") or 2 (" N/Av "). A bad request (kExitUsage) or a module that cannot be
// loaded (kExitNoModule) prints an error to `err` and solves nothing.
int RunSolve(const SolveRequest& request, std::ostream& out, std::ostream& err);

}  // namespace kalvo::app
