// The stand-in world in time: orbits that keep their constants, the reference body
// that follows the strongest pull, steady flight and touchdown.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sim/world/scenario.h"
#include "tests/support/solver_harness.h"
#include "tests/support/vector_near.h"

namespace {

using kalvo::test::Near;
using kalvo::test::NearVector;
using sim::State;
using sim::Vec3;
using sim::World;

constexpr double kPi = std::numbers::pi;
constexpr int kEarth = 1, kMoon = 2;  // in the built-in bodies: Sun, Earth, Moon

World Scenario(std::string_view name) {
    auto built = sim::BuildScenario(name);
    if (auto* error = std::get_if<std::string>(&built)) ADD_FAILURE() << *error;
    return std::get<World>(std::move(built));
}

double Mu(const World& world, int body) { return sim::kGravitationalConstant * world.bodies[body].mass; }

// Great-circle angle between two places given as (latitude, longitude) in radians.
double AngleBetween(double lat1, double lon1, double lat2, double lon2) {
    return std::acos(std::sin(lat1) * std::sin(lat2) + std::cos(lat1) * std::cos(lat2) * std::cos(lon2 - lon1));
}

// Kepler's third law for the 300 km by 400 km orbit, a = 6 721 km: a hundred
// revolutions later the vessel is back where it started (the conics' constants are
// kept step by step, kepler_test.cpp).
TEST(World, LowOrbitReturnsAfterAHundredRevolutions) {
    World world = Scenario("leo");
    const Vec3 start = world.focus.position;
    const double period = 2 * kPi * std::sqrt(std::pow(6.721e6, 3) / Mu(world, kEarth));
    ASSERT_TRUE(sim::AdvanceWorld(world, 100 * period));
    EXPECT_EQ(world.focus.reference, kEarth);
    EXPECT_LE(Length(world.focus.position - start), 1e-7 * Length(start));
    EXPECT_DOUBLE_EQ(world.time, 100 * period);
}

TEST(World, TheMoonGoesRoundTheEarthInItsPeriod) {
    World world = Scenario("leo");
    const Vec3 start = world.bodies[kMoon].position;
    // Two bodies about each other: a = (363 300 + 405 500) km / 2, mu = G (M earth + M moon).
    const double a = (3.633e8 + 4.055e8) / 2;
    const double mu = sim::kGravitationalConstant * (world.bodies[kEarth].mass + world.bodies[kMoon].mass);
    const double period = 2 * kPi * std::sqrt(a * a * a / mu);
    ASSERT_TRUE(sim::AdvanceWorld(world, period / 2));
    const double halfway = Length(sim::RelativeState(world, kMoon, kEarth).position);
    EXPECT_GT(halfway, 3.633e8);
    EXPECT_LT(halfway, 4.055e8);
    ASSERT_TRUE(sim::AdvanceWorld(world, period / 2));
    EXPECT_LE(Length(world.bodies[kMoon].position - start), 1e-9 * Length(start));
}

TEST(World, StatesHangFromTheirReferenceExactly) {
    const World world = Scenario("leo");
    const State toEarth = sim::RelativeState(world, sim::kFocusNode, kEarth);
    EXPECT_EQ(toEarth.position.x, world.focus.position.x);
    EXPECT_EQ(toEarth.velocity.z, world.focus.velocity.z);
    const State toMoon = sim::RelativeState(world, sim::kFocusNode, kMoon);
    const State fromMoon = sim::RelativeState(world, kMoon, sim::kFocusNode);
    EXPECT_EQ(toMoon.position.y, -fromMoon.position.y);
    // Vessel to Moon = vessel to Earth - Moon to Earth; vessel to Sun = vessel to Earth + Earth to Sun.
    EXPECT_TRUE(NearVector(toMoon.position, world.focus.position - world.bodies[kMoon].position, 1e-15));
    EXPECT_TRUE(NearVector(sim::RelativeState(world, sim::kFocusNode, 0).velocity,
                           world.focus.velocity + world.bodies[kEarth].velocity, 1e-15));
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
    const Vec3 start = world.focus.position;
    for (const double seconds : {-1.0, double(NAN), double(INFINITY), 2 * sim::kLongestAdvance}) {
        EXPECT_FALSE(sim::AdvanceWorld(world, seconds)) << seconds;
        EXPECT_EQ(world.time, 0);
        EXPECT_EQ(world.focus.position.x, start.x);
    }
    EXPECT_TRUE(sim::AdvanceWorld(world, 0));
    EXPECT_EQ(world.focus.position.x, start.x);
}

// The glide scenario: 18 km up at 34.9 N 117.9 W, 220 m/s over the ground heading
// 250 degrees, sinking at 12 m/s: it touches down after 18000 / 12 = 1500 s.
TEST(World, SteadyGlideUntilTouchdown) {
    sim::TheWorld() = Scenario("glide");
    double longitude0, latitude0, radius, altitude, longitude, latitude;
    VECTOR3 air;
    ASSERT_TRUE(oapiGetFocusEquPos(&longitude0, &latitude0, &radius));
    EXPECT_TRUE(Near(latitude0, 34.9 * kPi / 180, 1e-12));
    EXPECT_TRUE(Near(longitude0, -117.9 * kPi / 180, 1e-12));

    ASSERT_TRUE(sim::AdvanceTime(100));
    oapiGetFocusAltitude(&altitude);
    EXPECT_TRUE(Near(altitude, 18000 - 12 * 100, 1e-9));
    oapiGetFocusAirspeedVector(&air);
    EXPECT_TRUE(Near(std::hypot(air.x, air.z), 220, 1e-9));  // its heading turns along the great circle
    EXPECT_TRUE(Near(air.y, -12, 1e-9));
    oapiGetFocusEquPos(&longitude, &latitude, &radius);
    // The angle flown about the centre: the integral of 220 / (R + 18000 - 12 t) over 100 s.
    const double flown = 220.0 / 12 * std::log((6.371e6 + 18000) / (6.371e6 + 16800));
    EXPECT_TRUE(Near(AngleBetween(latitude0, longitude0, latitude, longitude), flown, 1e-8));

    ASSERT_TRUE(sim::AdvanceTime(1399));
    oapiGetFocusAltitude(&altitude);
    EXPECT_TRUE(Near(altitude, 12, 1e-6));
    EXPECT_FALSE(sim::TheWorld().focus.landed);

    ASSERT_TRUE(sim::AdvanceTime(2));
    EXPECT_TRUE(sim::TheWorld().focus.landed);
    oapiGetFocusAltitude(&altitude);
    EXPECT_NEAR(altitude, 0, 1e-8);
    oapiGetFocusEquPos(&longitude, &latitude, &radius);
    ASSERT_TRUE(sim::AdvanceTime(40000));  // half a day: it turns with the Earth
    double laterLongitude, laterLatitude;
    oapiGetFocusEquPos(&laterLongitude, &laterLatitude, &radius);
    EXPECT_NEAR(laterLongitude, longitude, 1e-12);
    EXPECT_NEAR(laterLatitude, latitude, 1e-12);
    oapiGetFocusAirspeedVector(&air);
    EXPECT_EQ(sim::Length({air.x, air.y, air.z}), 0);
    sim::TheWorld() = World{};
}

TEST(World, AnOrbitThroughTheSurfaceEndsOnIt) {
    // From apoapsis 100 km up towards a periapsis 3 000 km from the centre: by
    // Kepler's equation it meets the 6 371 km surface at eccentric anomaly E with
    // a (1 - e cos E) = R, t = (E - e sin E - pi) / n after apoapsis.
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

TEST(World, SteadyFlightCrossesThePole) {
    World world;
    world.bodies = {{"Planet", 6e24, 6e6, 0, {}, {}}};
    world.focus.reference = 0;
    world.focus.flight = sim::SteadyFlight{100, 0, 0};  // due north, level
    const double start = 89.99 * kPi / 180;
    const State state = sim::FlightState(world.bodies[0], 0, start, 0, 1000, *world.focus.flight);
    world.focus.position = state.position;
    world.focus.velocity = state.velocity;
    ASSERT_TRUE(sim::AdvanceWorld(world, 60));
    // 6 km on a 6 001 km circle: over the pole and down the other side, heading south.
    const Vec3& p = world.focus.position;
    EXPECT_TRUE(Near(std::atan2(p.z, std::hypot(p.x, p.y)), kPi - start - 6000 / 6.001e6, 1e-9));
    EXPECT_LT(p.x, 0);
    EXPECT_TRUE(Near(std::cos(world.focus.flight->heading), -1, 1e-12));
    EXPECT_TRUE(Near(Length(p), 6.001e6, 1e-15));
}

}  // namespace
