// `kalvo solve`: one solve on the page, driven through the stand-in host as a pilot
// would drive it, with the inputs written and the results read exactly.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kalvo::app {

struct SolveRequest {
    std::string directory;                 // a directory code, in any letter case
    std::string equation;                  // the equation's number in its directory, from 0
    std::string variable;                  // the symbol to solve for
    std::vector<std::string> assignments;  // SYMBOL=VALUE, in the directory's cells
    int variableSet = 1;                   // 1 or 2, as the page shows them
    bool json = false;
};

// Checks the request, loads the module, solves and prints the status message and
// every variable of the directory. A bad request or a module that cannot be loaded
// prints an error to `err`, solves nothing and returns non-zero.
int RunSolve(const SolveRequest& request, std::ostream& out, std::ostream& err);

}  // namespace kalvo::app
