// The scenarios built into the stand-in host, and the solar system that every
// scenario without bodies of its own starts from.
#include "sim/world/scenario.h"
#include "sim/world/scenario_fields.h"

namespace sim {

namespace {

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

}  // namespace

std::span<const BuiltInScenario> BuiltInScenarios() { return kBuiltIns; }

std::string_view scenario::SolarSystemText() { return kSolarSystem; }

}  // namespace sim
