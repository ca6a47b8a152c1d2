// The Solve command: the solver of the selected equation and variable, found in
// its directory's table, run on the selected variable set's cells.
#include "solvers/conventions.h"

namespace kalvo {

Solver FindSolver(int directory, int equation, int variable) {
    if (equation < 0 || equation >= kMaxEquations || variable < 0 || variable >= kMaxVariables) return NotAvailable;
    for (const SolverTable* table : kEveryDirectorySolvers)
        if (table->directory == directory) return table->solver[equation][variable];
    return NotAvailable;
}

int SolveForVariable(int directory, int equation, int variable, Cells cells) {
    return FindSolver(directory, equation, variable)(cells);
}

}  // namespace kalvo
