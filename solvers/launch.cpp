// LNC: a vertical launch at constant acceleration ap from the surface rs to the
// cut-off point rme, then a ballistic coast up to rma (all distances from the
// planet's centre); and the launch azimuths that reach an inclination.
#include "solvers/conventions.h"

namespace kalvo {

namespace {

constexpr int rme = Var(LNC, "rme");
constexpr int G = Var(LNC, "G");
constexpr int M = Var(LNC, "M");
constexpr int ap = Var(LNC, "ap");
constexpr int rs = Var(LNC, "rs");
constexpr int rma = Var(LNC, "rma");
constexpr int tme = Var(LNC, "tme");
constexpr int Vme = Var(LNC, "Vme");
constexpr int Az1 = Var(LNC, "Az1");
constexpr int Az2 = Var(LNC, "Az2");
constexpr int Inc = Var(LNC, "Inc");
constexpr int Lat = Var(LNC, "Lat");

// Both azimuths at once, the northbound one in [-90, 90] and its mirror about
// north-south; neither is written when the inclination is out of reach.
int SolveAzimuths(Cells& x) {
    const double cosLat = std::cos(Radians(x[Lat], x.pi));
    if (Eq(cosLat, 0)) return kError;
    const double sinAzimuth = std::cos(Radians(x[Inc], x.pi)) / cosLat;
    if (Gt(sinAzimuth, 1) || Lt(sinAzimuth, -1)) return kError;
    x[Az1] = Degrees(std::asin(sinAzimuth), x.pi);
    x[Az2] = 180 - x[Az1];
    return kSolved;
}

// clang-format off
constexpr SolverEntry kEntries[] = {
    // 0: the energy of the burn, ap (rme - rs), equals G M (1/rme - 1/rma).
    // rme is the larger root of ap rma rme^2 + (G M - ap rs rma) rme - G M rma = 0.
    {0, rme, [](Cells& x) {
         const double P = (x[ap] * x[rs]) * x[rma];
         const double D = (Square(x[M]) * Square(x[G]) - 2 * ((P * x[M]) * x[G])) +
                          (Square(x[ap]) * Square(x[rs]) + 4 * ((x[ap] * x[M]) * x[G])) * Square(x[rma]);
         if (Lt(D, 0)) return kError;
         const double Q = (x[rma] * x[ap]) + (x[rma] * x[ap]);
         if (Eq(Q, 0)) return kError;
         x[rme] = -(((x[M] * x[G]) - P) - std::sqrt(D)) / Q;
         return kSolved;
     }},
    {0, M, NotAvailable},
    {0, ap, [](Cells& x) {
         if (Eq(x[rs] - x[rme], 0) || Eq(x[rma], 0) || Eq(x[rme], 0)) return kError;
         x[ap] = -(((1 / x[rme] - 1 / x[rma]) * x[M]) * x[G]) / (x[rs] - x[rme]);
         return kSolved;
     }},
    {0, rs, NotAvailable},
    {0, rma, [](Cells& x) {
         const double N = ((x[G] * x[M]) - Square(x[rme]) * x[ap]) + (x[rs] * x[rme]) * x[ap];
         if (Eq(N, 0)) return kError;
         x[rma] = ((x[rme] * x[G]) * x[M]) / N;
         return kSolved;
     }},

    // 1 "tme=sqrt(2*(rme-rs)/ap)"
    {1, rme, [](Cells& x) { x[rme] = (Square(x[tme]) * x[ap]) * 0.5 + x[rs]; return kSolved; }},
    {1, ap, [](Cells& x) {
         if (Eq(Square(x[tme]), 0)) return kError;
         x[ap] = ((x[rme] - x[rs]) + (x[rme] - x[rs])) / Square(x[tme]);
         return kSolved;
     }},
    {1, rs, NotAvailable},
    {1, tme, [](Cells& x) {
         if (Eq(x[ap], 0)) return kError;
         const double q = ((x[rme] - x[rs]) + (x[rme] - x[rs])) / x[ap];
         if (Lt(q, 0)) return kError;
         x[tme] = std::sqrt(q);
         return kSolved;
     }},

    // 2 "Vme=sqrt(2*(G*M/rma-G*M/rme))"
    {2, rme, [](Cells& x) {
         const double g = x[M] * x[G];
         const double N = -(Square(x[Vme]) * x[rma]) - (g + g);
         if (Eq(N, 0)) return kError;
         x[rme] = ((g * x[rma]) * (-2)) / N;
         return kSolved;
     }},
    {2, M, NotAvailable},
    {2, rma, [](Cells& x) {
         const double g = x[M] * x[G];
         const double N = (g + g) - Square(x[Vme]) * x[rme];
         if (Eq(N, 0)) return kError;
         x[rma] = ((g * x[rme]) + (g * x[rme])) / N;
         return kSolved;
     }},
    {2, Vme, [](Cells& x) {
         const double g = x[M] * x[G];
         const double P = x[rma] * x[rme];
         const double Q = x[rma] - x[rme];
         if (Le(P, 0) || Lt(Q, 0)) return kError;
         x[Vme] = (std::sqrt(g + g) * std::sqrt(Q)) / std::sqrt(P);
         return kSolved;
     }},

    // 3 "sin(Azm)=cos(Inc)/cos(Lat)": either azimuth gives both.
    {3, Az1, SolveAzimuths},
    {3, Az2, SolveAzimuths},
    {3, Inc, NotAvailable},
    {3, Lat, NotAvailable},
};
// clang-format on

}  // namespace

const DirectorySolvers kLaunchSolvers{LNC, kEntries};

}  // namespace kalvo
