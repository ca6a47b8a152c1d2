// Scenario files and the built-in scenarios: JSON read into a world, with every
// key checked, so that a mistake is reported where it is rather than flown.
#include "sim/scenario.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <numbers>
#include <sstream>
#include <stdexcept>

namespace sim {

namespace {

using nlohmann::json;

// Sun, Earth and Moon, for every scenario that lists no bodies of its own. The
// world's x-y plane is the Earth's equator, so the Earth's path about the Sun is
// tilted by the Earth's obliquity.
constexpr std::string_view kSolarSystem = R"([
  {"name": "Sun", "mass": 1.9891e30, "radius": 6.96e8, "rotationPeriod": 2164320},
  {"name": "Earth", "mass": 5.9736e24, "radius": 6.371e6, "rotationPeriod": 86164.1,
   "orbit": {"about": "Sun", "periapsis": 1.47098e11, "apoapsis": 1.52098e11,
             "inclination": 23.44, "argumentOfPeriapsis": 102.9, "trueAnomaly": 20}},
  {"name": "Moon", "mass": 7.3477e22, "radius": 1.7374e6, "rotationPeriod": 2360591.5,
   "orbit": {"about": "Earth", "periapsis": 3.633e8, "apoapsis": 4.055e8, "inclination": 5.145,
             "ascendingNode": 125.08, "argumentOfPeriapsis": 318.15, "trueAnomaly": 135}}
])";

constexpr BuiltInScenario kBuiltIns[] = {
    {"leo", "a ship in a 300 km by 400 km Earth orbit, with two main engines and fuel", R"({
  "vessel": {
    "name": "Kalvo Explorer", "emptyMass": 12000, "loadMass": 1500,
    "tank": {"mass": 8000, "efficiency": 1},
    "mainThrusters": [{"maxThrust": 60000, "isp": 3200}, {"maxThrust": 60000, "isp": 3200}],
    "orbit": {"about": "Earth", "periapsis": 6671000, "apoapsis": 6771000, "inclination": 28.5,
              "ascendingNode": 40, "argumentOfPeriapsis": 30, "trueAnomaly": 60}
  }
})"},
    {"lunar-orbit", "a lander in a 100 km by 120 km orbit about the Moon", R"({
  "vessel": {
    "name": "Kalvo Lander", "emptyMass": 4200, "loadMass": 300,
    "tank": {"mass": 7800, "efficiency": 0.98},
    "mainThrusters": [{"maxThrust": 45000, "isp": 3050}],
    "orbit": {"about": "Moon", "periapsis": 1837400, "apoapsis": 1857400, "inclination": 12,
              "trueAnomaly": 45}
  }
})"},
    {"glide", "a spaceplane gliding at 18 km over the Earth, 220 m/s, sinking 12 m/s", R"({
  "vessel": {
    "name": "Kalvo Glider", "emptyMass": 9000, "loadMass": 700,
    "tank": {"mass": 150, "efficiency": 1},
    "mainThrusters": [{"maxThrust": 40000, "isp": 3000}, {"maxThrust": 40000, "isp": 3000}],
    "flight": {"over": "Earth", "altitude": 18000, "latitude": 34.9, "longitude": -117.9,
               "groundSpeed": 220, "heading": 250, "verticalSpeed": -12}
  }
})"},
    {"no-engines", "a supply module without main engines in a 400 km circular Earth orbit", R"({
  "vessel": {
    "name": "Kalvo Carrier", "emptyMass": 7000, "loadMass": 2500,
    "tank": {"mass": 300, "efficiency": 1},
    "orbit": {"about": "Earth", "periapsis": 6771000, "eccentricity": 0, "inclination": 51.6}
  }
})"},
};

// A mistake in the scenario: where it is (a key path) and what is wrong.
class ScenarioMistake : public std::runtime_error {
public:
    ScenarioMistake(const std::string& path, const std::string& message)
        : std::runtime_error(path.empty() ? message : path + ": " + message) {}
};

std::string NumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// A JSON value as an error text quotes what was found.
std::string Found(const json& value) {
    if (value.is_number()) return NumberText(value.get<double>());
    if (value.is_string()) return value.dump() + " (a text)";
    if (value.is_object()) return "an object";
    if (value.is_array()) return value.empty() ? "an empty list" : "a list of " + std::to_string(value.size());
    return value.dump();
}

std::string ListOf(std::initializer_list<std::string_view> names) {
    std::string list;
    for (const auto name : names) list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// What a number in the file may be, and how an error text names it.
struct Quantity {
    std::string_view expected;
    double low = -kInfinity;
    double high = kInfinity;
    bool lowIncluded = true;
    bool Admits(double value) const {
        return std::isfinite(value) && (lowIncluded ? value >= low : value > low) && value <= high;
    }
};

constexpr Quantity kMass{"a mass in kg, at least 0", 0};
constexpr Quantity kDistance{"a distance in m, greater than 0", 0, kInfinity, false};
constexpr Quantity kHeight{"a distance in m, at least 0", 0};
constexpr Quantity kPeriod{"a period in s (0 for a body that does not turn)"};
constexpr Quantity kTime{"a time in s, at least 0", 0};
constexpr Quantity kAngle{"an angle in degrees"};
constexpr Quantity kLatitude{"a latitude in degrees, from -90 to 90", -90, 90};
constexpr Quantity kEccentricity{"an eccentricity, at least 0", 0};
constexpr Quantity kThrust{"a thrust in N, at least 0", 0};
constexpr Quantity kIsp{"a specific impulse in m/s, greater than 0", 0, kInfinity, false};
constexpr Quantity kEfficiency{"an efficiency greater than 0", 0, kInfinity, false};
constexpr Quantity kSpeed{"a speed in m/s, at least 0", 0};
constexpr Quantity kVerticalSpeed{"a speed in m/s, up positive"};
constexpr Quantity kCoordinate{"a coordinate in m"};
constexpr Quantity kVelocity{"a velocity component in m/s"};

// An object of the scenario and its key path; refuses keys it does not know.
class Fields {
public:
    Fields(const json& node, std::string path, std::initializer_list<std::string_view> keys)
        : node_(node), path_(std::move(path)) {
        if (!node.is_object()) throw ScenarioMistake(path_, "expected an object, found " + Found(node));
        for (const auto& [key, value] : node.items()) {
            bool known = false;
            for (const auto allowed : keys) known |= key == allowed;
            if (!known)
                throw ScenarioMistake(path_, "unknown key \"" + key + "\" (expected one of " + ListOf(keys) + ")");
        }
    }

    std::string PathOf(std::string_view key) const {
        return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
    }
    bool Has(std::string_view key) const { return node_.contains(key); }
    const json& At(std::string_view key, std::string_view expected = "a value") const {
        const auto found = node_.find(key);
        if (found == node_.end()) throw ScenarioMistake(PathOf(key), "missing; expected " + std::string(expected));
        return *found;
    }

    double Number(std::string_view key, const Quantity& quantity) const {
        const json& value = At(key, quantity.expected);
        const double number = value.is_number() ? value.get<double>() : std::numeric_limits<double>::quiet_NaN();
        if (!value.is_number() || !quantity.Admits(number))
            throw ScenarioMistake(PathOf(key),
                                  "expected " + std::string(quantity.expected) + ", found " + Found(value));
        return number;
    }
    double Number(std::string_view key, const Quantity& quantity, double fallback) const {
        return Has(key) ? Number(key, quantity) : fallback;
    }

    std::string Text(std::string_view key) const {
        const json& value = At(key, "a text");
        if (!value.is_string() || value.get<std::string>().empty())
            throw ScenarioMistake(PathOf(key), "expected a text that is not empty, found " + Found(value));
        return value.get<std::string>();
    }
    std::string Text(std::string_view key, std::string fallback) const { return Has(key) ? Text(key) : fallback; }

    Vec3 Vector(std::string_view key, const Quantity& component) const {
        if (!Has(key)) return {};
        const std::string expected = "a list of three numbers, each " + std::string(component.expected);
        const json& value = At(key, expected);
        if (!value.is_array() || value.size() != 3)
            throw ScenarioMistake(PathOf(key), "expected " + expected + ", found " + Found(value));
        double xyz[3];
        for (int i = 0; i < 3; ++i) {
            if (!value[i].is_number() || !component.Admits(value[i].get<double>()))
                throw ScenarioMistake(PathOf(key) + "[" + std::to_string(i) + "]",
                                      "expected " + std::string(component.expected) + ", found " + Found(value[i]));
            xyz[i] = value[i].get<double>();
        }
        return {xyz[0], xyz[1], xyz[2]};
    }

    // Exactly one of two keys that do the same job.
    std::string_view OneOf(std::string_view first, std::string_view second, std::string_view job) const {
        if (Has(first) && Has(second))
            throw ScenarioMistake(path_,
                                  "give \"" + std::string(first) + "\" or \"" + std::string(second) + "\", not both");
        if (!Has(first) && !Has(second))
            throw ScenarioMistake(
                path_, "missing \"" + std::string(first) + "\" or \"" + std::string(second) + "\" " + std::string(job));
        return Has(first) ? first : second;
    }

private:
    const json& node_;
    std::string path_;
};

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

// Index of the body called `name` among the first `count` bodies of the world.
int BodyNamed(const World& world, int count, const Fields& fields, std::string_view key, std::string_view which) {
    const std::string name = fields.Text(key);
    std::string names;
    for (int i = 0; i < count; ++i) {
        if (world.bodies[i].name == name) return i;
        names += (names.empty() ? "" : ", ") + world.bodies[i].name;
    }
    throw ScenarioMistake(fields.PathOf(key),
                          "no " + std::string(which) + "body named \"" + name + "\" (" +
                              (names.empty() ? "none comes before it" : "expected one of " + names) + ")");
}

// An orbit about one of the first `count` bodies: its centre's index and the conic.
struct PlacedOrbit {
    int about;
    Conic conic;
};

PlacedOrbit ReadOrbit(const json& node, const std::string& path, const World& world, int count,
                      std::string_view which) {
    const Fields orbit(node, path,
                       {"about", "periapsis", "apoapsis", "eccentricity", "inclination", "ascendingNode",
                        "argumentOfPeriapsis", "trueAnomaly"});
    PlacedOrbit placed{BodyNamed(world, count, orbit, "about", which), {}};
    Conic& conic = placed.conic;
    conic.periapsis = orbit.Number("periapsis", kDistance);
    if (orbit.OneOf("apoapsis", "eccentricity", "to give the orbit its shape") == "apoapsis") {
        const std::string expected = "a distance in m, at least the periapsis (" + NumberText(conic.periapsis) + ")";
        const Quantity beyondPeriapsis{expected, conic.periapsis};
        const double apoapsis = orbit.Number("apoapsis", beyondPeriapsis);
        conic.eccentricity = (apoapsis - conic.periapsis) / (apoapsis + conic.periapsis);
    } else {
        conic.eccentricity = orbit.Number("eccentricity", kEccentricity);
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
    return placed;
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
                                      "\"" + body.name + "\" names an earlier body too; expected a name of its own");
        body.mass = fields.Number("mass", kMass);
        body.radius = fields.Number("radius", kHeight, 0);
        body.rotationPeriod = fields.Number("rotationPeriod", kPeriod, 0);
        if (fields.Has("orbit")) {
            for (const auto key : {"position", "velocity"})
                if (fields.Has(key))
                    throw ScenarioMistake(fields.PathOf(key), "not allowed beside \"orbit\", which places the body");
            const PlacedOrbit orbit = ReadOrbit(fields.At("orbit"), fields.PathOf("orbit"), world, i, "earlier ");
            const double mu = kGravitationalConstant * (world.bodies[orbit.about].mass + body.mass);
            const State state = StateOnConic(orbit.conic, mu);
            body.position = state.position;
            body.velocity = state.velocity;
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
        const PlacedOrbit orbit = ReadOrbit(fields.At("orbit"), fields.PathOf("orbit"), world, count, "");
        const State state = StateOnConic(orbit.conic, kGravitationalConstant * world.bodies[orbit.about].mass);
        vessel.reference = orbit.about;
        vessel.position = state.position;
        vessel.velocity = state.velocity;
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
    ReadBodies(top.Has("bodies") ? top.At("bodies") : json::parse(kSolarSystem), world);
    ReadVessel(top.At("vessel", "the vessel: its masses, engines and orbit or flight"), world);
    return world;
}

}  // namespace

std::span<const BuiltInScenario> BuiltInScenarios() { return kBuiltIns; }

std::variant<World, std::string> BuildScenarioFromText(std::string_view text, std::string_view source) {
    const std::string where(source);
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& error) {
        // The library's text reads "[json.exception.parse_error.101] parse error at line 3, column 5: ...".
        const std::string what = error.what();
        const auto start = what.find("] ");
        return where + ": not valid JSON: " + (start == std::string::npos ? what : what.substr(start + 2));
    }
    try {
        return ReadWorld(root);
    } catch (const ScenarioMistake& mistake) {
        return where + ": " + mistake.what();
    }
}

std::variant<World, std::string> BuildScenario(std::string_view nameOrPath) {
    for (const BuiltInScenario& builtIn : kBuiltIns)
        if (builtIn.name == nameOrPath)
            return BuildScenarioFromText(builtIn.text, "built-in scenario \"" + std::string(nameOrPath) + "\"");

    const std::string path(nameOrPath);
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        if (path.find_first_of("/.") == std::string::npos) {
            std::string names;
            for (const BuiltInScenario& builtIn : kBuiltIns) names += std::string(builtIn.name) + " ";
            return "unknown scenario \"" + path + "\" (expected one of " + names + "or the path of a scenario file)";
        }
        return "cannot open scenario file \"" + path + "\": no such file";
    }
    if (!std::filesystem::is_regular_file(status))
        return "cannot open scenario file \"" + path + "\": not a regular file";
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file || !text) return "cannot read scenario file \"" + path + "\": " + std::strerror(errno);
    return BuildScenarioFromText(text.str(), path);
}

std::string LoadScenario(std::string_view nameOrPath) {
    auto built = BuildScenario(nameOrPath);
    if (auto* error = std::get_if<std::string>(&built)) return *error;
    TheWorld() = std::move(std::get<World>(built));
    return "";
}

}  // namespace sim
