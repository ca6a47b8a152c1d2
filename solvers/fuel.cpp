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

// clang-format off
constexpr SolverEntry kEntries[] = {
    // 0 "DV=ln((ms+ml+mi)/(ms+ml+mf)))*Isp"
    {0, DV, [](Cells& x) {
         const double finalMass = (x[mf] + x[ms]) + x[ml];
         if (Eq(finalMass, 0)) return kError;
         const double ratio = ((x[mi] + x[ms]) + x[ml]) / finalMass;
         if (Lt(ratio, 0)) return kError;  // a ratio of 0 gives -inf, stored
         x[DV] = std::log(ratio) * x[Isp];
         return kSolved;
     }},
    {0, ms, NotAvailable},
    {0, ml, NotAvailable},
    {0, mi, NotAvailable},
    // A speed decrease costs the same fuel as an increase: the fuel left after burning.
    {0, mf, [](Cells& x) {
         if (Eq(x[Isp], 0)) return kError;
         const double f = std::exp(std::fabs(x[DV]) / x[Isp]);
         if (Eq(f, 0)) return kError;
         x[mf] = (((x[mi] + x[ms]) + x[ml]) - (x[ms] + x[ml]) * f) / f;
         return kSolved;
     }},
    {0, Isp, NotAvailable},

    // 1 "tbn=(mi-mf)*Isp/THR"
    {1, mi, NotAvailable},
    {1, mf, [](Cells& x) {
         if (Le(x[Isp], 0)) return kError;
         x[mf] = x[mi] - (x[THR] * x[tbn]) / x[Isp];
         return kSolved;
     }},
    {1, Isp, NotAvailable},
    {1, THR, NotAvailable},
    {1, tbn, [](Cells& x) {
         if (Eq(x[THR], 0)) return kError;  // only a zero thrust, not a negative one
         x[tbn] = ((x[mi] - x[mf]) * x[Isp]) / x[THR];
         return kSolved;
     }},
};
// clang-format on

}  // namespace

const DirectorySolvers kFuelSolvers{FUE, kEntries};

}  // namespace kalvo
