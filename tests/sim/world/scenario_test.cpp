// Scenarios: the built-in ones, the example files, and scenario files with mistakes.
#include "sim/world/scenario.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using sim::World;

std::string ErrorOf(const std::variant<World, std::string>& built) {
    const auto* error = std::get_if<std::string>(&built);
    return error ? *error : "(no error)";
}

World WorldOf(std::variant<World, std::string> built) {
    if (const auto* error = std::get_if<std::string>(&built)) ADD_FAILURE() << *error;
    return std::get<World>(std::move(built));
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
        // Texts of the file are quoted as JSON writes them, so the message stays one
        // line; a key is judged before its value, even one beyond a double.
        {WithVessel("{\"emptyMass\": 1, \"na\\nme\": 1e400}"),
         "test.json: vessel: unknown key \"na\\nme\" (expected one of name, emptyMass, loadMass, tank, mainThrusters, "
         "orbit, flight)"},
        {WithBodies(R"([])"), "test.json: bodies: expected a list of at least one body, found an empty list"},
        {WithBodies(R"([{"name": "Earth", "mass": 6e24}, {"name": "Earth", "mass": 7e22}])"),
         "test.json: bodies[1].name: \"Earth\" names an earlier body too; expected a name of its own"},
        {WithBodies(R"([{"name": "Earth", "mass": "heavy"}])"),
         "test.json: bodies[0].mass: expected a mass in kg, 0 or from 0.001 to 1e+60, found \"heavy\" (a text)"},
        {WithBodies(
             R"([{"name": "Moon", "mass": 7e22, "orbit": {"about": "Earth", "periapsis": 4e8, "eccentricity": 0}}, {"name": "Earth", "mass": 6e24}])"),
         "test.json: bodies[0].orbit.about: no earlier body named \"Earth\" (expected a body listed before it, "
         "and none is)"},
        {WithBodies(R"([{"name": "Earth", "mass": 6e24, "position": [1, 2]}])"),
         "test.json: bodies[0].position: expected a list of three numbers, each a coordinate in m, "
         "from -1e+30 to 1e+30, found a list of 2"},
        // Beyond a double: named where it is and quoted as written.
        {WithBodies(R"([{"name": "A", "mass": 1, "position": [0, -1e999, 1e999]}])"),
         "test.json: bodies[0].position[1]: expected a coordinate in m, from -1e+30 to 1e+30, found -1e999"},
        {WithBodies(
             R"([{"name": "Sun", "mass": 2e30}, {"name": "Earth", "mass": 6e24, "velocity": [0, 0, 0], "orbit": {"about": "Sun", "periapsis": 1.5e11, "eccentricity": 0}}])"),
         "test.json: bodies[1].velocity: not allowed beside \"orbit\", which places the body; expected one or the "
         "other"},
        {WithBodies(R"([{"name": "Spinner", "mass": 1, "rotationPeriod": -1e-5}])"),
         "test.json: bodies[0].rotationPeriod: expected a period in s (negative for a body that turns backwards), 0 or "
         "from 0.001 to 1e+15 in size, found -1e-05"},
        {WithVessel(
             R"({"emptyMass": 1000, "mainThrusters": [{"maxThrust": 1, "isp": 3000}, {"maxThrust": 1, "isp": 0}], "orbit": {"about": "Earth", "periapsis": 7e6, "eccentricity": 0}})"),
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

// Unknown names and missing files are checked through kalvo play and kalvo, and that
// a refused file leaves the world as it was by the scenario fuzzer.
TEST(Scenarios, ADirectoryIsNoScenarioFile) {
    const std::string directory = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(ErrorOf(sim::BuildScenario(directory)),
              "cannot open scenario file \"" + directory + "\": not a regular file");
}

}  // namespace
