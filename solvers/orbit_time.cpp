#include "solvers/orbit_time.h"

#include <array>
#include <cmath>

#include "solvers/conventions.h"

namespace kalvo {

namespace {

double Atanh(double y) { return 0.5 * std::log((1 + y) / (1 - y)); }

// Mean anomaly over (1 - e^2)^(3/2), counted from perigee over a whole period.
double EllipseTime(double e, double vr, double pi) {
    const double halfTurn = pi;
    const double fullTurn = pi + pi;
    if (Eq(vr, halfTurn)) return halfTurn / std::sqrt(Cube(1 - Square(e)));
    if (Eq(vr, fullTurn)) return fullTurn / std::sqrt(Cube(1 - Square(e)));
    const double x = Gt(vr, halfTurn) ? fullTurn - vr : vr;
    const double c = std::cos(x);
    const double s = std::sin(x);
    const double k = 1 + e * c;
    const double q = 1 - e * e;
    const double S = std::sqrt(Cube(q));
    const double w = std::sqrt((1 - e) / (1 + e));
    const double A = std::atan((c - 1) * w / s);
    const double tau = -(2 * A * k + e * s * std::sqrt(q)) / (k * S);
    return Le(vr, halfTurn) ? tau : fullTurn / S - tau;
}

// Barker's equation, D/2 + D^3/6 with D = tan(v/2), negative on the way out.
double ParabolaTime(double vr, double pi) {
    const double halfTurn = pi;
    const double fullTurn = pi + pi;
    if (Eq(vr, fullTurn)) return 0;
    if (Eq(vr, halfTurn)) return kUnreachableAnomaly;
    const double x = Gt(vr, halfTurn) ? fullTurn - vr : vr;
    const double D = std::tan(x * 0.5);
    const double tau = -(D / 2 + Cube(D) * kOneSixth);
    return Le(vr, halfTurn) ? tau : -tau;
}

// Hyperbolic mean anomaly over (e^2 - 1)^(3/2), negative on the way out.
double HyperbolaTime(double e, double vr, double pi) {
    const double halfTurn = pi;
    const double fullTurn = pi + pi;
    if (Eq(vr, fullTurn)) return 0;
    const double asymptote = std::acos(-1 / e);
    if (!Lt(vr, asymptote) && !Gt(vr, fullTurn - asymptote)) return kUnreachableAnomaly;
    const double x = Gt(vr, halfTurn) ? fullTurn - vr : vr;
    const double c = std::cos(x);
    const double s = std::sin(x);
    const double k = 1 + e * c;
    const double q = e * e - 1;
    const double w = std::sqrt((e - 1) / (e + 1));
    const double A = Atanh((c - 1) * w / s);
    const double tau = -(2 * A * k + e * s * std::sqrt(q)) / (k * std::sqrt(Cube(q)));
    return Le(vr, halfTurn) ? tau : -tau;
}

}  // namespace

double ScaledPerigeeTime(double e, double v, double pi) {
    const double vr = Radians(v, pi);
    if (Eq(vr, 0)) return 0;
    if (Lt(e, 1)) return EllipseTime(e, vr, pi);  // a NaN eccentricity lands here too
    if (Eq(e, 1)) return ParabolaTime(vr, pi);
    return HyperbolaTime(e, vr, pi);
}

double PerigeeTime(double e, double v, double p, double G, double M, double pi) {
    return ScaledPerigeeTime(e, v, pi) * p * p / std::sqrt(p * G * M);
}

// Truncating |x| / x to an int, as the sign was once taken, is undefined for an
// infinite x; the comparison gives the same +1 / -1 for every other value.
int SignOf(double x) { return x < 0 ? -1 : 1; }

double AnomalyFromScaledTime(double e, double tau, double pi) { return SearchAnomaly(e, tau, pi).anomaly; }

AnomalySearch SearchAnomaly(double e, double tau, double pi) {
    const bool open = Ge(e, 1);
    // An open orbit is searched on its outgoing branch, up to the asymptote; an
    // incoming time is the mirror image of an outgoing one.
    const double range = open ? Degrees(std::acos(-1 / e), pi) : 360.0;
    const double target = open && Gt(tau, 0) ? -tau : tau;
    int evaluations = 0;
    const auto offset = [&](double v) {
        ++evaluations;
        return ScaledPerigeeTime(e, v, pi) - target;
    };

    struct Point {
        double v;
        double f;
    };
    std::array<Point, kAnomalyTablePoints> table;
    for (int i = 0; i < kAnomalyTablePoints; ++i) {
        const double v = i * range * kOneOver180;
        table[i] = {v, offset(v)};
    }

    double anomaly = range;
    for (int i = 0; i + 1 < kAnomalyTablePoints; ++i) {
        if (SignOf(table[i + 1].f) == SignOf(table[i].f)) continue;
        // False position inside the first bracket.
        Point low = table[i];
        Point high = table[i + 1];
        for (int step = 0; step < kMaxBracketSteps; ++step) {
            const double v = low.v - (high.v - low.v) * low.f / (high.f - low.f);
            const Point next{v, offset(v)};
            anomaly = v;
            if (Le(std::fabs(next.f), kScaledTimeTolerance)) break;
            (SignOf(next.f) == SignOf(low.f) ? low : high) = next;
        }
        break;
    }
    return {open && Gt(tau, 0) ? 360 - anomaly : anomaly, evaluations};
}

}  // namespace kalvo
