// MOV: straight-line manoeuvres at constant acceleration.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr SolverEntry kEntries[] = {
    {0, Var(MOV, "r"), NotAvailable},
    {0, Var(MOV, "DV"), NotAvailable},
    {0, Var(MOV, "ap"), NotAvailable},
    {1, Var(MOV, "DV"), NotAvailable},
    {1, Var(MOV, "Vf"), NotAvailable},
    {1, Var(MOV, "Vi"), NotAvailable},
    {2, Var(MOV, "DV"), NotAvailable},
    {2, Var(MOV, "DVt"), NotAvailable},
    {2, Var(MOV, "DVr"), NotAvailable},
};

}  // namespace

const DirectorySolvers kManoeuvreSolvers{MOV, kEntries};

}  // namespace kalvo
