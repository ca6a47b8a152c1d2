// The stand-in world in time: two-body orbits against the textbook relations of
// conics, the reference body that follows the strongest pull, steady flight and
// touchdown.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sim/world/kepler.h"
#include "sim/world/scenario.h"
#include "tests/support/solver_harness.h"

namespace {

using kalvo::test::Near;
using sim::Conic;
using sim::State;
using sim::Vec3;
using sim::World;

constexpr double kPi = std::numbers::pi;
constexpr double kMu = 6.67259e-11 * 5.9736e24;  // the Earth's, m^3/s^2
constexpr int kEarth = 1, kMoon = 2;             // in the built-in bodies: Sun, Earth, Moon

// Within `relative` times the length of the expected vector.
::testing::AssertionResult NearVector(const Vec3& actual, const Vec3& expected, double relative) {
    if (Length(actual - expected) <= relative * Length(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "off by " << Length(actual - expected) << " at x " << actual.x;
}

double Energy(const State& s, double mu) { return Dot(s.velocity, s.velocity) / 2 - mu / Length(s.position); }

World Scenario(std::string_view name) {
    auto built = sim::BuildScenario(name);
    if (auto* error = std::get_if<std::string>(&built)) ADD_FAILURE() << *error;
    return std::get<World>(std::move(built));
}

double Mu(const World& world, int body) { return sim::kGravitationalConstant * world.bodies[body].mass; }

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

// The conic equation r = p / (1 + e cos v), vis-viva, angular momentum sqrt(mu p)
// about an axis tilted by the inclination, the radial speed sqrt(mu/p) e sin v and
// the height above the equator r sin(w + v) sin i; then, propagated either way,
// energy and angular momentum kept, and back again to the start.
TEST(Kepler, StatesOnConicsKeepTheirRelationsInTime) {
    for (const auto& [what, orbit] : kOrbits) {
        SCOPED_TRACE(what);
        const State s = sim::StateOnConic(orbit, kMu);
        const double e = orbit.eccentricity, v = orbit.trueAnomaly, p = orbit.periapsis * (1 + e);
        const double r = Length(s.position);
        EXPECT_TRUE(Near(r, p / (1 + e * std::cos(v)), 1e-14));
        EXPECT_TRUE(Near(Dot(s.velocity, s.velocity), kMu * (2 / r - (1 - e * e) / p), 1e-14));
        const Vec3 h = Cross(s.position, s.velocity);
        EXPECT_TRUE(Near(Length(h), std::sqrt(kMu * p), 1e-14));
        EXPECT_TRUE(Near(h.z / Length(h), std::cos(orbit.inclination), 1e-14));
        EXPECT_NEAR(Dot(s.position, s.velocity) / r, std::sqrt(kMu / p) * e * std::sin(v), 1e-9);
        EXPECT_NEAR(s.position.z, r * std::sin(orbit.argumentOfPeriapsis + v) * std::sin(orbit.inclination), 1e-7);
        for (const double seconds : {-3000.0, 1.0, 60.0, 3000.0, 1e5}) {
            const State later = sim::PropagateKepler(s, kMu, seconds);
            // A parabola's energy is 0: measured against the kinetic energy instead.
            EXPECT_NEAR(Energy(later, kMu), Energy(s, kMu), 1e-12 * Dot(s.velocity, s.velocity)) << seconds;
            EXPECT_TRUE(NearVector(Cross(later.position, later.velocity), h, 1e-12)) << seconds;
            EXPECT_TRUE(NearVector(sim::PropagateKepler(later, kMu, -seconds).position, s.position, 1e-11)) << seconds;
        }
    }
}

// Kepler's third law for the 300 by 400 km orbit, a = 6 721 km: a hundred
// revolutions on, the vessel is back where it started; the Moon, with the Earth
// about their barycentre (mu = G (M earth + M moon)), after its own period.
TEST(World, OrbitsCloseAfterTheirPeriods) {
    World world = Scenario("leo");
    const Vec3 vessel = world.focus.position, moon = world.bodies[kMoon].position;
    const double period = 2 * kPi * std::sqrt(std::pow(6.721e6, 3) / Mu(world, kEarth));
    ASSERT_TRUE(sim::AdvanceWorld(world, 100 * period));
    EXPECT_EQ(world.focus.reference, kEarth);
    EXPECT_LE(Length(world.focus.position - vessel), 1e-7 * Length(vessel));
    EXPECT_DOUBLE_EQ(world.time, 100 * period);

    world = Scenario("leo");
    const double a = (3.633e8 + 4.055e8) / 2, mu = Mu(world, kEarth) + Mu(world, kMoon);
    const double month = 2 * kPi * std::sqrt(a * a * a / mu);
    ASSERT_TRUE(sim::AdvanceWorld(world, month / 2));
    const double halfway = Length(sim::RelativeState(world, kMoon, kEarth).position);
    EXPECT_TRUE(halfway > 3.633e8 && halfway < 4.055e8) << halfway;
    ASSERT_TRUE(sim::AdvanceWorld(world, month / 2));
    EXPECT_LE(Length(world.bodies[kMoon].position - moon), 1e-9 * Length(moon));
}

TEST(World, TheVesselFollowsTheStrongestPull) {
    World world;
    world.bodies = {{"Earth", 5.9736e24, 6.371e6, 86164, {}, {}},
                    {"Moon", 7.3477e22, 1.7374e6, 0, {3.844e8, 0, 0}, {}}};
    // 10 000 km short of the Moon: 7.3e22 / 1e14 against 6e24 / 3.7e17, the Moon's pull is the greater.
    world.focus.reference = 0;
    world.focus.position = {3.744e8, 0, 0};
    world.focus.velocity = {0, 100, 0};
    ASSERT_TRUE(sim::AdvanceWorld(world, 1));
    EXPECT_EQ(world.focus.reference, 1);
    // One second on: 100 m sideways and half the Moon's pull, G M / r^2 = 0.049 m/s^2, towards it.
    const double pull = sim::kGravitationalConstant * 7.3477e22 / 1e14;
    EXPECT_TRUE(NearVector(world.focus.position, Vec3{-1e7 + pull / 2, 100, 0}, 1e-12));
}

TEST(World, RefusesTimesItCannotAdvance) {
    World world = Scenario("leo");
    const World start = world;
    for (const double seconds : {-1.0, double(NAN), double(INFINITY), 2 * sim::kLongestAdvance}) {
        EXPECT_FALSE(sim::AdvanceWorld(world, seconds)) << seconds;
        EXPECT_TRUE(world.time == 0 && world.focus.position.x == start.focus.position.x) << seconds;
    }
    EXPECT_TRUE(sim::AdvanceWorld(world, 0));
    EXPECT_EQ(world.focus.position.x, start.focus.position.x);
}

// The glide scenario, read through the host's queries (its start is the guide's
// GLD example): 18 km up, 220 m/s over the ground, sinking at 12 m/s; it touches
// down after 18000 / 12 = 1500 s and then turns with the Earth.
TEST(World, SteadyGlideUntilTouchdown) {
    ASSERT_EQ(sim::LoadScenario("glide"), "");
    double longitude0, latitude0, radius, altitude, longitude, latitude;
    VECTOR3 air;
    ASSERT_TRUE(oapiGetFocusEquPos(&longitude0, &latitude0, &radius));
    ASSERT_TRUE(sim::AdvanceTime(100));
    oapiGetFocusAltitude(&altitude);
    oapiGetFocusAirspeedVector(&air);
    oapiGetFocusEquPos(&longitude, &latitude, &radius);
    EXPECT_TRUE(Near(altitude, 18000 - 12 * 100, 1e-9));
    EXPECT_TRUE(Near(std::hypot(air.x, air.z), 220, 1e-9) && Near(air.y, -12, 1e-9));
    // The great-circle angle flown: the integral of 220 / (R + 18000 - 12 t) over 100 s.
    const double flown = 220.0 / 12 * std::log((6.371e6 + 18000) / (6.371e6 + 16800));
    const double angle = std::acos(std::sin(latitude0) * std::sin(latitude) +
                                   std::cos(latitude0) * std::cos(latitude) * std::cos(longitude - longitude0));
    EXPECT_TRUE(Near(angle, flown, 1e-8));

    ASSERT_TRUE(sim::AdvanceTime(1399));
    EXPECT_FALSE(sim::TheWorld().focus.landed);
    ASSERT_TRUE(sim::AdvanceTime(2));
    EXPECT_TRUE(sim::TheWorld().focus.landed);
    oapiGetFocusEquPos(&longitude, &latitude, &radius);
    ASSERT_TRUE(sim::AdvanceTime(40000));
    oapiGetFocusEquPos(&longitude0, &latitude0, &radius);
    oapiGetFocusAirspeedVector(&air);
    EXPECT_NEAR(longitude0, longitude, 1e-12);
    EXPECT_EQ(sim::Length({air.x, air.y, air.z}), 0);
    sim::TheWorld() = World{};
}

// From apoapsis 100 km up towards a periapsis 3 000 km from the centre: by Kepler's
// equation it meets the 6 371 km surface at eccentric anomaly E with
// a (1 - e cos E) = R, t = (E - e sin E - pi) / n after apoapsis.
TEST(World, AnOrbitThroughTheSurfaceEndsOnIt) {
    const double rp = 3e6, ra = 6.471e6, R = 6.371e6;
    const double a = (rp + ra) / 2, e = (ra - rp) / (ra + rp);
    World world = Scenario("leo");
    world.focus.reference = kEarth;
    const State start = sim::StateOnConic({rp, e, 0.3, 0, 0, kPi}, Mu(world, kEarth));
    world.focus.position = start.position;
    world.focus.velocity = start.velocity;
    const double E = 2 * kPi - std::acos((1 - R / a) / e);
    const double impact = (E - e * std::sin(E) - kPi) / std::sqrt(Mu(world, kEarth) / (a * a * a));

    World before = world;
    ASSERT_TRUE(sim::AdvanceWorld(before, impact - 0.5));
    EXPECT_FALSE(before.focus.landed);
    ASSERT_TRUE(sim::AdvanceWorld(world, impact + 0.5));
    EXPECT_TRUE(world.focus.landed);
    EXPECT_TRUE(Near(Length(world.focus.position), R, 1e-14));
    // Where its path met the surface, carried on by the Earth's turn over the last 0.5 s.
    const Vec3 hit = sim::PropagateKepler(start, Mu(world, kEarth), impact).position;
    const double turn = 2 * kPi / 86164.1 * 0.5;
    const Vec3 expected{hit.x * std::cos(turn) - hit.y * std::sin(turn),
                        hit.x * std::sin(turn) + hit.y * std::cos(turn), hit.z};
    EXPECT_TRUE(NearVector(world.focus.position, expected, 1e-9));
}

}  // namespace
