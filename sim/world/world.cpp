// The world's frame tree and its motion in time.
#include "sim/world/world.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace sim {

World& TheWorld() {
    static World world;
    return world;
}

namespace {

constexpr int kOrigin = -1;

bool IsBody(const World& world, int node) { return node >= 0 && node < static_cast<int>(world.bodies.size()); }

// The object whose frame `node`'s state is measured in. A body's parent must come
// earlier in the list; any other parent counts as the origin, so no chain can loop.
int ParentOf(const World& world, int node) {
    if (node == kFocusNode) return IsBody(world, world.focus.reference) ? world.focus.reference : kOrigin;
    const int parent = world.bodies[node].parent;
    return parent >= 0 && parent < node ? parent : kOrigin;
}

State OwnState(const World& world, int node) {
    if (node == kFocusNode) return {world.focus.position, world.focus.velocity};
    return {world.bodies[node].position, world.bodies[node].velocity};
}

// Whether `target` is `node` or one of the frames it hangs from (the origin always is).
bool HangsFrom(const World& world, int node, int target) {
    for (; node != kOrigin; node = ParentOf(world, node))
        if (node == target) return true;
    return target == kOrigin;
}

// The state of `node` relative to `ancestor`, one of the frames it hangs from.
State StateWithin(const World& world, int node, int ancestor) {
    State sum;
    for (; node != ancestor; node = ParentOf(world, node)) {
        const State own = OwnState(world, node);
        sum = {sum.position + own.position, sum.velocity + own.velocity};
    }
    return sum;
}

Vec3 TurnedAboutZ(const Vec3& v, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

// The velocity of a point at `position` that turns with a body.
Vec3 SurfaceVelocity(const Body& body, const Vec3& position) { return Cross({0, 0, RotationRate(body)}, position); }

void MoveBodies(World& world, double dt) {
    for (int i = 0; i < static_cast<int>(world.bodies.size()); ++i) {
        Body& body = world.bodies[i];
        const int parent = ParentOf(world, i);
        if (parent == kOrigin) {
            body.position = body.position + body.velocity * dt;
            continue;
        }
        // The relative orbit of two bodies: the pull of both masses.
        const double mu = kGravitationalConstant * (world.bodies[parent].mass + body.mass);
        const State next = PropagateKepler({body.position, body.velocity}, mu, dt);
        body.position = next.position;
        body.velocity = next.velocity;
    }
}

// Puts the vessel on the surface of `body` below `position`, turning with it.
void Land(Vessel& vessel, const Body& body, const Vec3& position, double turnAfterwards) {
    const double distance = Length(position);
    const Vec3 onSurface = distance == 0 ? Vec3{body.radius, 0, 0} : position * (body.radius / distance);
    vessel.position = TurnedAboutZ(onSurface, RotationRate(body) * turnAfterwards);
    vessel.velocity = SurfaceVelocity(body, vessel.position);
    vessel.flight.reset();
    vessel.landed = true;
}

// Carries a vessel in steady flight `dt` seconds on from `time`: flying straight,
// it follows a great circle over the turning surface. It lands when its altitude
// reaches 0.
void Fly(Vessel& vessel, const Body& body, double time, double dt) {
    SteadyFlight& flight = *vessel.flight;
    const Vec3 overSurface = TurnedAboutZ(vessel.position, -RotationRate(body) * time);
    const double r = Length(overSurface);
    const double altitude = r - body.radius;
    const double airborne = flight.verticalSpeed < 0 ? std::clamp(altitude / -flight.verticalSpeed, 0.0, dt) : dt;

    // The angle flown about the centre, at the leg's mean distance from it.
    const double arc = flight.groundSpeed * airborne / (r + flight.verticalSpeed * airborne / 2);
    const Horizon here = LocalHorizon(overSurface);
    const Vec3 ahead = std::sin(flight.heading) * here.east + std::cos(flight.heading) * here.north;
    const Vec3 up = std::cos(arc) * here.up + std::sin(arc) * ahead;
    const Vec3 aheadThere = std::cos(arc) * ahead - std::sin(arc) * here.up;
    const Horizon there = LocalHorizon(up);
    flight.heading = std::atan2(Dot(aheadThere, there.east), Dot(aheadThere, there.north));

    const State next =
        FlightState(body, time + airborne, std::atan2(up.z, std::hypot(up.x, up.y)), std::atan2(up.y, up.x),
                    std::max(0.0, altitude + flight.verticalSpeed * airborne), flight);
    if (airborne < dt) {
        Land(vessel, body, next.position, dt - airborne);
        return;
    }
    vessel.position = next.position;
    vessel.velocity = next.velocity;
}

void MoveVessel(World& world, double dt) {
    Vessel& vessel = world.focus;
    if (!vessel.landed && !vessel.flight) {
        const int dominant = DominantBody(world);
        if (dominant != kOrigin && dominant != vessel.reference) {
            const State switched = RelativeState(world, kFocusNode, dominant);
            vessel.position = switched.position;
            vessel.velocity = switched.velocity;
            vessel.reference = dominant;
        }
    }
    if (!IsBody(world, vessel.reference)) {
        vessel.position = vessel.position + vessel.velocity * dt;
        return;
    }
    const Body& body = world.bodies[vessel.reference];
    if (vessel.landed) {
        vessel.position = TurnedAboutZ(vessel.position, RotationRate(body) * dt);
        vessel.velocity = SurfaceVelocity(body, vessel.position);
        return;
    }
    if (vessel.flight) {
        Fly(vessel, body, world.time, dt);
        return;
    }
    const State start{vessel.position, vessel.velocity};
    const double mu = kGravitationalConstant * body.mass;
    const State next = PropagateKepler(start, mu, dt);
    if (!(Length(next.position) < body.radius)) {
        vessel.position = next.position;
        vessel.velocity = next.velocity;
        return;
    }
    // The vessel met the surface during the step: find when, by halving the interval
    // in which it went below.
    double above = 0, below = dt;
    if (Length(start.position) < body.radius) below = 0;
    for (int i = 0; i < 60 && below > above; ++i) {
        const double middle = 0.5 * (above + below);
        if (Length(PropagateKepler(start, mu, middle).position) < body.radius)
            below = middle;
        else
            above = middle;
    }
    Land(vessel, body, PropagateKepler(start, mu, below).position, dt - below);
}

}  // namespace

State RelativeState(const World& world, int from, int to) {
    int common = from;
    while (!HangsFrom(world, to, common)) common = ParentOf(world, common);
    const State a = StateWithin(world, from, common);
    const State b = StateWithin(world, to, common);
    return {a.position - b.position, a.velocity - b.velocity};
}

int DominantBody(const World& world) {
    int chosen = world.bodies.empty() ? kOrigin : 0;
    double best = -std::numeric_limits<double>::infinity();
    for (int i = 0; i < static_cast<int>(world.bodies.size()); ++i) {
        const Vec3 offset = RelativeState(world, kFocusNode, i).position;
        const double pull = world.bodies[i].mass / Dot(offset, offset);
        if (pull > best) {
            chosen = i;
            best = pull;
        }
    }
    return chosen;
}

double RotationRate(const Body& body) {
    return body.rotationPeriod == 0 ? 0 : 2 * std::numbers::pi / body.rotationPeriod;
}

State FlightState(const Body& body, double time, double latitude, double longitude, double altitude,
                  const SteadyFlight& flight) {
    const double r = body.radius + altitude;
    const double turnedLongitude = longitude + RotationRate(body) * time;
    const Vec3 position{r * std::cos(latitude) * std::cos(turnedLongitude),
                        r * std::cos(latitude) * std::sin(turnedLongitude), r * std::sin(latitude)};
    const Horizon horizon = LocalHorizon(position);
    const Vec3 air = flight.groundSpeed * std::sin(flight.heading) * horizon.east +
                     flight.groundSpeed * std::cos(flight.heading) * horizon.north + flight.verticalSpeed * horizon.up;
    return {position, air + SurfaceVelocity(body, position)};
}

bool AdvanceWorld(World& world, double seconds) {
    if (!(seconds >= 0 && seconds <= kLongestAdvance)) return false;
    const double start = world.time;
    const double steps = std::ceil(seconds / kLongestStep);
    for (double i = 1; i <= steps; ++i) {
        const double dt = seconds / steps;
        MoveVessel(world, dt);
        MoveBodies(world, dt);
        world.time = start + seconds * (i / steps);
    }
    return true;
}

bool AdvanceTime(double seconds) { return AdvanceWorld(TheWorld(), seconds); }

}  // namespace sim
