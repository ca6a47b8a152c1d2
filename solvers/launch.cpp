// LNC: vertical launch to a cut-off point, and launch azimuths.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr SolverEntry kEntries[] = {
    {0, Var(LNC, "rme"), NotAvailable},
    {0, Var(LNC, "M"), NotAvailable},
    {0, Var(LNC, "ap"), NotAvailable},
    {0, Var(LNC, "rs"), NotAvailable},
    {0, Var(LNC, "rma"), NotAvailable},
    {1, Var(LNC, "rme"), NotAvailable},
    {1, Var(LNC, "ap"), NotAvailable},
    {1, Var(LNC, "rs"), NotAvailable},
    {1, Var(LNC, "tme"), NotAvailable},
    {2, Var(LNC, "rme"), NotAvailable},
    {2, Var(LNC, "M"), NotAvailable},
    {2, Var(LNC, "rma"), NotAvailable},
    {2, Var(LNC, "Vme"), NotAvailable},
    {3, Var(LNC, "Az1"), NotAvailable},
    {3, Var(LNC, "Az2"), NotAvailable},
    {3, Var(LNC, "Inc"), NotAvailable},
    {3, Var(LNC, "Lat"), NotAvailable},
};

}  // namespace

const DirectorySolvers kLaunchSolvers{LNC, kEntries};

}  // namespace kalvo
