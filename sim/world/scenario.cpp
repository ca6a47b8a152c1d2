// Scenario files: JSON read into a world, with every key checked, so that a
// mistake is reported where it is rather than flown.
#include "sim/world/scenario.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <numbers>

#include "sim/world/scenario_fields.h"

namespace sim {

namespace {

using namespace scenario;

// Bounds of the numbers a scenario holds. Each lies far beyond any flight, and
// together they keep every number the world derives from a scenario finite:
// squares of distances and speeds, a vessel's acceleration, a body's turn in time.
constexpr double kLargestDistance = 1e30;    // m, thousands of times across the observable universe
constexpr double kSpeedOfLight = 299792458;  // m/s, exact by the definition of the metre
constexpr double kSmallestMass = 1e-3;       // kg: a gram, apart from 0
constexpr double kLargestMass = 1e60;        // kg, millions of times the observable universe
constexpr double kLargestTime = 1e15;        // s, about 32 million years
constexpr double kShortestPeriod = 1e-3;     // s, below the fastest pulsars'
constexpr double kLargestEccentricity = 1e6;
constexpr double kLargestThrust = 1e15;  // N
// A steady flight follows the surface at its distance from the centre; below a
// metre the angle it flies round in a step grows without bound.
constexpr double kSmallestRadiusFlownOver = 1;  // m

constexpr Quantity kMass{"a mass in kg", 0, kLargestMass, true, kSmallestMass};
constexpr Quantity kDistance{"a distance in m", 0, kLargestDistance, false};
constexpr Quantity kHeight{"a distance in m", 0, kLargestDistance};
constexpr Quantity kPeriod{"a period in s (negative for a body that turns backwards)", -kLargestTime, kLargestTime,
                           true, kShortestPeriod};
constexpr Quantity kTime{"a time in s", 0, kLargestTime};
constexpr Quantity kAngle{"an angle in degrees", -360, 360};
constexpr Quantity kLatitude{"a latitude in degrees", -90, 90};
constexpr Quantity kEccentricity{"an eccentricity", 0, kLargestEccentricity};
constexpr Quantity kThrust{"a thrust in N", 0, kLargestThrust};
constexpr Quantity kIsp{"a specific impulse in m/s", 0, kSpeedOfLight, false};
constexpr Quantity kEfficiency{"an efficiency", 0, 1, false};
constexpr Quantity kSpeed{"a speed in m/s", 0, kSpeedOfLight};
constexpr Quantity kVerticalSpeed{"a speed in m/s, up positive", -kSpeedOfLight, kSpeedOfLight};
constexpr Quantity kCoordinate{"a coordinate in m", -kLargestDistance, kLargestDistance};
constexpr Quantity kVelocity{"a velocity component in m/s", -kSpeedOfLight, kSpeedOfLight};

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

// Index of the body called `name` among the first `count` bodies of the world.
int BodyNamed(const World& world, int count, const Fields& fields, std::string_view key, std::string_view which) {
    const std::string name = fields.Text(key);
    std::string names;
    for (int i = 0; i < count; ++i) {
        if (world.bodies[i].name == name) return i;
        names += (names.empty() ? "" : ", ") + Quoted(world.bodies[i].name);
    }
    throw ScenarioMistake(
        fields.PathOf(key),
        "no " + std::string(which) + "body named " + Quoted(name) + " (" +
            (names.empty() ? "expected a body listed before it, and none is" : "expected one of " + names) + ")");
}

// An orbit about one of the first `count` bodies, of an object of mass
// `ownMass`: its centre's index and the object's state relative to it.
struct PlacedOrbit {
    int about;
    State state;
};

PlacedOrbit ReadOrbit(const json& node, const std::string& path, const World& world, int count, std::string_view which,
                      double ownMass) {
    const Fields orbit(node, path,
                       {"about", "periapsis", "apoapsis", "eccentricity", "inclination", "ascendingNode",
                        "argumentOfPeriapsis", "trueAnomaly"});
    const int about = BodyNamed(world, count, orbit, "about", which);
    const Body& centre = world.bodies[about];
    const double mu = kGravitationalConstant * (centre.mass + ownMass);
    if (mu == 0)
        throw ScenarioMistake(orbit.PathOf("about"),
                              Quoted(centre.name) + " has no mass to be orbited; expected a body of some mass");
    Conic conic;
    conic.periapsis = orbit.Number("periapsis", kDistance);
    if (orbit.OneOf("apoapsis", "eccentricity", "to give the orbit its shape") == "apoapsis") {
        const Quantity beyondPeriapsis{"a distance in m, at least the periapsis", conic.periapsis, kLargestDistance};
        const double apoapsis = orbit.Number("apoapsis", beyondPeriapsis);
        conic.eccentricity = (apoapsis - conic.periapsis) / (apoapsis + conic.periapsis);
    } else {
        conic.eccentricity = orbit.Number("eccentricity", kEccentricity);
    }
    // The speed is greatest at periapsis, which every orbit passes or leaves.
    const double fastest = std::sqrt(mu * (1 + conic.eccentricity) / conic.periapsis);
    if (!(fastest < kSpeedOfLight)) {
        const std::string speed = NumberText(fastest), light = NumberText(kSpeedOfLight);
        throw ScenarioMistake(path, "moves at " + speed + " m/s at periapsis; expected a speed below " + light +
                                        " m/s, the speed of light (a wider periapsis, or a lighter body to orbit)");
    }
    conic.inclination = Radians(orbit.Number("inclination", kAngle, 0));
    conic.ascendingNode = Radians(orbit.Number("ascendingNode", kAngle, 0));
    conic.argumentOfPeriapsis = Radians(orbit.Number("argumentOfPeriapsis", kAngle, 0));
    const double anomaly = orbit.Number("trueAnomaly", kAngle, 0);
    conic.trueAnomaly = Radians(anomaly);
    if (1 + conic.eccentricity * std::cos(conic.trueAnomaly) <= 0) {
        const double limit = std::acos(-1 / conic.eccentricity) * 180 / std::numbers::pi;
        throw ScenarioMistake(orbit.PathOf("trueAnomaly"),
                              "expected an angle in degrees between " + NumberText(-limit) + " and " +
                                  NumberText(limit) + " on this open orbit (eccentricity " +
                                  NumberText(conic.eccentricity) + "), found " + NumberText(anomaly));
    }
    const State state = StateOnConic(conic, mu);
    // Near an open orbit's asymptote the distance grows without bound.
    const double distance = Length(state.position);
    if (!(distance <= kLargestDistance)) {
        const std::string start = NumberText(distance), largest = NumberText(kLargestDistance);
        throw ScenarioMistake(orbit.PathOf("trueAnomaly"), "starts " + start + " m from the centre of " +
                                                               Quoted(centre.name) + "; expected a start within " +
                                                               largest + " m (an anomaly farther from the asymptote)");
    }
    return {about, state};
}

void ReadBodies(const json& node, World& world) {
    if (!node.is_array() || node.empty())
        throw ScenarioMistake("bodies", "expected a list of at least one body, found " + Found(node));
    for (int i = 0; i < static_cast<int>(node.size()); ++i) {
        const Fields fields(node[i], "bodies[" + std::to_string(i) + "]",
                            {"name", "mass", "radius", "rotationPeriod", "orbit", "position", "velocity"});
        Body body;
        body.name = fields.Text("name");
        for (const Body& earlier : world.bodies)
            if (earlier.name == body.name)
                throw ScenarioMistake(fields.PathOf("name"),
                                      Quoted(body.name) + " names an earlier body too; expected a name of its own");
        body.mass = fields.Number("mass", kMass);
        body.radius = fields.Number("radius", kHeight, 0);
        body.rotationPeriod = fields.Number("rotationPeriod", kPeriod, 0);
        if (fields.Has("orbit")) {
            for (const auto key : {"position", "velocity"})
                if (fields.Has(key))
                    throw ScenarioMistake(fields.PathOf(key),
                                          "not allowed beside \"orbit\", which places the body; expected one or "
                                          "the other");
            const PlacedOrbit orbit =
                ReadOrbit(fields.At("orbit"), fields.PathOf("orbit"), world, i, "earlier ", body.mass);
            body.position = orbit.state.position;
            body.velocity = orbit.state.velocity;
            body.parent = orbit.about;
        } else {
            body.position = fields.Vector("position", kCoordinate);
            body.velocity = fields.Vector("velocity", kVelocity);
        }
        world.bodies.push_back(std::move(body));
    }
}

// A vessel in steady flight over a body: its place on the turning surface and its
// velocity relative to the air above it.
void ReadFlight(const Fields& fields, World& world) {
    Vessel& vessel = world.focus;
    const Body& body = world.bodies[vessel.reference];
    if (!(body.radius >= kSmallestRadiusFlownOver)) {
        const std::string radius = NumberText(body.radius), smallest = NumberText(kSmallestRadiusFlownOver);
        throw ScenarioMistake(fields.PathOf("over"), Quoted(body.name) + " has a radius of " + radius +
                                                         " m; expected a body with a surface to fly over, of a "
                                                         "radius of at least " +
                                                         smallest + " m");
    }
    const double altitude = fields.Number("altitude", kHeight);
    const double latitude = Radians(fields.Number("latitude", kLatitude, 0));
    const double longitude = Radians(fields.Number("longitude", kAngle, 0));
    const SteadyFlight flight{fields.Number("groundSpeed", kSpeed, 0), Radians(fields.Number("heading", kAngle, 0)),
                              fields.Number("verticalSpeed", kVerticalSpeed, 0)};
    const State state = FlightState(body, world.time, latitude, longitude, altitude, flight);
    vessel.position = state.position;
    vessel.velocity = state.velocity;
    vessel.flight = flight;
}

void ReadVessel(const json& node, World& world) {
    const Fields fields(node, "vessel", {"name", "emptyMass", "loadMass", "tank", "mainThrusters", "orbit", "flight"});
    Vessel& vessel = world.focus;
    vessel.name = fields.Text("name", "");
    vessel.emptyMass = fields.Number("emptyMass", kMass);
    vessel.loadMass = fields.Number("loadMass", kMass, 0);
    if (fields.Has("tank")) {
        const Fields tank(fields.At("tank"), fields.PathOf("tank"), {"mass", "efficiency"});
        vessel.tank = {tank.Number("mass", kMass), tank.Number("efficiency", kEfficiency, 1)};
    }
    if (fields.Has("mainThrusters")) {
        const json& list = fields.At("mainThrusters");
        if (!list.is_array())
            throw ScenarioMistake(fields.PathOf("mainThrusters"), "expected a list of thrusters, found " + Found(list));
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Fields thruster(list[i], fields.PathOf("mainThrusters") + "[" + std::to_string(i) + "]",
                                  {"maxThrust", "isp"});
            vessel.mainThrusters.push_back({thruster.Number("maxThrust", kThrust), thruster.Number("isp", kIsp)});
        }
    }
    const int count = static_cast<int>(world.bodies.size());
    if (fields.OneOf("orbit", "flight", "to place the vessel") == "orbit") {
        // The vessel's own mass does not pull: it coasts about the body alone.
        const PlacedOrbit orbit = ReadOrbit(fields.At("orbit"), fields.PathOf("orbit"), world, count, "", 0);
        vessel.reference = orbit.about;
        vessel.position = orbit.state.position;
        vessel.velocity = orbit.state.velocity;
    } else {
        const Fields flight(fields.At("flight"), fields.PathOf("flight"),
                            {"over", "altitude", "latitude", "longitude", "groundSpeed", "heading", "verticalSpeed"});
        vessel.reference = BodyNamed(world, count, flight, "over", "");
        ReadFlight(flight, world);
    }
}

World ReadWorld(const json& root) {
    const Fields top(root, "", {"description", "time", "bodies", "vessel"});
    if (top.Has("description")) top.Text("description");  // only checked: it is for the reader
    World world;
    world.time = top.Number("time", kTime, 0);
    ReadBodies(top.Has("bodies") ? top.At("bodies") : json::parse(SolarSystemText()), world);
    ReadVessel(top.At("vessel", "the vessel: its masses, engines and orbit or flight"), world);
    return world;
}

// The line and column of byte `offset` of `text`, both from 1, as the parser's
// own messages give them.
std::string LineAndColumn(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, offset);
    const std::size_t lineStart = before.rfind('\n') + 1;  // 0 on the first line
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    return "line " + std::to_string(line) + ", column " + std::to_string(offset - lineStart + 1);
}

// Accepts everything and keeps where the parser stopped: the place of a number
// beyond the range of a double, which the parser names without its place.
struct NumberOverflow final : json::json_sax_t {
    std::size_t end = 0;  // just after the number
    std::string number;
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t position, const std::string& token, const json::exception&) override {
        end = position;
        number = token;
        return false;
    }
};

// The JSON value of a scenario's text, or what is wrong with the text, with its
// line and column.
std::variant<json, std::string> ParseScenarioText(std::string_view text) {
    try {
        return json::parse(text);
    } catch (const json::parse_error& error) {
        // The library's text reads "[json.exception.parse_error.101] parse error at line 3, column 5: ...".
        const std::string what = error.what();
        const auto start = what.find("] ");
        return "not valid JSON: " + (start == std::string::npos ? what : what.substr(start + 2));
    } catch (const json::out_of_range&) {
        NumberOverflow overflow;
        json::sax_parse(text, &overflow);
        return "not valid JSON: parse error at " + LineAndColumn(text, overflow.end - overflow.number.size()) +
               ": expected a number within the range of a double (" + NumberText(std::numeric_limits<double>::max()) +
               " in size), found " + overflow.number;
    }
}

}  // namespace

std::variant<World, std::string> BuildScenarioFromText(std::string_view text, std::string_view source) {
    const std::string where(source);
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return where + ": " + (text.empty() ? "empty" : "only blanks") +
               "; expected a scenario: a JSON object with at least a \"vessel\"";
    const auto parsed = ParseScenarioText(text);
    if (const auto* error = std::get_if<std::string>(&parsed)) return where + ": " + *error;
    try {
        return ReadWorld(std::get<json>(parsed));
    } catch (const ScenarioMistake& mistake) {
        return where + ": " + mistake.what();
    }
}

std::variant<World, std::string> BuildScenario(std::string_view nameOrPath) {
    for (const BuiltInScenario& builtIn : BuiltInScenarios())
        if (builtIn.name == nameOrPath)
            return BuildScenarioFromText(builtIn.text, "built-in scenario \"" + std::string(nameOrPath) + "\"");

    std::string names;
    for (const BuiltInScenario& builtIn : BuiltInScenarios()) names += std::string(builtIn.name) + " ";
    const std::string expected = "(expected one of " + names + "or the path of a scenario file)";
    if (nameOrPath.empty()) return "no scenario named " + expected;

    const std::string path(nameOrPath);
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        if (path.find_first_of("/.") == std::string::npos) {
            return "unknown scenario \"" + path + "\" " + expected;
        }
        return "cannot open scenario file \"" + path + "\": no such file";
    }
    if (!std::filesystem::is_regular_file(status))
        return "cannot open scenario file \"" + path + "\": not a regular file";
    std::ifstream file(path, std::ios::binary);
    if (!file) return "cannot read scenario file \"" + path + "\": " + std::strerror(errno);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return "cannot read scenario file \"" + path + "\": " + std::strerror(errno);
    return BuildScenarioFromText(text, path);
}

std::string LoadScenario(std::string_view nameOrPath) {
    auto built = BuildScenario(nameOrPath);
    if (auto* error = std::get_if<std::string>(&built)) return *error;
    TheWorld() = std::move(std::get<World>(built));
    return "";
}

}  // namespace sim
