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

// Only an exact zero is refused: at 90 degrees the short pi keeps the tangent
// finite, and the division goes ahead.
double TanA(Cells& x) { return std::tan(Radians(x[a], x.pi)); }

// clang-format off
constexpr SolverEntry kEntries[] = {
    // 0 "a=arctan(Vh/Vd)"
    {0, Vd, [](Cells& x) {
         const double tanA = TanA(x);
         if (Eq(tanA, 0)) return kError;
         x[Vd] = x[Vh] / tanA;
         return kSolved;
     }},
    {0, Vh, [](Cells& x) { x[Vh] = TanA(x) * x[Vd]; return kSolved; }},
    {0, a, [](Cells& x) { x[a] = Degrees(std::atan2(x[Vh], x[Vd]), x.pi); return kSolved; }},

    // 1 "a=arctan(h/d)"
    {1, d, [](Cells& x) {
         const double tanA = TanA(x);
         if (Eq(tanA, 0)) return kError;
         x[d] = x[h] / tanA;
         return kSolved;
     }},
    {1, h, [](Cells& x) { x[h] = TanA(x) * x[d]; return kSolved; }},
    {1, a, [](Cells& x) { x[a] = Degrees(std::atan2(x[h], x[d]), x.pi); return kSolved; }},
};
// clang-format on

}  // namespace

const DirectorySolvers kGlideSolvers{GLD, kEntries};

}  // namespace kalvo
