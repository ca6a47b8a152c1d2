// BOP: eight elementary equations on a, b and c.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr int a = Var(BOP, "a");
constexpr int b = Var(BOP, "b");
constexpr int c = Var(BOP, "c");

constexpr double kOneOver90 = 1.0 / 90.0;

// An odd multiple of 90 degrees, where the tangent has a pole. A NaN angle passes:
// both remainders then compare as 0.
bool IsTangentPole(double degrees) {
    const double m90 = degrees - 90 * std::floor(degrees * kOneOver90);
    const double m180 = degrees - 180 * std::floor(degrees * kOneOver180);
    return Eq(m90, 0) && !Eq(m180, 0);
}

// clang-format off
constexpr SolverEntry kEntries[] = {
    // 0 "a=b+c"
    {0, a, [](Cells& x) { x[a] = x[b] + x[c]; return kSolved; }},
    {0, b, [](Cells& x) { x[b] = x[a] - x[c]; return kSolved; }},
    {0, c, [](Cells& x) { x[c] = x[a] - x[b]; return kSolved; }},

    // 1 "a=b*c"
    {1, a, [](Cells& x) { x[a] = x[c] * x[b]; return kSolved; }},
    {1, b, [](Cells& x) {
         if (Eq(x[c], 0)) return kError;
         x[b] = x[a] / x[c];
         return kSolved;
     }},
    {1, c, [](Cells& x) {
         if (Eq(x[b], 0)) return kError;
         x[c] = x[a] / x[b];
         return kSolved;
     }},

    // 2 "a=sqrt(b)"
    {2, a, [](Cells& x) {
         if (Lt(x[b], 0)) return kError;
         x[a] = std::sqrt(x[b]);
         return kSolved;
     }},
    {2, b, [](Cells& x) { x[b] = Square(x[a]); return kSolved; }},

    // 3 "a=sin(b)"
    {3, a, [](Cells& x) { x[a] = std::sin(Radians(x[b], x.pi)); return kSolved; }},
    {3, b, [](Cells& x) {
         if (Lt(x[a], -1) || Gt(x[a], 1)) return kError;
         x[b] = Degrees(std::asin(x[a]), x.pi);
         return kSolved;
     }},

    // 4 "a=cos(b)"
    {4, a, [](Cells& x) { x[a] = std::cos(Radians(x[b], x.pi)); return kSolved; }},
    {4, b, [](Cells& x) {
         if (Lt(x[a], -1) || Gt(x[a], 1)) return kError;
         x[b] = Degrees(std::acos(x[a]), x.pi);
         return kSolved;
     }},

    // 5 "a=tan(b)"
    {5, a, [](Cells& x) {
         if (IsTangentPole(x[b])) return kError;
         x[a] = std::tan(Radians(x[b], x.pi));
         return kSolved;
     }},
    {5, b, [](Cells& x) { x[b] = Degrees(std::atan(x[a]), x.pi); return kSolved; }},

    // 6 "a=ln(b)"
    {6, a, [](Cells& x) {
         if (Le(x[b], 0)) return kError;
         x[a] = std::log(x[b]);
         return kSolved;
     }},
    {6, b, [](Cells& x) { x[b] = std::pow(std::exp(1.0), x[a]); return kSolved; }},

    // 7 "a=log(b)"
    {7, a, [](Cells& x) {
         if (Le(x[b], 0)) return kError;
         x[a] = std::log10(x[b]);
         return kSolved;
     }},
    {7, b, [](Cells& x) { x[b] = std::pow(10.0, x[a]); return kSolved; }},
};
// clang-format on

}  // namespace

const DirectorySolvers kBasicSolvers{BOP, kEntries};

}  // namespace kalvo
