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

// The equations, named by their first help line.
constexpr int kCutOffDistance = Equation(LNC, "rme=(-G*M*ap+rs*ap^2*rma+sqrt(G^2");
constexpr int kCutOffTime = Equation(LNC, "tme=sqrt(2*(rme-rs)/ap)");
constexpr int kCutOffSpeed = Equation(LNC, "Vme=sqrt(2*(G*M/rma-G*M/rme))");
constexpr int kAzimuths = Equation(LNC, "sin(Azm)=cos(Inc)/cos(Lat)");

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
    // The energy of the burn, ap (rme - rs), equals G M (1/rme - 1/rma).
    // rme is the larger root of ap rma rme^2 + (G M - ap rs rma) rme - G M rma = 0.
    {kCutOffDistance, rme, [](Cells& x) {
         const double P = (x[ap] * x[rs]) * x[rma];
         const double D = (Square(x[M]) * Square(x[G]) - 2 * ((P * x[M]) * x[G])) +
                          (Square(x[ap]) * Square(x[rs]) + 4 * ((x[ap] * x[M]) * x[G])) * Square(x[rma]);
         if (Lt(D, 0)) return kError;
         const double Q = (x[rma] * x[ap]) + (x[rma] * x[ap]);
         if (Eq(Q, 0)) return kError;
         x[rme] = -(((x[M] * x[G]) - P) - std::sqrt(D)) / Q;
         return kSolved;
     }},
    {kCutOffDistance, M, NotAvailable},
    {kCutOffDistance, ap, [](Cells& x) {
         if (Eq(x[rs] - x[rme], 0) || Eq(x[rma], 0) || Eq(x[rme], 0)) return kError;
         x[ap] = -(((1 / x[rme] - 1 / x[rma]) * x[M]) * x[G]) / (x[rs] - x[rme]);
         return kSolved;
     }},
    {kCutOffDistance, rs, NotAvailable},
    {kCutOffDistance, rma, [](Cells& x) {
         const double N = ((x[G] * x[M]) - Square(x[rme]) * x[ap]) + (x[rs] * x[rme]) * x[ap];
         if (Eq(N, 0)) return kError;
         x[rma] = ((x[rme] * x[G]) * x[M]) / N;
         return kSolved;
     }},

    {kCutOffTime, rme, [](Cells& x) { x[rme] = (Square(x[tme]) * x[ap]) * 0.5 + x[rs]; return kSolved; }},
    {kCutOffTime, ap, [](Cells& x) {
         if (Eq(Square(x[tme]), 0)) return kError;
         x[ap] = ((x[rme] - x[rs]) + (x[rme] - x[rs])) / Square(x[tme]);
         return kSolved;
     }},
    {kCutOffTime, rs, NotAvailable},
    {kCutOffTime, tme, [](Cells& x) {
         if (Eq(x[ap], 0)) return kError;
         const double q = ((x[rme] - x[rs]) + (x[rme] - x[rs])) / x[ap];
         if (Lt(q, 0)) return kError;
         x[tme] = std::sqrt(q);
         return kSolved;
     }},

    {kCutOffSpeed, rme, [](Cells& x) {
         const double g = x[M] * x[G];
         const double N = -(Square(x[Vme]) * x[rma]) - (g + g);
         if (Eq(N, 0)) return kError;
         x[rme] = ((g * x[rma]) * (-2)) / N;
         return kSolved;
     }},
    {kCutOffSpeed, M, NotAvailable},
    {kCutOffSpeed, rma, [](Cells& x) {
         const double g = x[M] * x[G];
         const double N = (g + g) - Square(x[Vme]) * x[rme];
         if (Eq(N, 0)) return kError;
         x[rma] = ((g * x[rme]) + (g * x[rme])) / N;
         return kSolved;
     }},
    {kCutOffSpeed, Vme, [](Cells& x) {
         const double g = x[M] * x[G];
         const double P = x[rma] * x[rme];
         const double Q = x[rma] - x[rme];
         if (Le(P, 0) || Lt(Q, 0)) return kError;
         x[Vme] = (std::sqrt(g + g) * std::sqrt(Q)) / std::sqrt(P);
         return kSolved;
     }},

    // Either azimuth gives both.
    {kAzimuths, Az1, SolveAzimuths},
    {kAzimuths, Az2, SolveAzimuths},
    {kAzimuths, Inc, NotAvailable},
    {kAzimuths, Lat, NotAvailable},
};
// clang-format on

}  // namespace

static_assert(EveryEntryLiesOnAList(LNC, kEntries), "LNC: a solver for a variable not on its equation\'s list");
static_assert(EveryListedVariableHasOneEntry(LNC, kEntries), "LNC: a listed variable with no solver, or with two");

constinit const SolverTable kLaunchSolvers = MakeSolverTable(LNC, kEntries);

}  // namespace kalvo
