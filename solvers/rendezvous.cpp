// RNT: rendezvous timing of two bodies.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr SolverEntry kEntries[] = {
    {0, Var(RNT, "la"), NotAvailable},
    {0, Var(RNT, "lb"), NotAvailable},
    {0, Var(RNT, "wa"), NotAvailable},
    {0, Var(RNT, "wb"), NotAvailable},
    {0, Var(RNT, "t"), NotAvailable},
    {0, Var(RNT, "to"), NotAvailable},
    {0, Var(RNT, "loa"), NotAvailable},
    {0, Var(RNT, "lob"), NotAvailable},
    {1, Var(RNT, "wa"), NotAvailable},
    {1, Var(RNT, "wb"), NotAvailable},
    {1, Var(RNT, "T"), NotAvailable},
};

}  // namespace

const DirectorySolvers kRendezvousSolvers{RNT, kEntries};

}  // namespace kalvo
