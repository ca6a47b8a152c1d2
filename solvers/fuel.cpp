// FUE: the rocket equation and the burn time. The specific impulse is an
// effective exhaust speed in m/s: no standard gravity enters.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr int DV = Var(FUE, "DV");
constexpr int ms = Var(FUE, "ms");
constexpr int ml = Var(FUE, "ml");
constexpr int mi = Var(FUE, "mi");
constexpr int mf = Var(FUE, "mf");
constexpr int Isp = Var(FUE, "Isp");
constexpr int THR = Var(FUE, "THR");
constexpr int tbn = Var(FUE, "tbn");

// The equations, named by their first help line.
constexpr int kRocket = Equation(FUE, "DV=ln((ms+ml+mi)/(ms+ml+mf)))*Isp");
constexpr int kBurnTime = Equation(FUE, "tbn=(mi-mf)*Isp/THR");

// clang-format off
constexpr SolverEntry kEntries[] = {
    {kRocket, DV, [](Cells& x) {
         const double finalMass = (x[mf] + x[ms]) + x[ml];
         if (Eq(finalMass, 0)) return kError;
         const double ratio = ((x[mi] + x[ms]) + x[ml]) / finalMass;
         if (Lt(ratio, 0)) return kError;  // a ratio of 0 gives -inf, stored
         x[DV] = std::log(ratio) * x[Isp];
         return kSolved;
     }},
    {kRocket, ms, NotAvailable},
    {kRocket, ml, NotAvailable},
    {kRocket, mi, NotAvailable},
    // A speed decrease costs the same fuel as an increase: the fuel left after burning.
    {kRocket, mf, [](Cells& x) {
         if (Eq(x[Isp], 0)) return kError;
         const double f = std::exp(std::fabs(x[DV]) / x[Isp]);
         if (Eq(f, 0)) return kError;
         x[mf] = (((x[mi] + x[ms]) + x[ml]) - (x[ms] + x[ml]) * f) / f;
         return kSolved;
     }},
    {kRocket, Isp, NotAvailable},

    {kBurnTime, mi, NotAvailable},
    {kBurnTime, mf, [](Cells& x) {
         if (Le(x[Isp], 0)) return kError;
         x[mf] = x[mi] - (x[THR] * x[tbn]) / x[Isp];
         return kSolved;
     }},
    {kBurnTime, Isp, NotAvailable},
    {kBurnTime, THR, NotAvailable},
    {kBurnTime, tbn, [](Cells& x) {
         if (Eq(x[THR], 0)) return kError;  // only a zero thrust, not a negative one
         x[tbn] = ((x[mi] - x[mf]) * x[Isp]) / x[THR];
         return kSolved;
     }},
};
// clang-format on

}  // namespace

static_assert(EveryEntryLiesOnAList(FUE, kEntries), "FUE: a solver for a variable not on its equation\'s list");
static_assert(EveryListedVariableHasOneEntry(FUE, kEntries), "FUE: a listed variable with no solver, or with two");

constinit const SolverTable kFuelSolvers = MakeSolverTable(FUE, kEntries);

}  // namespace kalvo
