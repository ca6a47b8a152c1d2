// Scenario files and the built-in scenarios: JSON read into a world, with every
// key checked, so that a mistake is reported where it is rather than flown.
#include "sim/world/scenario.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <vector>

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

// "PATH: " before a message about the value at PATH; nothing for the whole file.
std::string PlaceOf(const std::string& path) { return path.empty() ? "" : path + ": "; }

// A mistake in the scenario: where it is (a key path) and what is wrong.
class ScenarioMistake : public std::runtime_error {
public:
    ScenarioMistake(const std::string& path, const std::string& message)
        : std::runtime_error(PlaceOf(path) + message) {}
};

std::string NumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// A text of the file in double quotes, its control characters escaped as JSON
// escapes them, so that an error text stays on one line.
std::string Quoted(const std::string& text) { return json(text).dump(); }

// A JSON value as an error text quotes what was found. A number beyond the range
// of a double stands in the value as its text, held as bytes (which JSON text
// itself never gives), so that it is refused wherever it is and quoted as written.
std::string Found(const json& value) {
    if (value.is_binary()) return std::string(value.get_binary().begin(), value.get_binary().end());
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

// What a number in the file may be, and how an error text names it: `what`, then
// its range. With `smallestSize`, 0 is admitted and otherwise no smaller size.
struct Quantity {
    std::string_view what;
    double low;
    double high;
    bool lowIncluded = true;
    double smallestSize = 0;

    bool Admits(double value) const {
        return std::isfinite(value) && (lowIncluded ? value >= low : value > low) && value <= high &&
               (value == 0 || std::fabs(value) >= smallestSize);
    }
    std::string Expected() const {
        std::string range;
        if (smallestSize > 0)
            range = "0 or from " + NumberText(smallestSize) + " to " + NumberText(high) + (low < 0 ? " in size" : "");
        else if (lowIncluded)
            range = "from " + NumberText(low) + " to " + NumberText(high);
        else
            range = "greater than " + NumberText(low) + " and at most " + NumberText(high);
        return std::string(what) + ", " + range;
    }
};

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
                throw ScenarioMistake(path_, "unknown key " + Quoted(key) + " (expected one of " + ListOf(keys) + ")");
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
        const std::string expected = quantity.Expected();
        const json& value = At(key, expected);
        const double number = value.is_number() ? value.get<double>() : std::numeric_limits<double>::quiet_NaN();
        if (!value.is_number() || !quantity.Admits(number))
            throw ScenarioMistake(PathOf(key), "expected " + expected + ", found " + Found(value));
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
        const std::string expected = "a list of three numbers, each " + component.Expected();
        const json& value = At(key, expected);
        if (!value.is_array() || value.size() != 3)
            throw ScenarioMistake(PathOf(key), "expected " + expected + ", found " + Found(value));
        double xyz[3];
        for (int i = 0; i < 3; ++i) {
            if (!value[i].is_number() || !component.Admits(value[i].get<double>()))
                throw ScenarioMistake(PathOf(key) + "[" + std::to_string(i) + "]",
                                      "expected " + component.Expected() + ", found " + Found(value[i]));
            xyz[i] = value[i].get<double>();
        }
        return {xyz[0], xyz[1], xyz[2]};
    }

    // Exactly one of two keys that do the same job.
    std::string_view OneOf(std::string_view first, std::string_view second, std::string_view job) const {
        const std::string either = "\"" + std::string(first) + "\" or \"" + std::string(second) + "\"";
        if (Has(first) && Has(second)) throw ScenarioMistake(path_, "expected " + either + ", not both");
        if (!Has(first) && !Has(second))
            throw ScenarioMistake(path_, "missing " + either + "; expected one of them " + std::string(job));
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
    ReadBodies(top.Has("bodies") ? top.At("bodies") : json::parse(kSolarSystem), world);
    ReadVessel(top.At("vessel", "the vessel: its masses, engines and orbit or flight"), world);
    return world;
}

// Reads JSON text into a value, as json::parse does, while it knows where in the
// value it is, so that a number beyond the range of a double can be named by its
// key path.
class ScenarioTextReader final : public json::json_sax_t {
public:
    // A number too large for a double: where it is in the value and in the text.
    struct Overflow {
        json::json_pointer pointer;
        std::string path;
        std::string token;
        std::size_t end;  // just after the number in the text
    };

    json root;
    std::optional<Overflow> overflow;
    std::string error;  // the parser's description of broken JSON

    bool null() override { return Add(nullptr); }
    bool boolean(bool value) override { return Add(value); }
    bool number_integer(json::number_integer_t value) override { return Add(value); }
    bool number_unsigned(json::number_unsigned_t value) override { return Add(value); }
    bool number_float(json::number_float_t value, const std::string&) override { return Add(value); }
    bool string(std::string& value) override { return Add(std::move(value)); }
    bool binary(json::binary_t& value) override { return Add(std::move(value)); }
    bool start_object(std::size_t) override { return Open(json::object()); }
    bool key(std::string& key) override {
        open_.back().key = key;
        return true;
    }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(json::array()); }
    bool end_array() override { return Close(); }

    bool parse_error(std::size_t position, const std::string& token, const json::exception& exception) override {
        // 406 is the parser's number overflow.
        if (exception.id == 406) {
            overflow = Overflow{json::json_pointer(), "", token, position};
            for (std::size_t i = 0; i < open_.size(); ++i) {
                const OpenValue& open = open_[i];
                if (open.value->is_object()) {
                    overflow->pointer /= open.key;
                    overflow->path += (overflow->path.empty() ? "" : ".") + open.key;
                } else {
                    // The last list gets the number next; one further out holds an open value last.
                    const std::size_t index = open.value->size() - (i + 1 < open_.size() ? 1 : 0);
                    overflow->pointer /= index;
                    overflow->path += "[" + std::to_string(index) + "]";
                }
            }
            return false;
        }
        // The library's text reads "[json.exception.parse_error.101] parse error at line 3, column 5: ...".
        const std::string what = exception.what();
        const auto start = what.find("] ");
        error = "not valid JSON: " + (start == std::string::npos ? what : what.substr(start + 2));
        return false;
    }

private:
    struct OpenValue {
        json* value;
        std::string key;  // of an object: the key of the value being read
    };

    json* Place(json value) {
        if (open_.empty()) {
            root = std::move(value);
            return &root;
        }
        json& container = *open_.back().value;
        if (container.is_object()) return &(container[open_.back().key] = std::move(value));
        container.push_back(std::move(value));
        return &container.back();
    }
    bool Add(json value) {
        Place(std::move(value));
        return true;
    }
    // A container's place stays put while it is open: its own container takes a
    // further value only after it closes.
    bool Open(json value) {
        open_.push_back({Place(std::move(value)), {}});
        return true;
    }
    bool Close() {
        open_.pop_back();
        return true;
    }

    std::vector<OpenValue> open_;
};

// The JSON value of a scenario's text, or what is wrong with the text. Each number
// beyond the range of a double is read as its text, held as bytes (see Found).
std::variant<json, std::string> ParseScenarioText(std::string_view text) {
    std::string readable(text);
    std::vector<ScenarioTextReader::Overflow> overflows;
    for (;;) {
        ScenarioTextReader reader;
        if (json::sax_parse(readable, &reader)) {
            for (const auto& overflow : overflows) {
                if (!reader.root.contains(overflow.pointer))
                    return PlaceOf(overflow.path) + "expected a number within the range of a double (" +
                           NumberText(std::numeric_limits<double>::max()) + " in size), found " + overflow.token;
                reader.root[overflow.pointer] =
                    json::binary(std::vector<std::uint8_t>(overflow.token.begin(), overflow.token.end()));
            }
            return std::move(reader.root);
        }
        if (!reader.overflow) return reader.error;
        // Read the number as null, and go on to the rest of the text.
        const ScenarioTextReader::Overflow& overflow = *reader.overflow;
        const std::size_t length = overflow.token.size();
        if (overflow.end < length || readable.compare(overflow.end - length, length, overflow.token) != 0)
            return PlaceOf(overflow.path) + "expected a number within the range of a double, found " + overflow.token;
        readable.replace(overflow.end - length, length, "null");
        overflows.push_back(overflow);
    }
}

}  // namespace

std::span<const BuiltInScenario> BuiltInScenarios() { return kBuiltIns; }

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
    for (const BuiltInScenario& builtIn : kBuiltIns)
        if (builtIn.name == nameOrPath)
            return BuildScenarioFromText(builtIn.text, "built-in scenario \"" + std::string(nameOrPath) + "\"");

    std::string names;
    for (const BuiltInScenario& builtIn : kBuiltIns) names += std::string(builtIn.name) + " ";
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
