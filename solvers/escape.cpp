// ESC: departure on a hyperbolic escape path.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr int Vhx = Var(ESC, "Vhx");
constexpr int Vsc = Var(ESC, "Vsc");
constexpr int Vbo = Var(ESC, "Vbo");
constexpr int vnf = Var(ESC, "vnf");
constexpr int ls = Var(ESC, "ls");
constexpr int k = Var(ESC, "k");
constexpr int lbo = Var(ESC, "lbo");

// clang-format off
constexpr SolverEntry kEntries[] = {
    // 0 "Vhx^2=Vbo^2-Vsc^2"; the guards are strict, so no speed comes out as exactly 0.
    {0, Vhx, [](Cells& x) {
         const double q = Square(x[Vbo]) - Square(x[Vsc]);
         if (Le(q, 0)) return kError;
         x[Vhx] = std::sqrt(q);
         return kSolved;
     }},
    {0, Vsc, [](Cells& x) {
         const double q = Square(x[Vhx]) - Square(x[Vbo]);
         if (Ge(q, 0)) return kError;  // deliberately lets a NaN through
         x[Vsc] = std::sqrt(-q);
         return kSolved;
     }},
    {0, Vbo, [](Cells& x) {
         const double q = Square(x[Vsc]) + Square(x[Vhx]);
         if (Le(q, 0)) return kError;
         x[Vbo] = std::sqrt(q);
         return kSolved;
     }},

    // 1 "lbo=ls+k-vinf": plain sums in degrees, never reduced to [0, 360).
    {1, vnf, [](Cells& x) { x[vnf] = (x[k] + x[ls]) - x[lbo]; return kSolved; }},
    {1, ls, [](Cells& x) { x[ls] = (x[lbo] - x[k]) + x[vnf]; return kSolved; }},
    {1, k, NotAvailable},
    {1, lbo, [](Cells& x) { x[lbo] = (x[k] + x[ls]) - x[vnf]; return kSolved; }},
};
// clang-format on

}  // namespace

const DirectorySolvers kEscapeSolvers{ESC, kEntries};

}  // namespace kalvo
