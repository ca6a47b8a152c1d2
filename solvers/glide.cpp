// GLD: glide geometry.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr SolverEntry kEntries[] = {
    {0, Var(GLD, "Vd"), NotAvailable},
    {0, Var(GLD, "Vh"), NotAvailable},
    {0, Var(GLD, "a"), NotAvailable},
    {1, Var(GLD, "d"), NotAvailable},
    {1, Var(GLD, "h"), NotAvailable},
    {1, Var(GLD, "a"), NotAvailable},
};

}  // namespace

const DirectorySolvers kGlideSolvers{GLD, kEntries};

}  // namespace kalvo
