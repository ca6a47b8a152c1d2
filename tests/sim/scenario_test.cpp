// Scenarios: the built-in ones, the example files, and scenario files with mistakes.
#include "sim/scenario.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <set>

#include "tests/support/solver_harness.h"

namespace {

using kalvo::test::Near;
using sim::World;

constexpr double kPi = std::numbers::pi;

std::string ErrorOf(const std::variant<World, std::string>& built) {
    const auto* error = std::get_if<std::string>(&built);
    return error ? *error : "(no error)";
}

World WorldOf(std::variant<World, std::string> built) {
    if (const auto* error = std::get_if<std::string>(&built)) ADD_FAILURE() << *error;
    return std::get<World>(std::move(built));
}

TEST(Scenarios, BuiltInsStartWithTheDefaultAndAllBuild) {
    const auto builtIns = sim::BuiltInScenarios();
    ASSERT_EQ(builtIns.size(), 4u);
    EXPECT_EQ(builtIns[0].name, sim::kDefaultScenario);
    std::set<std::string_view> names;
    for (const auto& scenario : builtIns) {
        SCOPED_TRACE(std::string(scenario.name));
        EXPECT_TRUE(names.insert(scenario.name).second);
        EXPECT_FALSE(scenario.description.empty());
        const World world = WorldOf(sim::BuildScenario(scenario.name));
        EXPECT_EQ(world.focus.reference, sim::DominantBody(world));
        ASSERT_EQ(world.bodies.size(), 3u);
        EXPECT_EQ(world.bodies[0].name, "Sun");
    }
    EXPECT_TRUE(WorldOf(sim::BuildScenario("no-engines")).focus.mainThrusters.empty());
    EXPECT_FALSE(WorldOf(sim::BuildScenario("leo")).focus.mainThrusters.empty());
}

// The default orbit, 300 km by 400 km above a 6 371 km Earth, read back from the
// vessel's state: vis-viva gives a = 6 721 km, and |r x v| = sqrt(mu p).
TEST(Scenarios, DefaultOrbitIsTheOneDescribed) {
    const World world = WorldOf(sim::BuildScenario(sim::kDefaultScenario));
    const double mu = sim::kGravitationalConstant * world.bodies[world.focus.reference].mass;
    const double r = Length(world.focus.position), v2 = Dot(world.focus.velocity, world.focus.velocity);
    EXPECT_EQ(world.bodies[world.focus.reference].name, "Earth");
    EXPECT_TRUE(Near(1 / (2 / r - v2 / mu), 6.721e6, 1e-12));
    const double p = 2 * 6.671e6 * 6.771e6 / (6.671e6 + 6.771e6);
    EXPECT_TRUE(Near(Length(Cross(world.focus.position, world.focus.velocity)), std::sqrt(mu * p), 1e-12));
}

TEST(Scenarios, ExampleFilesBuild) {
    const std::string docs = std::string(KALVO_SOURCE_DIR) + "/docs/scenarios/";
    const World transfer = WorldOf(sim::BuildScenario(docs + "geo-transfer.json"));
    EXPECT_EQ(transfer.bodies[transfer.focus.reference].name, "Earth");
    const World mars = WorldOf(sim::BuildScenario(docs + "mars-orbit.json"));
    EXPECT_EQ(mars.bodies[sim::DominantBody(mars)].name, "Mars");
}

// A vessel that is fine as it stands; each case spoils one thing.
constexpr std::string_view kVessel =
    R"("vessel": {"emptyMass": 1000, "orbit": {"about": "Earth", "periapsis": 7e6, "eccentricity": 0}})";

std::string WithVessel(std::string_view vessel) { return "{\"vessel\": " + std::string(vessel) + "}"; }

TEST(Scenarios, MistakesAreNamedWithTheirPlace) {
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"[]", "test.json: expected an object, found an empty list"},
        {"{}", "test.json: vessel: missing; expected the vessel: its masses, engines and orbit or flight"},
        {R"({"vesel": {}})", "test.json: unknown key \"vesel\" (expected one of description, time, bodies, vessel)"},
        {R"({"bodies": [], )" + std::string(kVessel) + "}",
         "test.json: bodies: expected a list of at least one body, found an empty list"},
        {R"({"bodies": [{"name": "Earth", "mass": 6e24}, {"name": "Earth", "mass": 7e22}], )" + std::string(kVessel) +
             "}",
         "test.json: bodies[1].name: \"Earth\" names an earlier body too; expected a name of its own"},
        {R"({"bodies": [{"name": "Earth", "mass": "heavy"}], )" + std::string(kVessel) + "}",
         "test.json: bodies[0].mass: expected a mass in kg, at least 0, found \"heavy\" (a text)"},
        {R"({"bodies": [{"name": "Moon", "mass": 7e22, "orbit": {"about": "Earth", "periapsis": 4e8, "eccentricity": 0}}, {"name": "Earth", "mass": 6e24}], )" +
             std::string(kVessel) + "}",
         "test.json: bodies[0].orbit.about: no earlier body named \"Earth\" (none comes before it)"},
        {R"({"bodies": [{"name": "Earth", "mass": 6e24, "position": [1, 2]}], )" + std::string(kVessel) + "}",
         "test.json: bodies[0].position: expected a list of three numbers, each a coordinate in m, found a list of 2"},
        {R"({"bodies": [{"name": "Sun", "mass": 2e30}, {"name": "Earth", "mass": 6e24, "velocity": [0, 0, 0], "orbit": {"about": "Sun", "periapsis": 1.5e11, "eccentricity": 0}}], )" +
             std::string(kVessel) + "}",
         "test.json: bodies[1].velocity: not allowed beside \"orbit\", which places the body"},
        {WithVessel(
             R"({"emptyMass": 1000, "mainThrusters": [{"maxThrust": 1, "isp": 3000}, {"maxThrust": 1, "isp": 0}], "orbit": {"about": "Earth", "periapsis": 7e6, "eccentricity": 0}})"),
         "test.json: vessel.mainThrusters[1].isp: expected a specific impulse in m/s, greater than 0, found 0"},
        {WithVessel(R"({"emptyMass": 1000})"),
         "test.json: vessel: missing \"orbit\" or \"flight\" to place the vessel"},
        {WithVessel(R"({"emptyMass": 1000, "orbit": {}, "flight": {}})"),
         "test.json: vessel: give \"orbit\" or \"flight\", not both"},
        {WithVessel(R"({"emptyMass": 1000, "orbit": {"about": "Mars", "periapsis": 7e6, "eccentricity": 0}})"),
         "test.json: vessel.orbit.about: no body named \"Mars\" (expected one of Sun, Earth, Moon)"},
        {WithVessel(R"({"emptyMass": 1000, "orbit": {"about": "Earth", "periapsis": 6671000, "apoapsis": 6e6}})"),
         "test.json: vessel.orbit.apoapsis: expected a distance in m, at least the periapsis (6671000), found 6000000"},
        {WithVessel(R"({"emptyMass": 1000, "orbit": {"about": "Earth", "periapsis": 7e6}})"),
         "test.json: vessel.orbit: missing \"apoapsis\" or \"eccentricity\" to give the orbit its shape"},
        // An open orbit of eccentricity 2 reaches only to acos(-1/2) = 120 degrees from periapsis.
        {WithVessel(
             R"({"emptyMass": 1000, "orbit": {"about": "Earth", "periapsis": 7e6, "eccentricity": 2, "trueAnomaly": 150}})"),
         "test.json: vessel.orbit.trueAnomaly: expected an angle in degrees between -120 and 120 on this open orbit "
         "(eccentricity 2), found 150"},
        {WithVessel(R"({"emptyMass": 1000, "flight": {"over": "Earth", "altitude": 1000, "latitude": 95}})"),
         "test.json: vessel.flight.latitude: expected a latitude in degrees, from -90 to 90, found 95"},
        {WithVessel(R"({"name": "", "emptyMass": 1000, "flight": {"over": "Earth", "altitude": 0}})"),
         "test.json: vessel.name: expected a text that is not empty, found \"\" (a text)"},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorOf(sim::BuildScenarioFromText(c.text, "test.json")), c.error) << c.text;
}

TEST(Scenarios, BrokenJsonIsReportedWithLineAndColumn) {
    const std::string error = ErrorOf(sim::BuildScenarioFromText("{\n  \"vessel\": {\n}", "test.json"));
    EXPECT_EQ(error.rfind("test.json: not valid JSON: parse error at line 3, column 2: ", 0), 0u) << error;
}

TEST(Scenarios, NamesAndFilesThatCannotBeRead) {
    EXPECT_EQ(
        ErrorOf(sim::BuildScenario("moon")),
        "unknown scenario \"moon\" (expected one of leo lunar-orbit glide no-engines or the path of a scenario file)");
    EXPECT_EQ(ErrorOf(sim::BuildScenario("missing/moon.json")),
              "cannot open scenario file \"missing/moon.json\": no such file");
    const std::string directory = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(ErrorOf(sim::BuildScenario(directory)),
              "cannot open scenario file \"" + directory + "\": not a regular file");

    // A file's mistakes are named with its path; a failed load leaves the world as it was.
    const std::string path = (std::filesystem::temp_directory_path() / "kalvo-scenario-test.json").string();
    std::ofstream(path) << R"({"vessel": {"emptyMass": -1}})";
    ASSERT_EQ(sim::LoadScenario("glide"), "");
    EXPECT_EQ(sim::LoadScenario(path), path + ": vessel.emptyMass: expected a mass in kg, at least 0, found -1");
    EXPECT_TRUE(sim::TheWorld().focus.flight.has_value());
    std::filesystem::remove(path);
    sim::TheWorld() = World{};
}

// The glide scenario, read back through the host's queries: the place, height and
// airspeed it describes.
TEST(Scenarios, FlightIsWhereTheScenarioSays) {
    ASSERT_EQ(sim::LoadScenario("glide"), "");
    double longitude, latitude, radius, altitude;
    VECTOR3 air;
    ASSERT_TRUE(oapiGetFocusEquPos(&longitude, &latitude, &radius));
    ASSERT_TRUE(oapiGetFocusAltitude(&altitude));
    ASSERT_TRUE(oapiGetFocusAirspeedVector(&air));
    EXPECT_TRUE(Near(latitude, 34.9 * kPi / 180, 1e-12));
    EXPECT_TRUE(Near(longitude, -117.9 * kPi / 180, 1e-12));
    EXPECT_TRUE(Near(altitude, 18000, 1e-9));
    EXPECT_TRUE(Near(air.x, 220 * std::sin(250 * kPi / 180), 1e-12));
    EXPECT_TRUE(Near(air.y, -12, 1e-9));
    EXPECT_TRUE(Near(air.z, 220 * std::cos(250 * kPi / 180), 1e-12));
    sim::TheWorld() = World{};
}

}  // namespace
