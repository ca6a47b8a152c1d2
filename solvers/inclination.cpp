// INC: the speed change that turns the orbital plane.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr SolverEntry kEntries[] = {
    {0, Var(INC, "DV"), NotAvailable},
    {0, Var(INC, "Vc"), NotAvailable},
    {0, Var(INC, "Di"), NotAvailable},
    {1, Var(INC, "DV"), NotAvailable},
    {1, Var(INC, "Vc"), NotAvailable},
    {1, Var(INC, "Di"), NotAvailable},
};

}  // namespace

const DirectorySolvers kInclinationSolvers{INC, kEntries};

}  // namespace kalvo
