#include "sim/world/kepler.h"

#include <cmath>
#include <numbers>

namespace sim {

namespace {

// Stumpff's functions C(z) = (1 - cos sqrt z) / z and S(z) = (sqrt z - sin sqrt z) / sqrt z^3,
// continued to negative z through cosh and sinh. Near 0 their series avoids the
// cancellation of the closed forms.
struct Stumpff {
    double c, s;
};

Stumpff StumpffOf(double z) {
    if (z > 0.1) {
        const double w = std::sqrt(z);
        return {(1 - std::cos(w)) / z, (w - std::sin(w)) / (w * z)};
    }
    if (z < -0.1) {
        const double w = std::sqrt(-z);
        return {(std::cosh(w) - 1) / -z, (std::sinh(w) - w) / (w * -z)};
    }
    // C = sum (-z)^k / (2k+2)!, S = sum (-z)^k / (2k+3)!; eight terms reach far below
    // rounding for |z| <= 0.1.
    double c = 0.5, s = 1.0 / 6.0, cTerm = c, sTerm = s;
    for (int k = 1; k <= 8; ++k) {
        cTerm *= -z / ((2 * k + 1) * (2 * k + 2));
        sTerm *= -z / ((2 * k + 2) * (2 * k + 3));
        c += cTerm;
        s += sTerm;
    }
    return {c, s};
}

}  // namespace

State StateOnConic(const Conic& orbit, double mu) {
    const double e = orbit.eccentricity;
    const double p = orbit.periapsis * (1 + e);
    const double cosV = std::cos(orbit.trueAnomaly), sinV = std::sin(orbit.trueAnomaly);
    const double r = p / (1 + e * cosV);
    const double speed = std::sqrt(mu / p);
    // In the orbit's own plane, x towards periapsis.
    const Vec3 position{r * cosV, r * sinV, 0};
    const Vec3 velocity{-speed * sinV, speed * (e + cosV), 0};

    const double cosO = std::cos(orbit.ascendingNode), sinO = std::sin(orbit.ascendingNode);
    const double cosW = std::cos(orbit.argumentOfPeriapsis), sinW = std::sin(orbit.argumentOfPeriapsis);
    const double cosI = std::cos(orbit.inclination), sinI = std::sin(orbit.inclination);
    // Turned by the argument of periapsis, tilted by the inclination, then turned by
    // the ascending node.
    const Vec3 towardsPeriapsis{cosO * cosW - sinO * sinW * cosI, sinO * cosW + cosO * sinW * cosI, sinW * sinI};
    const Vec3 alongOrbit{-cosO * sinW - sinO * cosW * cosI, -sinO * sinW + cosO * cosW * cosI, cosW * sinI};
    return {position.x * towardsPeriapsis + position.y * alongOrbit,
            velocity.x * towardsPeriapsis + velocity.y * alongOrbit};
}

State PropagateKepler(const State& start, double mu, double seconds) {
    const Vec3& r0v = start.position;
    const Vec3& v0v = start.velocity;
    const double r0 = Length(r0v);
    if (!(mu > 0) || r0 == 0) return {r0v + v0v * seconds, v0v};

    const double sqrtMu = std::sqrt(mu);
    const double radialTerm = Dot(r0v, v0v) / sqrtMu;  // r0 vr0 / sqrt(mu)
    const double alpha = 2 / r0 - Dot(v0v, v0v) / mu;  // 1 / semi-major axis
    if (alpha > 0) {
        // Whole revolutions of an ellipse change nothing: leaving them out keeps the
        // anomaly within one turn, however many turns the time holds.
        seconds = std::fmod(seconds, 2 * std::numbers::pi / (sqrtMu * alpha * std::sqrt(alpha)));
    }

    // Kepler's equation in the universal anomaly chi, solved by Laguerre's method,
    // which converges from any start whose hyperbolic functions stay finite.
    double chi = alpha > 0 ? sqrtMu * alpha * seconds : sqrtMu * seconds / r0;
    if (alpha * chi * chi < -1) {
        // Far along a hyperbola the straight-line guess overshoots by far (on a fast
        // pass near the centre, beyond what cosh can hold): start instead from the
        // logarithm that the hyperbolic anomaly grows like.
        const double a = 1 / alpha;
        const double sign = seconds < 0 ? -1 : 1;
        const double growth =
            -2 * mu * alpha * seconds / (Dot(r0v, v0v) + sign * std::sqrt(-mu * a) * (1 - r0 * alpha));
        const double guess = sign * std::sqrt(-a) * std::log(growth);
        if (std::isfinite(guess)) chi = guess;
    }
    constexpr double kOrder = 5;
    for (int iteration = 0; iteration < 60; ++iteration) {
        const double z = alpha * chi * chi;
        const auto [c, s] = StumpffOf(z);
        const double f =
            radialTerm * chi * chi * c + (1 - alpha * r0) * chi * chi * chi * s + r0 * chi - sqrtMu * seconds;
        const double df = radialTerm * chi * (1 - z * s) + (1 - alpha * r0) * chi * chi * c + r0;
        const double ddf = radialTerm * (1 - z * c) + (1 - alpha * r0) * chi * (1 - z * s);
        const double root =
            std::sqrt(std::fabs((kOrder - 1) * (kOrder - 1) * df * df - kOrder * (kOrder - 1) * f * ddf));
        const double step = kOrder * f / (df + std::copysign(root, df));
        chi -= step;
        if (!(std::fabs(step) > 4e-16 * std::fabs(chi))) break;
    }

    // Lagrange's coefficients carry the start state along the orbit.
    const double z = alpha * chi * chi;
    const auto [c, s] = StumpffOf(z);
    const double f = 1 - chi * chi / r0 * c;
    const double g = seconds - chi * chi * chi / sqrtMu * s;
    const Vec3 position = f * r0v + g * v0v;
    const double r = Length(position);
    const double fDot = sqrtMu / (r * r0) * (z * s - 1) * chi;
    const double gDot = 1 - chi * chi / r * c;
    return {position, fDot * r0v + gDot * v0v};
}

Horizon LocalHorizon(const Vec3& position) {
    const double distance = Length(position);
    const Vec3 up = distance == 0 ? Vec3{0, 0, 1} : position * (1 / distance);
    Vec3 east = Cross({0, 0, 1}, up);
    const double eastLength = Length(east);
    east = eastLength == 0 ? Vec3{1, 0, 0} : east * (1 / eastLength);
    return {east, up, Cross(up, east)};
}

}  // namespace sim
