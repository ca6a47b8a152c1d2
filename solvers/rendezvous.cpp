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

// Every solver of equation 0 inverts L = W dt + L0.
double Elapsed(Cells& x) { return x[t] - x[to]; }               // dt
double RelativeRate(Cells& x) { return x[wb] - x[wa]; }         // W
double Separation(Cells& x) { return x[lb] - x[la]; }           // L
double InitialSeparation(Cells& x) { return x[lob] - x[loa]; }  // L0

// clang-format off
constexpr SolverEntry kEntries[] = {
    // 0 "(lb-la)=(wb-wa)*(t-to)+(lob-loa)"
    {0, la, [](Cells& x) {
         x[la] = (x[lb] - Elapsed(x) * RelativeRate(x)) - InitialSeparation(x);
         return kSolved;
     }},
    {0, lb, [](Cells& x) {
         x[lb] = (Elapsed(x) * RelativeRate(x) + InitialSeparation(x)) + x[la];
         return kSolved;
     }},
    {0, wa, [](Cells& x) {
         if (Eq(Elapsed(x), 0)) return kError;
         x[wa] = x[wb] - (Separation(x) - InitialSeparation(x)) / Elapsed(x);
         return kSolved;
     }},
    {0, wb, [](Cells& x) {
         if (Eq(Elapsed(x), 0)) return kError;
         x[wb] = (Separation(x) - InitialSeparation(x)) / Elapsed(x) + x[wa];
         return kSolved;
     }},
    {0, t, [](Cells& x) {
         if (Eq(RelativeRate(x), 0)) return kError;
         x[t] = (Separation(x) - InitialSeparation(x)) / RelativeRate(x) + x[to];
         return kSolved;
     }},
    {0, to, [](Cells& x) {
         if (Eq(RelativeRate(x), 0)) return kError;
         x[to] = x[t] - (Separation(x) - InitialSeparation(x)) / RelativeRate(x);
         return kSolved;
     }},
    {0, loa, [](Cells& x) {
         x[loa] = x[lob] - (Separation(x) - Elapsed(x) * RelativeRate(x));
         return kSolved;
     }},
    {0, lob, [](Cells& x) {
         x[lob] = (Separation(x) - Elapsed(x) * RelativeRate(x)) + x[loa];
         return kSolved;
     }},

    // 1 "T=360/|wb-wa|"; solving wa or wb takes body b as the faster one.
    {1, wa, [](Cells& x) {
         if (Eq(x[T], 0)) return kError;
         x[wa] = x[wb] - 360 / x[T];
         return kSolved;
     }},
    {1, wb, [](Cells& x) {
         if (Eq(x[T], 0)) return kError;
         x[wb] = 360 / x[T] + x[wa];
         return kSolved;
     }},
    {1, T, [](Cells& x) {
         const double W = RelativeRate(x);
         if (Eq(W, 0)) return kError;
         x[T] = std::fabs(360 / W);
         return kSolved;
     }},
};
// clang-format on

}  // namespace

const DirectorySolvers kRendezvousSolvers{RNT, kEntries};

}  // namespace kalvo
