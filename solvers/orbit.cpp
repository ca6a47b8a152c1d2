// ORB: the conic orbit about a central mass M, from distance, semi-latus,
// eccentricity and anomaly to velocities, energy, apsides and times.
#include "solvers/conventions.h"
#include "solvers/orbit_time.h"

namespace kalvo {

namespace {

constexpr int r = Var(ORB, "r");
constexpr int p = Var(ORB, "p");
constexpr int e = Var(ORB, "e");
constexpr int v = Var(ORB, "v");
constexpr int Vt = Var(ORB, "Vt");
constexpr int Vr = Var(ORB, "Vr");
constexpr int V = Var(ORB, "V");
constexpr int G = Var(ORB, "G");
constexpr int M = Var(ORB, "M");
constexpr int E = Var(ORB, "E");
constexpr int ra = Var(ORB, "ra");
constexpr int rp = Var(ORB, "rp");
constexpr int t = Var(ORB, "t");

// The equations, named by their first help line.
constexpr int kConic = Equation(ORB, "r=p/(1+e*cos(v))");
constexpr int kTangentialSpeed = Equation(ORB, "Vt=sqrt(p*G*M)/r");
constexpr int kRadialSpeed = Equation(ORB, "Vr=e*sqrt(G*M/p)*sin(v)");
constexpr int kEccentricityFromSpeeds = Equation(ORB, "e=sqrt(Vr^2*p/(G*M)");
constexpr int kTotalSpeed = Equation(ORB, "V=sqrt(Vt^2+Vr^2)");
constexpr int kEnergy = Equation(ORB, "E=G*M/p*((1+e^2)/2-1)");
constexpr int kEccentricityFromApsides = Equation(ORB, "e=(ra-rp)/(rp+ra)");
constexpr int kSemiLatus = Equation(ORB, "p=rp(1+e)");
constexpr int kEccentricityFromApogee = Equation(ORB, "e=(ra/r-1)/(cos(v)+ra/r)");
constexpr int kTimeFromPerigee = Equation(ORB, "t=(2*atanh(sqrt(e-1)*(cos(v)-1)/sin(v)");
constexpr int kPeriod = Equation(ORB, "t=2*pi()*sqrt(((ra+rp)/2)^3/(G*M))");

double GM(Cells& x) { return x[M] * x[G]; }
double CosV(Cells& x) { return std::cos(Radians(x[v], x.pi)); }
double SinV(Cells& x) { return std::sin(Radians(x[v], x.pi)); }

// The cube root as the page takes it, through the logarithm: 0 gives 0, a
// negative argument NaN.
double CubeRoot(double x) { return std::exp(std::log(x) * kOneThird); }

// Whether a conic reaches anomaly v: an ellipse every anomaly, a parabola all but
// 180 degrees, a hyperbola those short of its asymptotes.
bool Reachable(Cells& x) {
    if (Lt(x[e], 1)) return true;
    if (Eq(x[v], 180.0)) return false;
    const double vr = Radians(x[v], x.pi);
    const double asymptote = std::acos(-1 / x[e]);
    return Lt(vr, asymptote) || Gt(vr, 2 * x.pi - asymptote);
}

// The domain of the time kernel: e >= 0, 0 <= v <= 360, and a positive mass.
bool InTimeRange(Cells& x) { return !(Lt(x[e], 0) || Lt(x[v], 0) || Gt(x[v], 360) || Le(x[M], 0)); }

// ((ra + rp) / 2)^3 from the period t by Kepler's third law.
double CubedSemiMajorAxis(Cells& x) { return Square(x[t]) * 0.25 / x.pi / x.pi * x[M] * x[G]; }

// clang-format off
constexpr SolverEntry kEntries[] = {
    {kConic, r, [](Cells& x) {
         const double d = 1 + x[e] * CosV(x);
         if (Le(d, 0)) return kError;
         x[r] = x[p] / d;
         return kSolved;
     }},
    {kConic, p, [](Cells& x) { x[p] = x[r] * (1 + x[e] * CosV(x)); return kSolved; }},
    {kConic, e, [](Cells& x) {
         const double cosV = CosV(x);
         if (Eq(cosV, 0)) return kError;
         x[e] = (x[p] / x[r] - 1) / cosV;
         return kSolved;
     }},
    {kConic, v, [](Cells& x) {
         if (Eq(x[r] * x[e], 0)) return kError;
         const double cosV = (x[p] / x[r] - 1) / x[e];
         if (Gt(cosV, 1) || Lt(cosV, -1)) return kError;
         x[v] = Degrees(std::acos(cosV), x.pi);
         return kSolved;
     }},

    {kTangentialSpeed, r, [](Cells& x) {
         if (Eq(x[Vt], 0) || Lt(GM(x) * x[p], 0)) return kError;
         x[r] = std::sqrt(GM(x) * x[p]) / x[Vt];
         return kSolved;
     }},
    {kTangentialSpeed, p, [](Cells& x) {
         if (Eq(x[M], 0)) return kError;
         x[p] = Square(x[r]) * Square(x[Vt]) / x[G] / x[M];
         return kSolved;
     }},
    {kTangentialSpeed, Vt, [](Cells& x) {
         if (Eq(x[r], 0) || Lt(GM(x) * x[p], 0)) return kError;
         x[Vt] = std::sqrt(GM(x) * x[p]) / x[r];
         return kSolved;
     }},
    {kTangentialSpeed, M, NotAvailable},

    {kRadialSpeed, p, [](Cells& x) {
         if (Eq(Square(x[Vr]), 0)) return kError;
         x[p] = Square(SinV(x)) * Square(x[e]) * GM(x) / Square(x[Vr]);
         return kSolved;
     }},
    {kRadialSpeed, e, [](Cells& x) {
         if (Eq(x[p], 0) || Le(GM(x) * x[p], 0)) return kError;
         const double sinV = SinV(x);
         if (Eq(sinV, 0)) return kError;
         x[e] = x[Vr] / std::sqrt(GM(x) / x[p]) / sinV;
         return kSolved;
     }},
    {kRadialSpeed, v, [](Cells& x) {
         if (Eq(x[p], 0) || Le(GM(x) * x[p], 0) || Eq(x[e], 0)) return kError;
         const double sinV = x[Vr] / (x[e] * std::sqrt(GM(x) / x[p]));
         if (Gt(sinV, 1) || Lt(sinV, -1)) return kError;
         x[v] = Degrees(std::asin(sinV), x.pi);
         return kSolved;
     }},
    {kRadialSpeed, Vr, [](Cells& x) {
         if (Eq(x[p], 0) || Le(GM(x) * x[p], 0)) return kError;
         x[Vr] = x[e] * std::sqrt(GM(x) / x[p]) * SinV(x);
         return kSolved;
     }},
    {kRadialSpeed, M, NotAvailable},

    {kEccentricityFromSpeeds, r, [](Cells& x) {
         const double q = Square(x[e]) - Square(x[Vr]) * x[p] / GM(x);
         if (Eq(GM(x), 0) || Lt(q, 0)) return kError;
         x[r] = x[p] / (1 + std::sqrt(q));
         return kSolved;
     }},
    {kEccentricityFromSpeeds, p, [](Cells& x) {
         const double B = Square(x[Vr]) / GM(x) - 2 / x[r];
         const double D = Square(B) - (1 - Square(x[e])) * 4 / Square(x[r]);
         if (Eq(GM(x) * x[r], 0) || Lt(D, 0)) return kError;
         x[p] = 0.5 * Square(x[r]) * (-std::sqrt(D) - B);
         return kSolved;
     }},
    {kEccentricityFromSpeeds, e, [](Cells& x) {
         const double q = Square(x[Vr]) * x[p] / GM(x) + Square(x[p] / x[r]) - 2 * x[p] / x[r] + 1;
         if (Eq(GM(x) * x[r], 0) || Lt(q, 0)) return kError;
         x[e] = std::sqrt(q);
         return kSolved;
     }},
    {kEccentricityFromSpeeds, Vr, [](Cells& x) {
         const double N = (Square(x[e]) - Square(x[p] / x[r] - 1)) * GM(x);
         if (Lt(N, 0) || Eq(x[p], 0)) return kError;
         x[Vr] = std::sqrt(N / x[p]);
         return kSolved;
     }},
    {kEccentricityFromSpeeds, M, NotAvailable},

    {kTotalSpeed, Vt, [](Cells& x) {
         const double q = Square(x[V]) - Square(x[Vr]);
         if (Lt(q, 0)) return kError;
         x[Vt] = std::sqrt(q);
         return kSolved;
     }},
    {kTotalSpeed, Vr, [](Cells& x) {
         const double q = Square(x[V]) - Square(x[Vt]);
         if (Lt(q, 0)) return kError;
         x[Vr] = std::sqrt(q);
         return kSolved;
     }},
    {kTotalSpeed, V, [](Cells& x) {
         const double q = Square(x[Vt]) + Square(x[Vr]);
         if (Lt(q, 0)) return kError;  // only a NaN operand
         x[V] = std::sqrt(q);
         return kSolved;
     }},

    {kEnergy, p, [](Cells& x) {
         if (Eq(x[E], 0)) return kError;
         x[p] = ((Square(x[e]) + 1) * 0.5 - 1) * (GM(x) / x[E]);
         return kSolved;
     }},
    {kEnergy, e, [](Cells& x) {
         const double q = 1 + 2 * x[E] * x[p] / GM(x);
         if (Eq(GM(x), 0) || Lt(q, 0)) return kError;
         x[e] = std::sqrt(q);
         return kSolved;
     }},
    {kEnergy, M, NotAvailable},
    {kEnergy, E, [](Cells& x) {
         if (Eq(x[p], 0)) return kError;
         x[E] = ((Square(x[e]) + 1) * 0.5 - 1) * (GM(x) / x[p]);
         return kSolved;
     }},

    // The reciprocal forms make e = 0 an error, even for a circle.
    {kEccentricityFromApsides, e, [](Cells& x) {
         if (Eq(x[rp] + x[ra], 0)) return kError;
         x[e] = (x[ra] - x[rp]) / (x[rp] + x[ra]);
         return kSolved;
     }},
    {kEccentricityFromApsides, ra, [](Cells& x) {
         if (Eq(x[e], 0) || Eq(1 - 1 / x[e], 0)) return kError;
         x[ra] = -x[rp] * (1 / x[e] + 1) / (1 - 1 / x[e]);
         return kSolved;
     }},
    {kEccentricityFromApsides, rp, [](Cells& x) {
         if (Eq(x[e], 0) || Eq(-1 / x[e] - 1, 0)) return kError;
         x[rp] = x[ra] * (1 - 1 / x[e]) / (-1 / x[e] - 1);
         return kSolved;
     }},

    {kSemiLatus, p, [](Cells& x) { x[p] = (x[e] + 1) * x[rp]; return kSolved; }},
    {kSemiLatus, e, [](Cells& x) {
         if (Eq(x[rp], 0)) return kError;
         x[e] = x[p] / x[rp] - 1;
         return kSolved;
     }},
    {kSemiLatus, rp, [](Cells& x) {
         if (Eq(1 + x[e], 0)) return kError;
         x[rp] = x[p] / (1 + x[e]);
         return kSolved;
     }},

    {kEccentricityFromApogee, r, [](Cells& x) {
         const double d = 1 + x[e] * CosV(x);
         if (Eq(d, 0)) return kError;
         x[r] = (1 - x[e]) * x[ra] / d;
         return kSolved;
     }},
    {kEccentricityFromApogee, e, [](Cells& x) {
         const double q = x[ra] / x[r];
         const double d = CosV(x) + q;
         if (Eq(d, 0)) return kError;
         x[e] = (q - 1) / d;
         return kSolved;
     }},
    {kEccentricityFromApogee, v, [](Cells& x) {
         const double cosV = ((x[ra] / x[r]) * (1 - x[e]) - 1) / x[e];
         if (Eq(x[e] * x[r], 0) || Gt(cosV, 1) || Lt(cosV, -1)) return kError;
         x[v] = Degrees(std::acos(cosV), x.pi);
         return kSolved;
     }},
    {kEccentricityFromApogee, ra, [](Cells& x) {
         if (Eq(1 - x[e], 0)) return kError;
         x[ra] = x[r] * (1 + x[e] * CosV(x)) / (1 - x[e]);
         return kSolved;
     }},

    {kTimeFromPerigee, p, [](Cells& x) {
         if (!Reachable(x) || !InTimeRange(x)) return kError;
         const double tau = ScaledPerigeeTime(x[e], x[v], x.pi);
         if (Eq(tau, 0)) return kError;
         x[p] = CubeRoot(Square(std::sqrt(x[G] * x[M]) * std::fabs(x[t]) / tau));
         return kSolved;
     }},
    // No formula for e; the range test still decides between "no formula" and an error.
    {kTimeFromPerigee, e, [](Cells& x) {
         if (Lt(x[p], 0) || Lt(x[v], 0) || Gt(x[v], 180) || Le(x[M], 0)) return kError;
         return kNotAvailable;
     }},
    {kTimeFromPerigee, v, [](Cells& x) {
         if (Lt(x[e], 0) || Le(x[p], 0) || Le(x[M], 0)) return kError;
         // An ellipse cannot take longer than one period; a negative time passes.
         if (Lt(x[e], 1)) {
             const double period =
                 2 * x.pi * x[p] * x[p] / std::sqrt(Cube(1 - Square(x[e]))) / std::sqrt(x[G] * x[M] * x[p]);
             if (Lt(period, x[t])) return kError;
         }
         const double tau = x[t] / (x[p] * x[p] / std::sqrt(x[G] * x[M] * x[p]));
         x[v] = AnomalyFromScaledTime(x[e], tau, x.pi);
         return kSolved;
     }},
    {kTimeFromPerigee, M, NotAvailable},
    {kTimeFromPerigee, t, [](Cells& x) {
         if (!Reachable(x) || !InTimeRange(x) || Le(x[p], 0)) return kError;
         x[t] = PerigeeTime(x[e], x[v], x[p], x[G], x[M], x.pi);
         return kSolved;
     }},

    {kPeriod, M, NotAvailable},
    {kPeriod, ra, [](Cells& x) {
         const double cubedSemiMajorAxis = CubedSemiMajorAxis(x);
         if (Lt(cubedSemiMajorAxis, 0)) return kError;
         x[ra] = 2 * CubeRoot(cubedSemiMajorAxis) - x[rp];
         return kSolved;
     }},
    {kPeriod, rp, [](Cells& x) {
         const double cubedSemiMajorAxis = CubedSemiMajorAxis(x);
         if (Lt(cubedSemiMajorAxis, 0)) return kError;
         x[rp] = 2 * CubeRoot(cubedSemiMajorAxis) - x[ra];
         return kSolved;
     }},
    {kPeriod, t, [](Cells& x) {
         if (Le(x[rp], 0)) return kError;  // ra, G and M are not tested
         x[t] = 2 * x.pi * std::sqrt(Cube((x[ra] + x[rp]) * 0.5) / x[G] / x[M]);
         return kSolved;
     }},
};
// clang-format on

}  // namespace

static_assert(EveryEntryLiesOnAList(ORB, kEntries), "ORB: a solver for a variable not on its equation\'s list");
static_assert(EveryListedVariableHasOneEntry(ORB, kEntries), "ORB: a listed variable with no solver, or with two");

constinit const SolverTable kOrbitSolvers = MakeSolverTable(ORB, kEntries);

}  // namespace kalvo
