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

// clang-format off
constexpr SolverEntry kEntries[] = {
    // 0 "r=DV^2/(2*ap)"; DV comes out never negative.
    {0, r, [](Cells& x) {
         if (Eq(x[ap], 0)) return kError;
         x[r] = (Square(x[DV]) * 0.5) / x[ap];
         return kSolved;
     }},
    {0, DV, [](Cells& x) {
         const double q = (x[r] * x[ap]) + (x[r] * x[ap]);
         if (Lt(q, 0)) return kError;
         x[DV] = std::sqrt(q);
         return kSolved;
     }},
    {0, ap, [](Cells& x) {
         if (Lt(x[r], 0)) return kError;  // r = 0 passes: the quotient is stored as it falls
         x[ap] = (Square(x[DV]) * 0.5) / x[r];
         return kSolved;
     }},

    // 1 "DV=Vf-Vi"
    {1, DV, [](Cells& x) { x[DV] = x[Vf] - x[Vi]; return kSolved; }},
    {1, Vf, [](Cells& x) { x[Vf] = x[Vi] + x[DV]; return kSolved; }},
    {1, Vi, [](Cells& x) { x[Vi] = x[Vf] - x[DV]; return kSolved; }},

    // 2 "DV=sqrt(DVt^2+DVr^2)"
    {2, DV, [](Cells& x) {
         const double q = Square(x[DVt]) + Square(x[DVr]);
         if (Lt(q, 0)) return kError;  // only a NaN operand
         x[DV] = std::sqrt(q);
         return kSolved;
     }},
    {2, DVt, [](Cells& x) {
         const double q = Square(x[DV]) - Square(x[DVr]);
         if (Lt(q, 0)) return kError;
         x[DVt] = std::sqrt(q);
         return kSolved;
     }},
    {2, DVr, [](Cells& x) {
         const double q = Square(x[DV]) - Square(x[DVt]);
         if (Lt(q, 0)) return kError;
         x[DVr] = std::sqrt(q);
         return kSolved;
     }},
};
// clang-format on

}  // namespace

const DirectorySolvers kManoeuvreSolvers{MOV, kEntries};

}  // namespace kalvo
