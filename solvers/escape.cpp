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

// The equations, named by their first help line.
constexpr int kExcessSpeed = Equation(ESC, "Vhx^2=Vbo^2-Vsc^2");
constexpr int kBurnLongitude = Equation(ESC, "lbo=ls+k-vinf");

// clang-format off
constexpr SolverEntry kEntries[] = {
    // The guards are strict, so no speed comes out as exactly 0.
    {kExcessSpeed, Vhx, [](Cells& x) {
         const double q = Square(x[Vbo]) - Square(x[Vsc]);
         if (Le(q, 0)) return kError;
         x[Vhx] = std::sqrt(q);
         return kSolved;
     }},
    {kExcessSpeed, Vsc, [](Cells& x) {
         const double q = Square(x[Vhx]) - Square(x[Vbo]);
         if (Ge(q, 0)) return kError;  // deliberately lets a NaN through
         x[Vsc] = std::sqrt(-q);
         return kSolved;
     }},
    {kExcessSpeed, Vbo, [](Cells& x) {
         const double q = Square(x[Vsc]) + Square(x[Vhx]);
         if (Le(q, 0)) return kError;
         x[Vbo] = std::sqrt(q);
         return kSolved;
     }},

    // Plain sums in degrees, never reduced to [0, 360).
    {kBurnLongitude, vnf, [](Cells& x) { x[vnf] = (x[k] + x[ls]) - x[lbo]; return kSolved; }},
    {kBurnLongitude, ls, [](Cells& x) { x[ls] = (x[lbo] - x[k]) + x[vnf]; return kSolved; }},
    {kBurnLongitude, k, NotAvailable},
    {kBurnLongitude, lbo, [](Cells& x) { x[lbo] = (x[k] + x[ls]) - x[vnf]; return kSolved; }},
};
// clang-format on

}  // namespace

static_assert(EveryEntryLiesOnAList(ESC, kEntries), "ESC: a solver for a variable not on its equation\'s list");
static_assert(EveryListedVariableHasOneEntry(ESC, kEntries), "ESC: a listed variable with no solver, or with two");

constinit const SolverTable kEscapeSolvers = MakeSolverTable(ESC, kEntries);

}  // namespace kalvo
