// RNT: two bodies at constant angular speeds wa and wb; longitudes are plain
// differences in degrees, never reduced to [0, 360).
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr int la = Var(RNT, "la");
constexpr int lb = Var(RNT, "lb");
constexpr int wa = Var(RNT, "wa");
constexpr int wb = Var(RNT, "wb");
constexpr int t = Var(RNT, "t");
constexpr int to = Var(RNT, "to");
constexpr int loa = Var(RNT, "loa");
constexpr int lob = Var(RNT, "lob");
constexpr int T = Var(RNT, "T");

// The equations, named by their first help line.
constexpr int kRelativeLongitude = Equation(RNT, "(lb-la)=(wb-wa)*(t-to)+(lob-loa)");
constexpr int kSynodicPeriod = Equation(RNT, "T=360/|wb-wa|");

// Every solver of equation 0 inverts L = W dt + L0.
double Elapsed(Cells& x) { return x[t] - x[to]; }               // dt
double RelativeRate(Cells& x) { return x[wb] - x[wa]; }         // W
double Separation(Cells& x) { return x[lb] - x[la]; }           // L
double InitialSeparation(Cells& x) { return x[lob] - x[loa]; }  // L0

// clang-format off
constexpr SolverEntry kEntries[] = {
    {kRelativeLongitude, la, [](Cells& x) {
         x[la] = (x[lb] - Elapsed(x) * RelativeRate(x)) - InitialSeparation(x);
         return kSolved;
     }},
    {kRelativeLongitude, lb, [](Cells& x) {
         x[lb] = (Elapsed(x) * RelativeRate(x) + InitialSeparation(x)) + x[la];
         return kSolved;
     }},
    {kRelativeLongitude, wa, [](Cells& x) {
         if (Eq(Elapsed(x), 0)) return kError;
         x[wa] = x[wb] - (Separation(x) - InitialSeparation(x)) / Elapsed(x);
         return kSolved;
     }},
    {kRelativeLongitude, wb, [](Cells& x) {
         if (Eq(Elapsed(x), 0)) return kError;
         x[wb] = (Separation(x) - InitialSeparation(x)) / Elapsed(x) + x[wa];
         return kSolved;
     }},
    {kRelativeLongitude, t, [](Cells& x) {
         if (Eq(RelativeRate(x), 0)) return kError;
         x[t] = (Separation(x) - InitialSeparation(x)) / RelativeRate(x) + x[to];
         return kSolved;
     }},
    {kRelativeLongitude, to, [](Cells& x) {
         if (Eq(RelativeRate(x), 0)) return kError;
         x[to] = x[t] - (Separation(x) - InitialSeparation(x)) / RelativeRate(x);
         return kSolved;
     }},
    {kRelativeLongitude, loa, [](Cells& x) {
         x[loa] = x[lob] - (Separation(x) - Elapsed(x) * RelativeRate(x));
         return kSolved;
     }},
    {kRelativeLongitude, lob, [](Cells& x) {
         x[lob] = (Separation(x) - Elapsed(x) * RelativeRate(x)) + x[loa];
         return kSolved;
     }},

    // Solving wa or wb takes body b as the faster one.
    {kSynodicPeriod, wa, [](Cells& x) {
         if (Eq(x[T], 0)) return kError;
         x[wa] = x[wb] - 360 / x[T];
         return kSolved;
     }},
    {kSynodicPeriod, wb, [](Cells& x) {
         if (Eq(x[T], 0)) return kError;
         x[wb] = 360 / x[T] + x[wa];
         return kSolved;
     }},
    {kSynodicPeriod, T, [](Cells& x) {
         const double W = RelativeRate(x);
         if (Eq(W, 0)) return kError;
         x[T] = std::fabs(360 / W);
         return kSolved;
     }},
};
// clang-format on

}  // namespace

static_assert(EveryEntryLiesOnAList(RNT, kEntries), "RNT: a solver for a variable not on its equation\'s list");
static_assert(EveryListedVariableHasOneEntry(RNT, kEntries), "RNT: a listed variable with no solver, or with two");

constinit const SolverTable kRendezvousSolvers = MakeSolverTable(RNT, kEntries);

}  // namespace kalvo
