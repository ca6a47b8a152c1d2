// The stand-in world: scenarios, built in or from files with mistakes; and in time,
// two-body orbits against the textbook relations of conics, the reference body
// that follows the strongest pull, steady flight and touchdown.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

#include "catalogue/constants.h"
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

World WorldOf(std::variant<World, std::string> built) {
    if (const auto* error = std::get_if<std::string>(&built)) ADD_FAILURE() << *error;
    return std::get<World>(std::move(built));
}

World Scenario(std::string_view name) { return WorldOf(sim::BuildScenario(name)); }

std::string ErrorOf(const std::variant<World, std::string>& built) {
    const auto* error = std::get_if<std::string>(&built);
    return error ? *error : "(no error)";
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

// Their names are checked through kalvo play's list of them, the default orbit's
// shape through its reading of r, mars-orbit.json and launch-pad.json through the
// examples that fly them.
TEST(Scenarios, BuiltInsAndTheTransferExampleBuild) {
    for (const auto& scenario : sim::BuiltInScenarios()) {
        const World world = WorldOf(sim::BuildScenario(scenario.name));
        EXPECT_EQ(world.focus.reference, sim::DominantBody(world)) << scenario.name;
    }
    const World transfer =
        WorldOf(sim::BuildScenario(std::string(KALVO_SOURCE_DIR) + "/docs/scenarios/geo-transfer.json"));
    EXPECT_EQ(transfer.bodies[transfer.focus.reference].name, "Earth");
}

// The built-in world read back to the last bit, against the almanac figures written
// out here: a figure typed wrongly, or a scenario text that loses digits, shows. The
// ship 60 degrees past its 6671 km perigee is at r = p / (1 + e cos 60) with
// e = 100 / 13442 and p = 6671 km (1 + e): 6695722.0575 m (by hand).
TEST(Scenarios, TheBuiltInWorldHoldsTheWorldsFigures) {
    const World world = Scenario("leo");
    const std::vector<std::tuple<std::string, double, double, double, int>> bodies = {
        {"Sun", 1.9891e30, 6.96e8, 2164320, -1},
        {"Earth", 5.9736e24, 6.371e6, 86164.1, 0},
        {"Moon", 7.3477e22, 1.7374e6, 2360591.5, 1}};
    std::vector<std::tuple<std::string, double, double, double, int>> built;
    for (const sim::Body& body : world.bodies)
        built.emplace_back(body.name, body.mass, body.radius, body.rotationPeriod, body.parent);
    EXPECT_EQ(built, bodies);
    const sim::Vessel& ship = world.focus;
    EXPECT_EQ((std::tuple{ship.name, ship.emptyMass, ship.loadMass, ship.tank.mass, ship.tank.efficiency}),
              (std::tuple{"Kalvo Explorer", 12000.0, 1500.0, 8000.0, 1.0}));
    ASSERT_EQ(ship.mainThrusters.size(), 2u);
    for (const sim::Thruster& engine : ship.mainThrusters)
        EXPECT_EQ((std::pair{engine.maxThrust, engine.isp}), (std::pair{60000.0, 3200.0}));
    EXPECT_EQ(ship.reference, kEarth);
    EXPECT_TRUE(Near(Length(ship.position), 6695722.0575, 1e-11));
}

// The page's constant of gravitation is the world's, so that its orbit equations
// reproduce the world's orbits.
TEST(Scenarios, ThePagesGravitationalConstantIsTheWorlds) {
    EXPECT_EQ(kalvo::kGravitationalConstant, sim::kGravitationalConstant);
}

// A vessel that is fine as it stands; each case spoils one thing.
constexpr std::string_view kVessel =
    R"("vessel": {"emptyMass": 1000, "orbit": {"about": "Earth", "periapsis": 7e6, "eccentricity": 0}})";

std::string WithVessel(std::string_view vessel) { return "{\"vessel\": " + std::string(vessel) + "}"; }
// A file with these bodies and the vessel above.
std::string WithBodies(std::string_view bodies) {
    return R"({"bodies": )" + std::string(bodies) + ", " + std::string(kVessel) + "}";
}
std::string WithOrbit(std::string_view keys) {
    return WithVessel(R"({"emptyMass": 1000, "orbit": {"about": "Earth", )" + std::string(keys) + "}}");
}

// Each kind of mistake named with the file, the key path and what is valid there
// (the bounds themselves are the loader's table: one of each way of saying them).
TEST(Scenarios, MistakesAreNamedWithTheirPlace) {
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"[]", "test.json: expected an object, found an empty list"},
        {"{}", "test.json: vessel: missing; expected the vessel: its masses, engines and orbit or flight"},
        {"", "test.json: empty; expected a scenario: a JSON object with at least a \"vessel\""},
        {" \n\t", "test.json: only blanks; expected a scenario: a JSON object with at least a \"vessel\""},
        // Texts of the file are quoted as JSON writes them, so the message stays one line.
        {WithVessel("{\"emptyMass\": 1, \"na\\nme\": 1}"),
         "test.json: vessel: unknown key \"na\\nme\" (expected one of name, emptyMass, loadMass, tank, mainThrusters, "
         "orbit, flight)"},
        {WithBodies(R"([])"), "test.json: bodies: expected a list of at least one body, found an empty list"},
        {WithBodies(R"([{"name": "Earth", "mass": 6e24}, {"name": "Earth", "mass": 7e22}])"),
         "test.json: bodies[1].name: \"Earth\" names an earlier body too; expected a name of its own"},
        {WithBodies(R"([{"name": "Earth", "mass": "heavy"}])"),
         "test.json: bodies[0].mass: expected a mass in kg, 0 or from 0.001 to 1e+60, found \"heavy\" (a text)"},
        {WithBodies(
             R"([{"name": "Moon", "mass": 7e22, "orbit": {"about": "Earth"}}, {"name": "Earth", "mass": 6e24}])"),
         "test.json: bodies[0].orbit.about: no earlier body named \"Earth\" (expected a body listed before it, "
         "and none is)"},
        {WithBodies(R"([{"name": "Earth", "mass": 6e24, "position": [1, 2]}])"),
         "test.json: bodies[0].position: expected a list of three numbers, each a coordinate in m, "
         "from -1e+30 to 1e+30, found a list of 2"},
        // Beyond a double: the first such number, by its line and column, quoted as written.
        {WithBodies(R"([{"name": "A", "mass": 1, "position": [0, -1e999, 1e999]}])"),
         "test.json: not valid JSON: parse error at line 1, column 54: expected a number within the range of a "
         "double (1.797693135e+308 in size), found -1e999"},
        {"{\n  \"vessel\": {\"emptyMass\": 1e400}}",
         "test.json: not valid JSON: parse error at line 2, column 27: expected a number within the range of a "
         "double (1.797693135e+308 in size), found 1e400"},
        {WithBodies(R"([{"name": "Sun", "mass": 2e30}, {"name": "Earth", "mass": 6e24, "velocity": [], "orbit": {}}])"),
         "test.json: bodies[1].velocity: not allowed beside \"orbit\", which places the body; expected one or the "
         "other"},
        {WithBodies(R"([{"name": "Spinner", "mass": 1, "rotationPeriod": -1e-5}])"),
         "test.json: bodies[0].rotationPeriod: expected a period in s (negative for a body that turns backwards), 0 or "
         "from 0.001 to 1e+15 in size, found -1e-05"},
        {WithVessel(
             R"({"emptyMass": 1, "mainThrusters": [{"maxThrust": 1, "isp": 3000}, {"maxThrust": 1, "isp": 0}]})"),
         "test.json: vessel.mainThrusters[1].isp: expected a specific impulse in m/s, greater than 0 and at most "
         "299792458, found 0"},
        {WithVessel(R"({"emptyMass": 1, "tank": {"mass": 1e-9}})"),
         "test.json: vessel.tank.mass: expected a mass in kg, 0 or from 0.001 to 1e+60, found 1e-09"},
        {WithVessel(R"({"name": "", "emptyMass": 1000, "flight": {"over": "Earth", "altitude": 0}})"),
         "test.json: vessel.name: expected a text that is not empty, found \"\" (a text)"},
        {WithVessel(R"({"emptyMass": 1000})"),
         "test.json: vessel: missing \"orbit\" or \"flight\"; expected one of them to place the vessel"},
        {WithVessel(R"({"emptyMass": 1000, "orbit": {}, "flight": {}})"),
         "test.json: vessel: expected \"orbit\" or \"flight\", not both"},
        {WithVessel(R"({"emptyMass": 1000, "orbit": {"about": "Mars", "periapsis": 7e6, "eccentricity": 0}})"),
         "test.json: vessel.orbit.about: no body named \"Mars\" (expected one of \"Sun\", \"Earth\", \"Moon\")"},
        {R"({"bodies": [{"name": "Lone", "mass": 0}], "vessel": {"emptyMass": 1, "orbit": {"about": "Lone", "periapsis": 1, "eccentricity": 0}}})",
         "test.json: vessel.orbit.about: \"Lone\" has no mass to be orbited; expected a body of some mass"},
        {WithOrbit(R"("periapsis": 6671000, "apoapsis": 6e6)"),
         "test.json: vessel.orbit.apoapsis: expected a distance in m, at least the periapsis, from 6671000 to 1e+30, "
         "found 6000000"},
        // sqrt(G M (1 + e) / periapsis) for the built-in Earth: 6.3e8 m/s.
        {WithOrbit(R"("periapsis": 1e-3, "eccentricity": 0)"),
         "test.json: vessel.orbit: moves at 631342883.3 m/s at periapsis; expected a speed below 299792458 m/s, the "
         "speed of light (a wider periapsis, or a lighter body to orbit)"},
        // An open orbit of eccentricity 2 reaches only to acos(-1/2) = 120 degrees from periapsis.
        {WithOrbit(R"("periapsis": 7e6, "eccentricity": 2, "trueAnomaly": 150)"),
         "test.json: vessel.orbit.trueAnomaly: expected an angle in degrees between -120 and 120 on this open orbit "
         "(eccentricity 2), found 150"},
        {R"({"bodies": [{"name": "Dot", "mass": 1e20}], "vessel": {"emptyMass": 1, "flight": {"over": "Dot", "altitude": 10}}})",
         "test.json: vessel.flight.over: \"Dot\" has a radius of 0 m; expected a body with a surface to fly over, of a "
         "radius of at least 1 m"},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorOf(sim::BuildScenarioFromText(c.text, "test.json")), c.error) << c.text;
}

// Near an open orbit's asymptote the start lies as far out as rounding allows:
// 1 + e cos v is about 1.7 times the 5.8e-11 rad left to 120 degrees.
TEST(Scenarios, AStartTooCloseToTheAsymptoteIsRefused) {
    const std::string error = ErrorOf(sim::BuildScenarioFromText(
        WithOrbit(R"("periapsis": 1e20, "eccentricity": 2, "trueAnomaly": 119.9999999967)"), "test.json"));
    EXPECT_TRUE(error.starts_with("test.json: vessel.orbit.trueAnomaly: starts ")) << error;
    EXPECT_TRUE(
        error.ends_with(" m from the centre of \"Earth\"; expected a start within 1e+30 m (an anomaly farther "
                        "from the asymptote)"))
        << error;
}

// The ends of each range are in it.
TEST(Scenarios, NumbersAtTheEdgesOfTheirRangesAreAccepted) {
    const std::string texts[] = {
        WithVessel(
            R"({"emptyMass": 0, "loadMass": 1e-3, "tank": {"mass": 1e60, "efficiency": 1}, "mainThrusters": [{"maxThrust": 1e15, "isp": 299792458}], "orbit": {"about": "Earth", "periapsis": 7e6, "eccentricity": 0, "inclination": -360, "trueAnomaly": 360}})"),
        R"({"time": 1e15, "bodies": [{"name": "Far", "mass": 1, "rotationPeriod": -1e-3, "position": [1e30, -1e30, 0], "velocity": [299792458, 0, -299792458]}], "vessel": {"emptyMass": 1, "orbit": {"about": "Far", "periapsis": 1e30, "eccentricity": 1e6}}})",
        WithVessel(
            R"({"emptyMass": 1, "flight": {"over": "Moon", "altitude": 1e30, "latitude": -90, "groundSpeed": 299792458, "verticalSpeed": -299792458}})"),
    };
    for (const std::string& text : texts)
        EXPECT_EQ(ErrorOf(sim::BuildScenarioFromText(text, "test.json")), "(no error)");
}

TEST(Scenarios, BrokenJsonIsReportedWithLineAndColumn) {
    const std::string error = ErrorOf(sim::BuildScenarioFromText("{\n  \"vessel\": {\n}", "test.json"));
    EXPECT_EQ(error.rfind("test.json: not valid JSON: parse error at line 3, column 2: ", 0), 0u) << error;
}

}  // namespace
