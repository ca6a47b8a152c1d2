// The simulated world the stand-in host answers queries from: celestial bodies and
// the focus vessel, moving in time. Handles given to the module point into it.
//
// For the front end (time acceleration in the live page, waits in scripts):
//   sim::LoadScenario(nameOrPath)   builds a world and installs it (sim/world/scenario.h);
//   sim::AdvanceTime(seconds)       moves the installed world on;
//   sim::TheWorld()                 the installed world, for showing its state.
//
// States hang from one another: a body's position and velocity are relative to the
// body it orbits, the vessel's relative to its reference body, so two-body motion
// about that body is kept to the last digit whatever the distances in the world.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/host_api.h"
#include "sim/world/figures.h"
#include "sim/world/kepler.h"
#include "sim/world/vec3.h"

namespace sim {

struct Body {
    std::string name;
    double mass = 0;            // kg
    double radius = 0;          // m
    double rotationPeriod = 0;  // s, about the world's z axis; 0 for a body that does not turn
    Vec3 position;              // m, relative to the parent, or to the world's origin without one
    Vec3 velocity;              // m/s, likewise
    // Index of the body this one orbits, which must come earlier in the list; -1 for
    // a body that moves in a straight line (or rests) in the world's frame.
    int parent = -1;
    // A body without a state, as the simulator's 2024 release can have: its relative
    // position and velocity queries then return without writing their output.
    bool stateless = false;
};

struct Thruster {
    double maxThrust = 0;  // N
    double isp = 0;        // m/s
};

struct Tank {
    double mass = 0;        // kg of propellant
    double efficiency = 1;  // fraction of the thrusters' specific impulse delivered
};

// A steady flight over a body's turning surface: lift and drag balance gravity, so
// the vessel keeps its speeds and heading until it meets the ground.
struct SteadyFlight {
    double groundSpeed = 0;    // m/s, horizontal, relative to the surface
    double heading = 0;        // rad, from north towards east
    double verticalSpeed = 0;  // m/s, up positive
};

struct Vessel {
    std::string name;
    double emptyMass = 0;  // kg
    double loadMass = 0;   // kg besides the empty vessel and its propellant
    Tank tank;
    std::vector<Thruster> mainThrusters;
    Vec3 position;  // m, relative to the reference body, or to the world's origin without one
    Vec3 velocity;  // m/s, likewise
    // Index of the body the vessel's state is measured from, -1 for none. Time keeps
    // it the body whose gravity acts most strongly on the vessel.
    int reference = -1;
    // Flying steadily over the reference body, rather than coasting along an orbit.
    std::optional<SteadyFlight> flight;
    // Resting on the reference body's surface and turning with it, after meeting it.
    bool landed = false;
};

struct World {
    std::vector<Body> bodies;
    Vessel focus;
    double time = 0;  // s since the start of the simulation; bodies have turned by 360 dg * time / period
};

// The world the host queries answer from.
World& TheWorld();

// An object of the world: a body's index, or the focus vessel.
inline constexpr int kFocusNode = -2;

// Position and velocity of object `from` relative to object `to`.
State RelativeState(const World& world, int from, int to);

// Index of the body whose gravity acts most strongly on the focus vessel (greatest
// mass over squared distance, the first of equals), or -1 without bodies.
int DominantBody(const World& world);

// The rate at which a body turns about the world's z axis, rad/s.
double RotationRate(const Body& body);

// The state, relative to the centre of `body`, of a vessel flying `flight` at
// `latitude` and `longitude` (radians, on the surface as it has turned by `time`)
// and `altitude` (m).
State FlightState(const Body& body, double time, double latitude, double longitude, double altitude,
                  const SteadyFlight& flight);

// The longest step of time in which the world moves as one: the vessel's reference
// body is chosen again, and its meeting with the surface looked for, at least this
// often.
inline constexpr double kLongestStep = 60;

// The longest time one call moves the world on (about 116 days): longer waits are
// made of several calls, each a bounded amount of work.
inline constexpr double kLongestAdvance = 1e7;

// Moves `world` on by `seconds`: every body along its orbit about its parent, the
// vessel along its orbit about its reference body (or in its steady flight, or with
// the surface it rests on), in steps no longer than kLongestStep. Returns false, and moves nothing, for
// a time that is negative, above kLongestAdvance or not a number.
bool AdvanceWorld(World& world, double seconds);

// AdvanceWorld on the installed world.
bool AdvanceTime(double seconds);

}  // namespace sim
