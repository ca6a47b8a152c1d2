// The figures of the stand-in world, written once for both hosts: the Linux stand-in
// builds its built-in solar system and its `leo` ship from them, and the host with
// the simulator's ABI its fixed world. Plain numbers and texts only, as that host is
// built without the C++ library.
#pragma once

namespace sim {

// The constant of gravitation, m^3/s^2/kg: the 1986 CODATA value, which the page
// keeps too, so that the page's orbit equations reproduce the world's orbits.
inline constexpr double kGravitationalConstant = 6.67259e-11;

struct BodyFigures {
    const char* name;
    double mass;            // kg
    double radius;          // m, mean
    double rotationPeriod;  // s, sidereal
};

// An orbit as a scenario file gives it: distances in m from the centre of the body
// orbited, angles in degrees.
struct OrbitFigures {
    const char* about;
    double periapsis, apoapsis;
    double inclination, ascendingNode, argumentOfPeriapsis, trueAnomaly;
};

struct ShipFigures {
    const char* name;
    double emptyMass, loadMass;       // kg
    double fuelMass, tankEfficiency;  // kg; fraction of the engines' Isp delivered
    int mainEngines;                  // alike, each of:
    double maxThrust, isp;            // N, m/s
    OrbitFigures orbit;
};

// Masses, mean radii and sidereal rotation periods as the planetary fact sheets
// of the 2000s give them: the Sun turns in 25.05 days at its equator, the Moon in
// 27.321661 days.
inline constexpr BodyFigures kSun{"Sun", 1.9891e30, 6.96e8, 2164320};
inline constexpr BodyFigures kEarth{"Earth", 5.9736e24, 6.371e6, 86164.1};
inline constexpr BodyFigures kMoon{"Moon", 7.3477e22, 1.7374e6, 2360591.5};

// The world's x-y plane is the Earth's equator, so the Earth's path about the Sun
// is tilted by the Earth's obliquity (23.44 degrees). Perihelion and aphelion,
// perigee and apogee as those fact sheets round them; the Moon's orbit is tilted
// 5.145 degrees, here against the Earth's equator. The anomalies are where the
// built-in world starts them.
inline constexpr OrbitFigures kEarthOrbit{"Sun", 1.47098e11, 1.52098e11, 23.44, 0, 102.9, 20};
inline constexpr OrbitFigures kMoonOrbit{"Earth", 3.633e8, 4.055e8, 5.145, 125.08, 318.15, 135};

// The `leo` scenario's ship: 300 km by 400 km above the Earth's mean radius.
inline constexpr ShipFigures kLeoShip{
    "Kalvo Explorer", 12000, 1500, 8000, 1, 2, 60000, 3200, {"Earth", 6671000, 6771000, 28.5, 40, 30, 60}};

}  // namespace sim
