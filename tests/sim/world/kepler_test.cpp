// Two-body mechanics of the stand-in world against the textbook relations of conics.
#include "sim/world/kepler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/support/solver_harness.h"
#include "tests/support/vector_near.h"

namespace {

using kalvo::test::Near;
using kalvo::test::NearVector;
using sim::Conic;
using sim::State;
using sim::Vec3;

constexpr double kMu = 6.67259e-11 * 5.9736e24;  // the Earth's, m^3/s^2
constexpr double kPi = std::numbers::pi;

const struct {
    const char* what;
    Conic orbit;
} kOrbits[] = {
    {"circle", {7e6, 0, 0, 0, 0, 0.3}},
    {"inclined ellipse", {6.671e6, 0.2, 28.5 * kPi / 180, 1.0, 2.0, 2.5}},
    {"retrograde ellipse", {8e6, 0.6, 150 * kPi / 180, 4.0, 0.5, -1.0}},
    {"parabola", {7e6, 1, 0.3, 0.2, 0.1, kPi / 2}},
    {"hyperbola", {7e6, 2, 0.5, 0, 1.0, -kPi / 3}},
};

// The conic equation r = p / (1 + e cos v), vis-viva v^2 = mu (2/r - (1 - e^2)/p),
// angular momentum sqrt(mu p) about an axis tilted by the inclination, and the
// radial speed sqrt(mu/p) e sin v.
TEST(StateOnConic, KeepsTheConicRelations) {
    for (const auto& [what, orbit] : kOrbits) {
        SCOPED_TRACE(what);
        const State s = sim::StateOnConic(orbit, kMu);
        const double e = orbit.eccentricity, v = orbit.trueAnomaly;
        const double p = orbit.periapsis * (1 + e);
        const double r = Length(s.position);
        EXPECT_TRUE(Near(r, p / (1 + e * std::cos(v)), 1e-14));
        EXPECT_TRUE(Near(Dot(s.velocity, s.velocity), kMu * (2 / r - (1 - e * e) / p), 1e-14));
        const Vec3 h = Cross(s.position, s.velocity);
        EXPECT_TRUE(Near(Length(h), std::sqrt(kMu * p), 1e-14));
        EXPECT_TRUE(Near(h.z / Length(h), std::cos(orbit.inclination), 1e-14));
        EXPECT_NEAR(Dot(s.position, s.velocity) / r, std::sqrt(kMu / p) * e * std::sin(v), 1e-9);
        // Height above the equator: r sin(argument of periapsis + anomaly) sin(inclination).
        EXPECT_NEAR(s.position.z, r * std::sin(orbit.argumentOfPeriapsis + v) * std::sin(orbit.inclination), 1e-7);
    }
}

TEST(PropagateKepler, KeepsEnergyAndAngularMomentumOnEveryConic) {
    for (const auto& [what, orbit] : kOrbits) {
        SCOPED_TRACE(what);
        const State start = sim::StateOnConic(orbit, kMu);
        for (const double seconds : {-3000.0, 1.0, 60.0, 3000.0, 1e5}) {
            const State s = sim::PropagateKepler(start, kMu, seconds);
            const auto energy = [](const State& x) {
                return Dot(x.velocity, x.velocity) / 2 - kMu / Length(x.position);
            };
            // A parabola's energy is 0: compare it against the kinetic energy instead.
            EXPECT_NEAR(energy(s), energy(start), 1e-12 * Dot(start.velocity, start.velocity)) << seconds;
            EXPECT_TRUE(NearVector(Cross(s.position, s.velocity), Cross(start.position, start.velocity), 1e-12))
                << seconds;
            // And back again to where it started.
            EXPECT_TRUE(NearVector(sim::PropagateKepler(s, kMu, -seconds).position, start.position, 1e-11)) << seconds;
        }
    }
}

// Orbits at the edges of what a scenario may hold, each a step of the world: a
// pass a metre from the Earth's centre at 3.5e7 m/s, a hair-thin ellipse about a
// few kilograms that turns some 1e32 times in the step, and a parabola about 91 kg
// seen from 1.3e13 m. Each state stays finite, on its conic.
TEST(PropagateKepler, StaysOnItsConicAtTheEdgesOfAWorld) {
    const struct {
        const char* what;
        double mu;
        Conic orbit;
        double seconds;
    } passes[] = {
        {"fast hyperbolic pass", kMu, {1, 2, 0, 0, 0, 0}, 60},
        {"ellipse of many turns", 6.67259e-11 * 4, {1e-24, 0.9, 0, 0, 0, 0}, 3600},
        {"far out on a parabola", 6.67259e-11 * 91, {1e9, 1, 0, 0, 0, 179 * kPi / 180}, 3600},
    };
    for (const auto& [what, mu, orbit, seconds] : passes) {
        SCOPED_TRACE(what);
        const State start = sim::StateOnConic(orbit, mu);
        const State s = sim::PropagateKepler(start, mu, seconds);
        ASSERT_TRUE(std::isfinite(Length(s.position)) && std::isfinite(Length(s.velocity)));
        const auto energy = [mu](const State& x) {
            return Dot(x.velocity, x.velocity) / 2 - mu / Length(x.position);
        };
        EXPECT_NEAR(energy(s), energy(start), 1e-12 * Dot(start.velocity, start.velocity));
        // Far out, position and velocity nearly line up: the angular momentum is
        // what is left of their product, and carries its rounding.
        const Vec3 turn = Cross(s.position, s.velocity) - Cross(start.position, start.velocity);
        EXPECT_LE(Length(turn), 1e-12 * Length(s.position) * Length(s.velocity));
    }
    // Far from the pass the hyperbola runs out at its excess speed sqrt(mu (e - 1) / q).
    const State pass = sim::PropagateKepler(sim::StateOnConic({1, 2, 0, 0, 0, 0}, kMu), kMu, 60);
    EXPECT_TRUE(Near(Length(pass.position), std::sqrt(kMu) * 60, 1e-6));
}

TEST(PropagateKepler, WithoutAPullMovesInAStraightLine) {
    const State start{{7e6, 1, 2}, {3, 4, 5}};
    EXPECT_TRUE(NearVector(sim::PropagateKepler(start, 0, 10).position, Vec3{7e6 + 30, 41, 52}, 1e-16));
    const State atCentre{{0, 0, 0}, {3, 4, 5}};
    const State moved = sim::PropagateKepler(atCentre, kMu, 10);
    EXPECT_EQ(moved.position.x, 30);
    EXPECT_EQ(moved.velocity.z, 5);
}

TEST(LocalHorizon, EastUpNorth) {
    const struct {
        Vec3 position, east, up, north;
    } cases[] = {
        {{7e6, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}},
        {{0, 7e6, 0}, {-1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{0, 0, 7e6}, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}},  // over the pole east is the x axis
        {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}},    // at the centre, as over the pole
        {{3e6, 0, 4e6}, {0, 1, 0}, {0.6, 0, 0.8}, {-0.8, 0, 0.6}},
    };
    for (const auto& c : cases) {
        const sim::Horizon h = sim::LocalHorizon(c.position);
        EXPECT_TRUE(NearVector(h.east, c.east, 1e-15));
        EXPECT_TRUE(NearVector(h.up, c.up, 1e-15));
        EXPECT_TRUE(NearVector(h.north, c.north, 1e-15));
    }
}

}  // namespace
