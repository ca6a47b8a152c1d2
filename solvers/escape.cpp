// ESC: departure on a hyperbolic escape path.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr SolverEntry kEntries[] = {
    {0, Var(ESC, "Vhx"), NotAvailable},
    {0, Var(ESC, "Vsc"), NotAvailable},
    {0, Var(ESC, "Vbo"), NotAvailable},
    {1, Var(ESC, "vnf"), NotAvailable},
    {1, Var(ESC, "ls"), NotAvailable},
    {1, Var(ESC, "k"), NotAvailable},
    {1, Var(ESC, "lbo"), NotAvailable},
};

}  // namespace

const DirectorySolvers kEscapeSolvers{ESC, kEntries};

}  // namespace kalvo
