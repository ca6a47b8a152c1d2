// The host's queries of the simulated world, answered from sim::TheWorld().
#include <cmath>
#include <cstdint>

#include "sim/world/world.h"

namespace sim {

namespace {

constexpr int kUnknown = -3;

// The world object behind a handle the host gave out, or kUnknown. A body's handle
// is its address in the world's list, so its place there is worked out from the
// address rather than searched for: a query costs the same among any number of bodies.
int NodeOf(const World& world, OBJHANDLE object) {
    if (object == &world.focus) return kFocusNode;
    const auto address = reinterpret_cast<std::uintptr_t>(object);
    const auto first = reinterpret_cast<std::uintptr_t>(world.bodies.data());
    if (address < first || address >= first + world.bodies.size() * sizeof(Body)) return kUnknown;
    if ((address - first) % sizeof(Body) != 0) return kUnknown;
    return static_cast<int>((address - first) / sizeof(Body));
}

// A body the simulator would hold no state for: its relative queries write nothing.
bool Stateless(const World& world, int node) { return node >= 0 && world.bodies[node].stateless; }

const Body* BodyOf(const World& world, OBJHANDLE object) {
    const int node = NodeOf(world, object);
    return node >= 0 ? &world.bodies[node] : nullptr;
}

const Body* BodyOf(OBJHANDLE object) { return BodyOf(TheWorld(), object); }

Vessel* VesselOf(OBJHANDLE object) {
    World& world = TheWorld();
    return object == &world.focus ? &world.focus : nullptr;
}

VECTOR3 ToVector3(const Vec3& v) { return {{v.x, v.y, v.z}}; }

// The focus vessel's state relative to the body whose gravity acts most strongly on
// it, and that body; null without bodies.
const Body* SurfaceFrame(State& relative) {
    const World& world = TheWorld();
    const int body = DominantBody(world);
    if (body < 0) return nullptr;
    relative = RelativeState(world, kFocusNode, body);
    return &world.bodies[body];
}

}  // namespace

}  // namespace sim

using namespace sim;

VESSEL::VESSEL(OBJHANDLE hVessel, int) : handle_(hVessel) {}

DWORD VESSEL::GetGroupThrusterCount(THGROUP_TYPE thgt) const {
    const Vessel* vessel = VesselOf(handle_);
    return vessel && thgt == THGROUP_MAIN ? static_cast<DWORD>(vessel->mainThrusters.size()) : 0;
}

THRUSTER_HANDLE VESSEL::GetGroupThruster(THGROUP_TYPE thgt, DWORD idx) const {
    Vessel* vessel = VesselOf(handle_);
    if (!vessel || thgt != THGROUP_MAIN || idx >= vessel->mainThrusters.size()) return nullptr;
    return &vessel->mainThrusters[idx];
}

double VESSEL::GetThrusterMax(THRUSTER_HANDLE th) const { return th ? static_cast<const Thruster*>(th)->maxThrust : 0; }

double VESSEL::GetThrusterIsp(THRUSTER_HANDLE th) const { return th ? static_cast<const Thruster*>(th)->isp : 0; }

double VESSEL::GetPropellantEfficiency(PROPELLANT_HANDLE ph) const {
    return ph ? static_cast<const Tank*>(ph)->efficiency : 0;
}

OBJHANDLE oapiGetFocusObject() { return &TheWorld().focus; }

VESSEL* oapiGetFocusInterface() {
    static VESSEL focus(&TheWorld().focus);
    return &focus;
}

DWORD oapiGetGbodyCount() { return static_cast<DWORD>(TheWorld().bodies.size()); }

OBJHANDLE oapiGetGbodyByIndex(int index) {
    auto& bodies = TheWorld().bodies;
    return index >= 0 && static_cast<std::size_t>(index) < bodies.size() ? &bodies[index] : nullptr;
}

// Handles the host did not give out answer 0 rather than being read as something else.
double oapiGetMass(OBJHANDLE object) {
    const World& world = TheWorld();
    const Vessel& focus = world.focus;
    if (object == &focus) return focus.emptyMass + focus.loadMass + focus.tank.mass;
    const Body* body = BodyOf(world, object);
    return body ? body->mass : 0;
}

double oapiGetEmptyMass(OBJHANDLE object) {
    const Vessel* vessel = VesselOf(object);
    return vessel ? vessel->emptyMass : 0;
}

double oapiGetSize(OBJHANDLE object) {
    const Body* body = BodyOf(object);
    return body ? body->radius : 0;
}

double oapiGetPlanetPeriod(OBJHANDLE object) {
    const Body* body = BodyOf(object);
    return body ? body->rotationPeriod : 0;
}

void oapiGetRelativePos(OBJHANDLE from, OBJHANDLE to, VECTOR3* position) {
    const World& world = TheWorld();
    const int a = NodeOf(world, from), b = NodeOf(world, to);
    if (Stateless(world, a) || Stateless(world, b)) return;
    *position = a == kUnknown || b == kUnknown ? VECTOR3{{0, 0, 0}} : ToVector3(RelativeState(world, a, b).position);
}

void oapiGetRelativeVel(OBJHANDLE from, OBJHANDLE to, VECTOR3* velocity) {
    const World& world = TheWorld();
    const int a = NodeOf(world, from), b = NodeOf(world, to);
    if (Stateless(world, a) || Stateless(world, b)) return;
    *velocity = a == kUnknown || b == kUnknown ? VECTOR3{{0, 0, 0}} : ToVector3(RelativeState(world, a, b).velocity);
}

// Longitude and latitude (radians) on the rotating dominant body, and the distance
// from its centre.
BOOL oapiGetFocusEquPos(double* longitude, double* latitude, double* radius) {
    State relative;
    const Body* body = SurfaceFrame(relative);
    if (!body) return FALSE;
    const Vec3& r = relative.position;
    const double turned = RotationRate(*body) * TheWorld().time;
    const double x = r.x * std::cos(turned) + r.y * std::sin(turned);
    const double y = -r.x * std::sin(turned) + r.y * std::cos(turned);
    *longitude = std::atan2(y, x);
    *latitude = std::atan2(r.z, std::hypot(x, y));
    *radius = Length(r);
    return TRUE;
}

BOOL oapiGetFocusAltitude(double* altitude) {
    State relative;
    const Body* body = SurfaceFrame(relative);
    if (!body) return FALSE;
    *altitude = Length(relative.position) - body->radius;
    return TRUE;
}

// The velocity relative to the body's turning surface, in the local horizon frame:
// (east, up, north).
BOOL oapiGetFocusAirspeedVector(VECTOR3* airspeed) {
    State relative;
    const Body* body = SurfaceFrame(relative);
    if (!body) return FALSE;
    const Vec3& r = relative.position;
    const Vec3 air = relative.velocity - Cross({0, 0, RotationRate(*body)}, r);
    const Horizon horizon = LocalHorizon(r);
    *airspeed = {{Dot(air, horizon.east), Dot(air, horizon.up), Dot(air, horizon.north)}};
    return TRUE;
}

PROPELLANT_HANDLE oapiGetPropellantHandle(OBJHANDLE vessel, DWORD index) {
    Vessel* focus = VesselOf(vessel);
    return focus && index == 0 ? &focus->tank : nullptr;
}

double oapiGetPropellantMass(PROPELLANT_HANDLE tank) { return tank ? static_cast<const Tank*>(tank)->mass : 0; }
