// FUE: the rocket equation and the burn time.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr SolverEntry kEntries[] = {
    {0, Var(FUE, "DV"), NotAvailable},
    {0, Var(FUE, "ms"), NotAvailable},
    {0, Var(FUE, "ml"), NotAvailable},
    {0, Var(FUE, "mi"), NotAvailable},
    {0, Var(FUE, "mf"), NotAvailable},
    {0, Var(FUE, "Isp"), NotAvailable},
    {1, Var(FUE, "mi"), NotAvailable},
    {1, Var(FUE, "mf"), NotAvailable},
    {1, Var(FUE, "Isp"), NotAvailable},
    {1, Var(FUE, "THR"), NotAvailable},
    {1, Var(FUE, "tbn"), NotAvailable},
};

}  // namespace

const DirectorySolvers kFuelSolvers{FUE, kEntries};

}  // namespace kalvo
