// Two-body mechanics for the simulated world: conic orbits from their elements,
// motion along them in time, and the local horizon of a point above a body.
//
// Every body turns about the world's z axis, so a body's equator lies in the
// world's x-y plane; orbital elements are measured against that plane.
#pragma once

#include "sim/world/vec3.h"

namespace sim {

struct State {
    Vec3 position;  // m
    Vec3 velocity;  // m/s
};

// A conic orbit; angles in radians.
struct Conic {
    double periapsis = 0;     // m from the centre, greater than 0
    double eccentricity = 0;  // 0 circle, below 1 ellipse, 1 parabola, above 1 hyperbola
    double inclination = 0;
    double ascendingNode = 0;        // longitude of the ascending node, from the x axis
    double argumentOfPeriapsis = 0;  // from the ascending node
    double trueAnomaly = 0;          // from periapsis
};

// The state on `orbit` about a centre of gravitational parameter `mu` (m^3/s^2).
State StateOnConic(const Conic& orbit, double mu);

// The state `seconds` later (or earlier, for a negative time) of a body moving
// freely about a centre of gravitational parameter `mu`, by Kepler's equation in
// universal variables: it keeps energy and angular momentum over any number of
// revolutions. Without a pull (mu not above 0) or from the centre itself the body
// moves in a straight line.
State PropagateKepler(const State& start, double mu, double seconds);

// The local horizon at `position` relative to a body's centre: east, up and north,
// unit vectors. At the poles, and at the centre, east is the x axis (and up the z
// axis at the centre).
struct Horizon {
    Vec3 east, up, north;
};
Horizon LocalHorizon(const Vec3& position);

}  // namespace sim
