// MOV: straight-line manoeuvres at constant acceleration.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr int r = Var(MOV, "r");
constexpr int DV = Var(MOV, "DV");
constexpr int ap = Var(MOV, "ap");
constexpr int Vf = Var(MOV, "Vf");
constexpr int Vi = Var(MOV, "Vi");
constexpr int DVt = Var(MOV, "DVt");
constexpr int DVr = Var(MOV, "DVr");

// The equations, named by their first help line.
constexpr int kDistance = Equation(MOV, "r=DV^2/(2*ap)");
constexpr int kSpeedChange = Equation(MOV, "DV=Vf-Vi");
constexpr int kComposition = Equation(MOV, "DV=sqrt(DVt^2+DVr^2)");

// clang-format off
constexpr SolverEntry kEntries[] = {
    // DV comes out never negative.
    {kDistance, r, [](Cells& x) {
         if (Eq(x[ap], 0)) return kError;
         x[r] = (Square(x[DV]) * 0.5) / x[ap];
         return kSolved;
     }},
    {kDistance, DV, [](Cells& x) {
         const double q = (x[r] * x[ap]) + (x[r] * x[ap]);
         if (Lt(q, 0)) return kError;
         x[DV] = std::sqrt(q);
         return kSolved;
     }},
    {kDistance, ap, [](Cells& x) {
         if (Lt(x[r], 0)) return kError;  // r = 0 passes: the quotient is stored as it falls
         x[ap] = (Square(x[DV]) * 0.5) / x[r];
         return kSolved;
     }},

    {kSpeedChange, DV, [](Cells& x) { x[DV] = x[Vf] - x[Vi]; return kSolved; }},
    {kSpeedChange, Vf, [](Cells& x) { x[Vf] = x[Vi] + x[DV]; return kSolved; }},
    {kSpeedChange, Vi, [](Cells& x) { x[Vi] = x[Vf] - x[DV]; return kSolved; }},

    {kComposition, DV, [](Cells& x) {
         const double q = Square(x[DVt]) + Square(x[DVr]);
         if (Lt(q, 0)) return kError;  // only a NaN operand
         x[DV] = std::sqrt(q);
         return kSolved;
     }},
    {kComposition, DVt, [](Cells& x) {
         const double q = Square(x[DV]) - Square(x[DVr]);
         if (Lt(q, 0)) return kError;
         x[DVt] = std::sqrt(q);
         return kSolved;
     }},
    {kComposition, DVr, [](Cells& x) {
         const double q = Square(x[DV]) - Square(x[DVt]);
         if (Lt(q, 0)) return kError;
         x[DVr] = std::sqrt(q);
         return kSolved;
     }},
};
// clang-format on

}  // namespace

static_assert(EveryEntryLiesOnAList(MOV, kEntries), "MOV: a solver for a variable not on its equation\'s list");
static_assert(EveryListedVariableHasOneEntry(MOV, kEntries), "MOV: a listed variable with no solver, or with two");

constinit const SolverTable kManoeuvreSolvers = MakeSolverTable(MOV, kEntries);

}  // namespace kalvo
