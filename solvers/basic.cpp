// BOP: eight elementary equations on a, b and c.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr int a = Var(BOP, "a");
constexpr int b = Var(BOP, "b");
constexpr int c = Var(BOP, "c");

// The equations, named by their first help line.
constexpr int kSum = Equation(BOP, "a=b+c");
constexpr int kProduct = Equation(BOP, "a=b*c");
constexpr int kRoot = Equation(BOP, "a=sqrt(b)");
constexpr int kSine = Equation(BOP, "a=sin(b)");
constexpr int kCosine = Equation(BOP, "a=cos(b)");
constexpr int kTangent = Equation(BOP, "a=tan(b)");
constexpr int kNaturalLog = Equation(BOP, "a=ln(b)");
constexpr int kDecimalLog = Equation(BOP, "a=log(b)");

// An odd multiple of 90 degrees, where the tangent has a pole. A NaN angle passes:
// both remainders then compare as 0.
bool IsTangentPole(double degrees) {
    const double m90 = degrees - 90 * std::floor(degrees * kOneOver90);
    const double m180 = degrees - 180 * std::floor(degrees * kOneOver180);
    return Eq(m90, 0) && !Eq(m180, 0);
}

// clang-format off
constexpr SolverEntry kEntries[] = {
    {kSum, a, [](Cells& x) { x[a] = x[b] + x[c]; return kSolved; }},
    {kSum, b, [](Cells& x) { x[b] = x[a] - x[c]; return kSolved; }},
    {kSum, c, [](Cells& x) { x[c] = x[a] - x[b]; return kSolved; }},

    {kProduct, a, [](Cells& x) { x[a] = x[c] * x[b]; return kSolved; }},
    {kProduct, b, [](Cells& x) {
         if (Eq(x[c], 0)) return kError;
         x[b] = x[a] / x[c];
         return kSolved;
     }},
    {kProduct, c, [](Cells& x) {
         if (Eq(x[b], 0)) return kError;
         x[c] = x[a] / x[b];
         return kSolved;
     }},

    {kRoot, a, [](Cells& x) {
         if (Lt(x[b], 0)) return kError;
         x[a] = std::sqrt(x[b]);
         return kSolved;
     }},
    {kRoot, b, [](Cells& x) { x[b] = Square(x[a]); return kSolved; }},

    {kSine, a, [](Cells& x) { x[a] = std::sin(Radians(x[b], x.pi)); return kSolved; }},
    {kSine, b, [](Cells& x) {
         if (Lt(x[a], -1) || Gt(x[a], 1)) return kError;
         x[b] = Degrees(std::asin(x[a]), x.pi);
         return kSolved;
     }},

    {kCosine, a, [](Cells& x) { x[a] = std::cos(Radians(x[b], x.pi)); return kSolved; }},
    {kCosine, b, [](Cells& x) {
         if (Lt(x[a], -1) || Gt(x[a], 1)) return kError;
         x[b] = Degrees(std::acos(x[a]), x.pi);
         return kSolved;
     }},

    {kTangent, a, [](Cells& x) {
         if (IsTangentPole(x[b])) return kError;
         x[a] = std::tan(Radians(x[b], x.pi));
         return kSolved;
     }},
    {kTangent, b, [](Cells& x) { x[b] = Degrees(std::atan(x[a]), x.pi); return kSolved; }},

    {kNaturalLog, a, [](Cells& x) {
         if (Le(x[b], 0)) return kError;
         x[a] = std::log(x[b]);
         return kSolved;
     }},
    {kNaturalLog, b, [](Cells& x) { x[b] = std::pow(std::exp(1.0), x[a]); return kSolved; }},

    {kDecimalLog, a, [](Cells& x) {
         if (Le(x[b], 0)) return kError;
         x[a] = std::log10(x[b]);
         return kSolved;
     }},
    {kDecimalLog, b, [](Cells& x) { x[b] = std::pow(10.0, x[a]); return kSolved; }},
};
// clang-format on

}  // namespace

static_assert(EveryEntryLiesOnAList(BOP, kEntries), "BOP: a solver for a variable not on its equation\'s list");
static_assert(EveryListedVariableHasOneEntry(BOP, kEntries), "BOP: a listed variable with no solver, or with two");

constinit const SolverTable kBasicSolvers = MakeSolverTable(BOP, kEntries);

}  // namespace kalvo
