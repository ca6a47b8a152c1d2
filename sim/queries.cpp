// The host's queries of the simulated world, answered from sim::TheWorld().
#include <cmath>
#include <numbers>

#include "sim/world.h"

namespace sim {

World& TheWorld() {
    static World world;
    return world;
}

namespace {

Vec3 Minus(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Length(const Vec3& a) { return std::sqrt(Dot(a, a)); }
Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Scaled(const Vec3& a, double s) { return {a.x * s, a.y * s, a.z * s}; }

bool IsFocus(OBJHANDLE object) { return object == &TheWorld().focus; }
const Vessel& AsVessel(OBJHANDLE object) { return *static_cast<const Vessel*>(object); }
const Body& AsBody(OBJHANDLE object) { return *static_cast<const Body*>(object); }

const Vec3& PositionOf(OBJHANDLE object) {
    return IsFocus(object) ? AsVessel(object).position : AsBody(object).position;
}
const Vec3& VelocityOf(OBJHANDLE object) {
    return IsFocus(object) ? AsVessel(object).velocity : AsBody(object).velocity;
}

// The body whose gravity acts most strongly on the focus vessel, or null without bodies.
const Body* DominantBody() {
    const World& world = TheWorld();
    const Body* best = nullptr;
    double bestPull = -1;
    for (const Body& body : world.bodies) {
        const Vec3 offset = Minus(world.focus.position, body.position);
        const double pull = body.mass / Dot(offset, offset);
        if (pull > bestPull) {
            best = &body;
            bestPull = pull;
        }
    }
    return best;
}

double RotationRate(const Body& body) {
    return body.rotationPeriod == 0 ? 0 : 2 * std::numbers::pi / body.rotationPeriod;
}

}  // namespace

}  // namespace sim

using namespace sim;

VESSEL::VESSEL(OBJHANDLE handle) : handle_(handle) {}
OBJHANDLE VESSEL::GetHandle() const { return handle_; }

DWORD VESSEL::GetGroupThrusterCount(THGROUP_TYPE group) const {
    return group == THGROUP_MAIN ? static_cast<DWORD>(AsVessel(handle_).mainThrusters.size()) : 0;
}

THRUSTER_HANDLE VESSEL::GetGroupThruster(THGROUP_TYPE group, DWORD index) const {
    auto& thrusters = static_cast<Vessel*>(handle_)->mainThrusters;
    return group == THGROUP_MAIN && index < thrusters.size() ? &thrusters[index] : nullptr;
}

double VESSEL::GetThrusterMax(THRUSTER_HANDLE thruster) const {
    return thruster ? static_cast<const Thruster*>(thruster)->maxThrust : 0;
}

double VESSEL::GetThrusterIsp(THRUSTER_HANDLE thruster) const {
    return thruster ? static_cast<const Thruster*>(thruster)->isp : 0;
}

double VESSEL::GetPropellantEfficiency(PROPELLANT_HANDLE tank) const {
    return tank ? static_cast<const Tank*>(tank)->efficiency : 0;
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

double oapiGetMass(OBJHANDLE object) {
    if (!IsFocus(object)) return AsBody(object).mass;
    const Vessel& vessel = AsVessel(object);
    return vessel.emptyMass + vessel.loadMass + vessel.tank.mass;
}

double oapiGetEmptyMass(OBJHANDLE object) { return IsFocus(object) ? AsVessel(object).emptyMass : 0; }
double oapiGetSize(OBJHANDLE object) { return IsFocus(object) ? 0 : AsBody(object).radius; }
double oapiGetPlanetPeriod(OBJHANDLE body) { return IsFocus(body) ? 0 : AsBody(body).rotationPeriod; }

void oapiGetRelativePos(OBJHANDLE from, OBJHANDLE to, VECTOR3* position) {
    const Vec3 d = Minus(PositionOf(from), PositionOf(to));
    *position = {d.x, d.y, d.z};
}

void oapiGetRelativeVel(OBJHANDLE from, OBJHANDLE to, VECTOR3* velocity) {
    const Vec3 d = Minus(VelocityOf(from), VelocityOf(to));
    *velocity = {d.x, d.y, d.z};
}

// Longitude and latitude (radians) on the rotating dominant body, and the distance
// from its centre.
bool oapiGetFocusEquPos(double* longitude, double* latitude, double* radius) {
    const Body* body = DominantBody();
    if (!body) return false;
    const World& world = TheWorld();
    const Vec3 r = Minus(world.focus.position, body->position);
    const double turned = RotationRate(*body) * world.time;
    const double x = r.x * std::cos(turned) + r.y * std::sin(turned);
    const double y = -r.x * std::sin(turned) + r.y * std::cos(turned);
    *longitude = std::atan2(y, x);
    *latitude = std::atan2(r.z, std::hypot(x, y));
    *radius = Length(r);
    return true;
}

bool oapiGetFocusAltitude(double* altitude) {
    const Body* body = DominantBody();
    if (!body) return false;
    *altitude = Length(Minus(TheWorld().focus.position, body->position)) - body->radius;
    return true;
}

// The velocity relative to the body's rotating surface, in the local horizon frame:
// (east, up, north).
bool oapiGetFocusAirspeedVector(VECTOR3* airspeed) {
    const Body* body = DominantBody();
    if (!body) return false;
    const World& world = TheWorld();
    const Vec3 r = Minus(world.focus.position, body->position);
    const Vec3 spin{0, 0, RotationRate(*body)};
    const Vec3 air = Minus(Minus(world.focus.velocity, body->velocity), Cross(spin, r));
    const double distance = Length(r);
    if (distance == 0) {
        *airspeed = {air.x, air.z, air.y};
        return true;
    }
    const Vec3 up = Scaled(r, 1 / distance);
    Vec3 east = Cross({0, 0, 1}, up);
    const double eastLength = Length(east);
    east = eastLength == 0 ? Vec3{1, 0, 0} : Scaled(east, 1 / eastLength);
    const Vec3 north = Cross(up, east);
    *airspeed = {Dot(air, east), Dot(air, up), Dot(air, north)};
    return true;
}

PROPELLANT_HANDLE oapiGetPropellantHandle(OBJHANDLE vessel, DWORD index) {
    return IsFocus(vessel) && index == 0 ? &static_cast<Vessel*>(vessel)->tank : nullptr;
}

double oapiGetPropellantMass(PROPELLANT_HANDLE tank) { return tank ? static_cast<const Tank*>(tank)->mass : 0; }
