// INC: the speed change that turns the orbital plane by Di.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr int DV = Var(INC, "DV");
constexpr int Vc = Var(INC, "Vc");
constexpr int Di = Var(INC, "Di");

// The equations, named by their first help line.
constexpr int kContinuousTurn = Equation(INC, "DV=Vc*Di");
constexpr int kSingleImpulse = Equation(INC, "DV=Vc*sqrt(2*(1-cos(Di)))");

// 2 (1 - cos Di): the squared chord between the old and new velocity directions.
double ChordSquared(Cells& x) {
    const double u = 1 - std::cos(Radians(x[Di], x.pi));
    return u + u;
}

// clang-format off
constexpr SolverEntry kEntries[] = {
    // Di converted to radians inside the product.
    {kContinuousTurn, DV, [](Cells& x) { x[DV] = ((x[Di] * x[Vc]) * x.pi) * kOneOver180; return kSolved; }},
    {kContinuousTurn, Vc, [](Cells& x) {
         const double turn = Radians(x[Di], x.pi);
         if (Eq(turn, 0)) return kError;
         x[Vc] = x[DV] / turn;
         return kSolved;
     }},
    {kContinuousTurn, Di, [](Cells& x) {
         if (Eq(x[Vc], 0)) return kError;
         x[Di] = Degrees(x[DV] / x[Vc], x.pi);
         return kSolved;
     }},

    {kSingleImpulse, DV, [](Cells& x) { x[DV] = std::sqrt(ChordSquared(x)) * x[Vc]; return kSolved; }},
    {kSingleImpulse, Vc, [](Cells& x) {
         const double q = ChordSquared(x);
         if (Le(q, 0)) return kError;
         x[Vc] = x[DV] / std::sqrt(q);
         return kSolved;
     }},
    // Di comes back in [0, 180] whatever the sign of DV.
    {kSingleImpulse, Di, [](Cells& x) {
         if (Eq(x[Vc], 0)) return kError;
         const double cosDi = 1 - (Square(x[DV]) / Square(x[Vc])) * 0.5;
         if (Gt(cosDi, 1) || Lt(cosDi, -1)) return kError;
         x[Di] = Degrees(std::acos(cosDi), x.pi);
         return kSolved;
     }},
};
// clang-format on

}  // namespace

static_assert(EveryEntryLiesOnAList(INC, kEntries), "INC: a solver for a variable not on its equation\'s list");
static_assert(EveryListedVariableHasOneEntry(INC, kEntries), "INC: a listed variable with no solver, or with two");

constinit const SolverTable kInclinationSolvers = MakeSolverTable(INC, kEntries);

}  // namespace kalvo
