// The time-from-perigee kernel, its numerical inverse, and ORB equations 9 and 10.
#include "solvers/orbit_time.h"

#include <cmath>

#include "tests/support/solver_harness.h"

namespace kalvo {
namespace {

using test::Near;

constexpr double pi = 3.1415926;  // the page's short pi, written out
constexpr double kEarthMass = 5.9736e24;

// Scaled time by the textbook route, for 0 <= v <= 180: the mean anomaly
// E - e sin E over (1 - e^2)^1.5 for an ellipse, -(D/2 + D^3/6) with
// D = tan(v/2) for the parabola, and minus the hyperbolic mean anomaly
// e sinh F - F over (e^2 - 1)^1.5 for a hyperbola.
double OutgoingTime(double e, double v) {
    const double half = Radians(v, pi) / 2;
    if (e < 1) {
        const double E = 2 * std::atan(std::sqrt((1 - e) / (1 + e)) * std::tan(half));
        return (E - e * std::sin(E)) / std::pow(1 - e * e, 1.5);
    }
    if (e == 1) return -(std::tan(half) / 2 + std::pow(std::tan(half), 3) / 6);
    const double F = 2 * std::atanh(std::sqrt((e - 1) / (e + 1)) * std::tan(half));
    return -(e * std::sinh(F) - F) / std::pow(e * e - 1, 1.5);
}

// Past 180 degrees the time mirrors the way out: an ellipse completes its period,
// an open orbit's time changes sign.
double TextbookTime(double e, double v) {
    if (v <= 180) return OutgoingTime(e, v);
    const double out = OutgoingTime(e, 360 - v);
    return e < 1 ? 2 * pi / std::pow(1 - e * e, 1.5) - out : -out;
}

double AsymptoteDegrees(double e) { return e > 1 ? std::acos(-1 / e) * 180 / pi : 180; }

// d(tau)/dv per degree: the scaled form of r^2 dv = h dt, 1 / (1 + e cos v)^2.
double Slope(double e, double v) { return pi / 180 / std::pow(1 + e * std::cos(Radians(v, pi)), 2); }

const double kEccentricities[] = {0, 0.1, 0.3, 0.5, 0.7, 0.9, 0.95, 1, 1.2, 2, 5};

TEST(OrbitTime, KernelEdgesAndFigures) {
    // clang-format off
    const struct { double e, v, expected, relative; } cases[] = {
        {0.5, 0, 0, 0}, {2, 0, 0, 0},      // perigee
        {1, 360, 0, 0}, {2, 360, 0, 0},    // back at perigee on an open orbit
        {1, 180, kUnreachableAnomaly, 0},  // a parabola never reaches apogee
        {2, 150, kUnreachableAnomaly, 0}, {2, 200, kUnreachableAnomaly, 0},  // past the asymptote at 120 degrees
        {0.5, 180, pi / std::pow(0.75, 1.5), 1e-15}, {0.5, 360, 2 * pi / std::pow(0.75, 1.5), 1e-15},  // half and whole period
        // Rounded by hand: the circle (pi/2), the parabola (-2/3 with the short pi's trace).
        {0, 90, 1.5707963, 1e-15}, {1, 90, -0.6666666, 1e-7}, {1, 270, 0.6666666, 1e-7},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_TRUE(Near(ScaledPerigeeTime(c.e, c.v, pi), c.expected, c.relative)) << "e " << c.e << " v " << c.v;
    const std::pair<double, int> signs[] = {{-0.0, 1}, {NAN, 1}, {-INFINITY, -1}, {-1e-310, -1}, {2.5, 1}};
    for (const auto& [x, sign] : signs) EXPECT_EQ(SignOf(x), sign) << x;
}

// The kernel against the textbook (up to a degree short of an asymptote), then the
// anomaly back from its time, within the search's tolerance over the slope.
void ExpectRoundTrip(double e, double v) {
    SCOPED_TRACE(::testing::Message() << "e " << e << " v " << v);
    const double tau = ScaledPerigeeTime(e, v, pi);
    if ((v <= 180 ? v : 360 - v) < AsymptoteDegrees(e) - 1) {
        EXPECT_TRUE(Near(tau, TextbookTime(e, v), 1e-11));
    }
    const double back = AnomalyFromScaledTime(e, tau, pi);
    EXPECT_LE(std::fabs(ScaledPerigeeTime(e, back, pi) - tau), kScaledTimeTolerance);
    EXPECT_LE(std::fabs(back - v), 1.1 * kScaledTimeTolerance / Slope(e, v));
}

TEST(OrbitTime, KernelFollowsTheTextbookAndItsTimeGivesTheAnomalyBack) {
    for (const double e : kEccentricities) {
        if (e < 1) {
            for (double v = 5; v < 360; v += 10) ExpectRoundTrip(e, v);
            continue;
        }
        // Both branches, out to the last table step before the asymptote.
        for (const double share : {0.02, 0.1, 0.3, 0.5, 0.7, 0.9, 0.95, 0.99}) {
            ExpectRoundTrip(e, share * AsymptoteDegrees(e));
            ExpectRoundTrip(e, 360 - share * AsymptoteDegrees(e));
        }
    }
}

// clang-format off
const test::SolveCase kTimeCases[] = {
    // Worked by hand with p = 1e7 and the Earth's mass, t = tau p^2 / sqrt(p G M); the
    // hyperbola's on its incoming branch. A time goes as 1/sqrt(M), even below a kilogram.
    {ORB, 9, "t", {{"p", 1e7}, {"e", 0.5}, {"v", 270}, {"M", kEarthMass}}, kSolved, 13824.495797150617, 1e-13},
    {ORB, 9, "t", {{"p", 1e7}, {"e", 0.5}, {"v", 270}, {"M", 0.5}}, kSolved, 13824.495797150617 * std::sqrt(kEarthMass / 0.5), 1e-12},
    // The period of apsides half a metre out.
    {ORB, 10, "t", {{"ra", 0.5}, {"rp", 0.5}, {"M", kEarthMass}}, kSolved, 2 * 3.1415926 * std::sqrt(0.125 / (6.67259e-11 * kEarthMass)), 1e-14},
    {ORB, 9, "t", {{"p", 1e7}, {"e", 2}, {"v", 300}, {"M", kEarthMass}}, kSolved, 245.95017565260534, 1e-13},
    {ORB, 9, "v", {{"p", 1e7}, {"e", 2}, {"t", 245.95017565260534}, {"M", kEarthMass}}, kSolved, 300, 1e-9},
    {ORB, 9, "p", {{"e", 0.5}, {"v", 90}, {"t", 0}, {"M", kEarthMass}}, kSolved, 0},  // the cube root of 0 through ln
    // An ellipse: no time before perigee, none beyond one period (about 15322 s).
    {ORB, 9, "v", {{"p", 1e7}, {"e", 0.5}, {"t", 0}, {"M", kEarthMass}}, kSolved, 360, 0},
    {ORB, 9, "v", {{"p", 1e7}, {"e", 0.5}, {"t", 16000}, {"M", kEarthMass}}, kError},
    {ORB, 9, "v", {{"p", 1e7}, {"e", 2}, {"t", 0}, {"M", kEarthMass}}, kSolved, 0, 0},
    {ORB, 9, "v", {{"p", 1e7}, {"e", -0.1}, {"t", 100}, {"M", kEarthMass}}, kError},
    {ORB, 9, "v", {{"p", 0}, {"e", 0.5}, {"t", 100}, {"M", kEarthMass}}, kError},
    {ORB, 9, "v", {{"p", 1e7}, {"e", 0.5}, {"t", 100}, {"M", 0}}, kError},
    // Anomalies the orbit never reaches, and the range of the kernel.
    {ORB, 9, "t", {{"p", 1e7}, {"e", 1}, {"v", 180}, {"M", kEarthMass}}, kError},
    {ORB, 9, "t", {{"p", 1e7}, {"e", 2}, {"v", 150}, {"M", kEarthMass}}, kError},
    {ORB, 9, "p", {{"t", 100}, {"e", 2}, {"v", 150}, {"M", kEarthMass}}, kError},
    {ORB, 9, "p", {{"t", 100}, {"e", 0.5}, {"v", 0}, {"M", kEarthMass}}, kError},  // tau = 0
    {ORB, 9, "t", {{"p", 1e7}, {"e", -0.5}, {"v", 90}, {"M", kEarthMass}}, kError},
    {ORB, 9, "t", {{"p", 1e7}, {"e", 0.5}, {"v", -1}, {"M", kEarthMass}}, kError},
    {ORB, 9, "t", {{"p", 1e7}, {"e", 0.5}, {"v", 361}, {"M", kEarthMass}}, kError},
    {ORB, 9, "t", {{"p", 1e7}, {"e", 0.5}, {"v", 90}, {"M", 0}}, kError},
    {ORB, 9, "t", {{"p", 0}, {"e", 0.5}, {"v", 90}, {"M", kEarthMass}}, kError},
    // e has no formula; outside the range the answer is an error instead.
    {ORB, 9, "e", {{"p", 1e7}, {"v", 90}, {"t", 100}, {"M", 6e24}}, kNotAvailable},
    {ORB, 9, "e", {{"p", 1e7}, {"v", 0.5}, {"t", 100}, {"M", 6e24}}, kNotAvailable},
    {ORB, 9, "e", {{"p", 1e7}, {"v", 200}, {"t", 100}, {"M", 6e24}}, kError},
    {ORB, 9, "e", {{"p", 1e7}, {"v", 90}, {"t", 100}, {"M", 0}}, kError},
    {ORB, 10, "ra", {{"t", 0}, {"rp", 1e7}, {"M", kEarthMass}}, kSolved, -1e7, 0},  // a = 0
    {ORB, 10, "ra", {{"t", 9952}, {"rp", 1e7}, {"M", -kEarthMass}}, kError},
    {ORB, 10, "rp", {{"t", NAN}, {"ra", 1e7}, {"M", kEarthMass}}, kError},
    {ORB, 10, "t", {{"ra", 1e7}, {"rp", 0}, {"M", kEarthMass}}, kError},
};
// clang-format on

TEST(OrbitTimeSolvers, TimesAnomaliesAndPeriods) { test::ExpectCases(kTimeCases); }

// A hyperbola at a time far beyond its reach never converges: the search gives up
// after 10000 bracket updates, besides the 181 kernel evaluations of its table.
TEST(AnomalySearch, GivesUpAfterItsLastBracketUpdate) {
    EXPECT_EQ(SearchAnomaly(2, -1e6, pi).kernelEvaluations, 181 + 10000);
}

}  // namespace
}  // namespace kalvo
