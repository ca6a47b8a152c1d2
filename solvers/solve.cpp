// The Solve command: the solver of the selected equation and variable, found in
// its directory's table, run on the selected variable set's cells.
#include "solvers/conventions.h"

namespace kalvo {

Solver FindSolver(int directory, int equation, int variable) {
    for (const DirectorySolvers* table : kEveryDirectorySolvers) {
        if (table->directory != directory) continue;
        for (const SolverEntry& entry : table->entries)
            if (entry.equation == equation && entry.variable == variable) return entry.solve;
    }
    return nullptr;
}

int SolveForVariable(int directory, int equation, int variable, Cells cells) {
    return FindSolver(directory, equation, variable)(cells);
}

}  // namespace kalvo
