// The simulated world the stand-in host answers queries from: celestial bodies and
// the focus vessel. Tests and the front end set it up; handles given to the module
// point into it.
#pragma once

#include <string>
#include <vector>

#include "host/host_api.h"

namespace sim {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

struct Body {
    std::string name;
    double mass = 0;            // kg
    double radius = 0;          // m
    double rotationPeriod = 0;  // s, about the +z axis
    Vec3 position;              // m, in the world frame
    Vec3 velocity;              // m/s
};

struct Thruster {
    double maxThrust = 0;  // N
    double isp = 0;        // m/s
};

struct Tank {
    double mass = 0;        // kg of propellant
    double efficiency = 1;  // fraction of the thrusters' specific impulse delivered
};

struct Vessel {
    std::string name;
    double emptyMass = 0;  // kg
    double loadMass = 0;   // kg besides the empty vessel and its propellant
    Tank tank;
    std::vector<Thruster> mainThrusters;
    Vec3 position;
    Vec3 velocity;
};

struct World {
    std::vector<Body> bodies;
    Vessel focus;
    double time = 0;  // s since the start of the simulation
};

// The world the host queries answer from.
World& TheWorld();

}  // namespace sim
