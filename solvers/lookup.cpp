#include "catalogue/solver_mfd.h"
#include "catalogue/value_store.h"
#include "solvers/conventions.h"

namespace kalvo {

namespace {

const DirectorySolvers* const kEveryDirectory[] = {
    &kBasicSolvers,  &kOrbitSolvers,  &kEscapeSolvers,     &kFuelSolvers,  &kInclinationSolvers,
    &kManoeuvreSolvers, &kLaunchSolvers, &kRendezvousSolvers, &kGlideSolvers,
};

}  // namespace

Solver FindSolver(int directory, int equation, int variable) {
    for (const DirectorySolvers* table : kEveryDirectory) {
        if (table->directory != directory) continue;
        for (const SolverEntry& entry : table->entries)
            if (entry.equation == equation && entry.variable == variable) return entry.solve;
    }
    return nullptr;
}

int SolverMFD::SolveForVariable() {
    Cells cells{ValueStore[variableSet][directory], pi};
    return FindSolver(directory, equation, variable)(cells);
}

}  // namespace kalvo
