// GLD: the glide angle from the speed components or from height and distance.
// The solved angle carries the sign of the vertical term: a descent is negative.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr int d = Var(GLD, "d");
constexpr int h = Var(GLD, "h");
constexpr int Vd = Var(GLD, "Vd");
constexpr int Vh = Var(GLD, "Vh");
constexpr int a = Var(GLD, "a");

// The equations, named by their first help line.
constexpr int kFromSpeeds = Equation(GLD, "a=arctan(Vh/Vd)");
constexpr int kFromHeight = Equation(GLD, "a=arctan(h/d)");

// Only an exact zero is refused: at 90 degrees the short pi keeps the tangent
// finite, and the division goes ahead.
double TanA(Cells& x) { return std::tan(Radians(x[a], x.pi)); }

// clang-format off
constexpr SolverEntry kEntries[] = {
    {kFromSpeeds, Vd, [](Cells& x) {
         const double tanA = TanA(x);
         if (Eq(tanA, 0)) return kError;
         x[Vd] = x[Vh] / tanA;
         return kSolved;
     }},
    {kFromSpeeds, Vh, [](Cells& x) { x[Vh] = TanA(x) * x[Vd]; return kSolved; }},
    {kFromSpeeds, a, [](Cells& x) { x[a] = Degrees(std::atan2(x[Vh], x[Vd]), x.pi); return kSolved; }},

    {kFromHeight, d, [](Cells& x) {
         const double tanA = TanA(x);
         if (Eq(tanA, 0)) return kError;
         x[d] = x[h] / tanA;
         return kSolved;
     }},
    {kFromHeight, h, [](Cells& x) { x[h] = TanA(x) * x[d]; return kSolved; }},
    {kFromHeight, a, [](Cells& x) { x[a] = Degrees(std::atan2(x[h], x[d]), x.pi); return kSolved; }},
};
// clang-format on

}  // namespace

static_assert(EveryEntryLiesOnAList(GLD, kEntries), "GLD: a solver for a variable not on its equation\'s list");
static_assert(EveryListedVariableHasOneEntry(GLD, kEntries), "GLD: a listed variable with no solver, or with two");

constinit const SolverTable kGlideSolvers = MakeSolverTable(GLD, kEntries);

}  // namespace kalvo
