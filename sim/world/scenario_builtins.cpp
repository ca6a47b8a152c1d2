// The scenarios built into the stand-in host, and the solar system that every
// scenario without bodies of its own starts from.
#include "sim/world/figures.h"
#include "sim/world/scenario.h"
#include "sim/world/scenario_fields.h"

namespace sim {

namespace {

using ordered_json = nlohmann::ordered_json;

ordered_json BodyText(const BodyFigures& body) {
    return {{"name", body.name}, {"mass", body.mass}, {"radius", body.radius}, {"rotationPeriod", body.rotationPeriod}};
}

ordered_json OrbitText(const OrbitFigures& orbit) {
    return {{"about", orbit.about},
            {"periapsis", orbit.periapsis},
            {"apoapsis", orbit.apoapsis},
            {"inclination", orbit.inclination},
            {"ascendingNode", orbit.ascendingNode},
            {"argumentOfPeriapsis", orbit.argumentOfPeriapsis},
            {"trueAnomaly", orbit.trueAnomaly}};
}

ordered_json OrbitingBodyText(const BodyFigures& body, const OrbitFigures& orbit) {
    ordered_json text = BodyText(body);
    text["orbit"] = OrbitText(orbit);
    return text;
}

// The world's figures in the file format; the JSON writer gives each number in
// the fewest digits that read back as the same double.
std::string LeoText() {
    const ShipFigures& ship = kLeoShip;
    const ordered_json engine = {{"maxThrust", ship.maxThrust}, {"isp", ship.isp}};
    return ordered_json{{"vessel",
                         {{"name", ship.name},
                          {"emptyMass", ship.emptyMass},
                          {"loadMass", ship.loadMass},
                          {"tank", {{"mass", ship.fuelMass}, {"efficiency", ship.tankEfficiency}}},
                          {"mainThrusters", ordered_json(static_cast<std::size_t>(ship.mainEngines), engine)},
                          {"orbit", OrbitText(ship.orbit)}}}}
        .dump(2);
}

// Sun, Earth and Moon, for every scenario that lists no bodies of its own.
std::string SolarSystem() {
    return ordered_json{BodyText(kSun), OrbitingBodyText(kEarth, kEarthOrbit), OrbitingBodyText(kMoon, kMoonOrbit)}
        .dump(2);
}

}  // namespace

std::span<const BuiltInScenario> BuiltInScenarios() {
    static const std::string leo = LeoText();
    static const BuiltInScenario builtIns[] = {
        {"leo", "a ship in a 300 km by 400 km Earth orbit, with two main engines and fuel", leo},
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
    return builtIns;
}

std::string_view scenario::SolarSystemText() {
    static const std::string solarSystem = SolarSystem();
    return solarSystem;
}

}  // namespace sim
