// Readings of the simulation: live values for the focus vessel, measured against
// the reference body, written into the current variable set.
//
// Nothing is cached: every reading that needs the reference body walks the host's
// body list again, so a value is always the host's value of the moment.
#include "readings/readings.h"

#include <cmath>
#include <limits>

#include "catalogue/status.h"
#include "catalogue/value_store.h"
#include "solvers/conventions.h"

namespace kalvo {

namespace {

double LengthOf(const VECTOR3& a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

VECTOR3 Cross(const VECTOR3& a, const VECTOR3& b) {
    return {{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}};
}

VECTOR3 RelativePosition(OBJHANDLE focus, OBJHANDLE body) {
    VECTOR3 p;
    oapiGetRelativePos(focus, body, &p);
    return p;
}

VECTOR3 RelativeVelocity(OBJHANDLE focus, OBJHANDLE body) {
    VECTOR3 v;
    oapiGetRelativeVel(focus, body, &v);
    return v;
}

// The sum of the main engines' maximum thrust: 0 without main engines.
double MainThrust() {
    VESSEL* vessel = oapiGetFocusInterface();
    const DWORD count = vessel->GetGroupThrusterCount(THGROUP_MAIN);
    double thrust = 0;
    for (DWORD i = 0; i < count; ++i) thrust += vessel->GetThrusterMax(vessel->GetGroupThruster(THGROUP_MAIN, i));
    return thrust;
}

PROPELLANT_HANDLE MainTank() { return oapiGetPropellantHandle(oapiGetFocusObject(), 0); }

// The airspeed vector's horizontal part: its first and third components.
double HorizontalSpeed(const VECTOR3& w) { return std::sqrt(w.x * w.x + w.z * w.z); }

constexpr int kDistance = Var(ORB, "r");
constexpr int kTangentialVelocity = Var(ORB, "Vt");
constexpr int kRadialVelocity = Var(ORB, "Vr");
constexpr int kTotalVelocity = Var(ORB, "V");
constexpr int kBodyMass = Var(ORB, "M");
constexpr int kShipMass = Var(FUE, "ms");
constexpr int kLoadMass = Var(FUE, "ml");
constexpr int kFuelMass = Var(FUE, "mi");
constexpr int kSpecificImpulse = Var(FUE, "Isp");
constexpr int kThrust = Var(FUE, "THR");
constexpr int kPropelledAcc = Var(MOV, "ap");
constexpr int kPlanetMass = Var(LNC, "M");
constexpr int kSurfaceDistance = Var(LNC, "rs");
constexpr int kLatitude = Var(LNC, "Lat");
constexpr int kPeriod = Var(RNT, "T");
constexpr int kAltitude = Var(GLD, "h");
constexpr int kGroundSpeed = Var(GLD, "Vd");
constexpr int kVerticalSpeed = Var(GLD, "Vh");
constexpr int kGlideAngle = Var(GLD, "a");

}  // namespace

OBJHANDLE FindReferenceBody() {
    const OBJHANDLE focus = oapiGetFocusObject();
    const int count = static_cast<int>(oapiGetGbodyCount());
    OBJHANDLE candidate = count > 0 ? oapiGetGbodyByIndex(0) : nullptr;
    // Starting below every real score lets a real score replace a first body whose
    // score is not a number; a later NaN never passes the strict comparison.
    double best = -std::numeric_limits<double>::infinity();
    for (int i = 0; i < count; ++i) {
        const OBJHANDLE body = oapiGetGbodyByIndex(i);
        const VECTOR3 p = RelativePosition(focus, body);
        const double score = oapiGetMass(body) / (p.x * p.x + p.y * p.y + p.z * p.z);
        if (score > best) {
            candidate = body;
            best = score;
        }
    }
    return candidate;
}

// Without a body to measure against, the readings that need one have nothing to
// read: they report " N/Av " and write nothing.

int SolverMFD::ReadDistance() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    ValueStore[variableSet][ORB][kDistance] = LengthOf(RelativePosition(oapiGetFocusObject(), body));
    return kSolved;
}

int SolverMFD::ReadTangentialVelocity() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    const VECTOR3 p = RelativePosition(oapiGetFocusObject(), body);
    const double r = LengthOf(p);
    if (r == 0) return kError;
    const VECTOR3 v = RelativeVelocity(oapiGetFocusObject(), body);
    ValueStore[variableSet][ORB][kTangentialVelocity] = LengthOf(Cross(p, v)) / r;
    return kSolved;
}

int SolverMFD::ReadRadialVelocity() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    const VECTOR3 p = RelativePosition(oapiGetFocusObject(), body);
    const double r = LengthOf(p);
    if (r == 0) return kError;
    const VECTOR3 v = RelativeVelocity(oapiGetFocusObject(), body);
    ValueStore[variableSet][ORB][kRadialVelocity] = (p.x * v.x + p.y * v.y + p.z * v.z) / r;
    return kSolved;
}

int SolverMFD::ReadTotalVelocity() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    ValueStore[variableSet][ORB][kTotalVelocity] = LengthOf(RelativeVelocity(oapiGetFocusObject(), body));
    return kSolved;
}

int SolverMFD::ReadBodyMass() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    ValueStore[variableSet][ORB][kBodyMass] = oapiGetMass(body);
    return kSolved;
}

int SolverMFD::ReadShipMass() {
    ValueStore[variableSet][FUE][kShipMass] = oapiGetEmptyMass(oapiGetFocusObject());
    return kSolved;
}

int SolverMFD::ReadLoadMass() {
    const OBJHANDLE focus = oapiGetFocusObject();
    ValueStore[variableSet][FUE][kLoadMass] =
        oapiGetMass(focus) - oapiGetEmptyMass(focus) - oapiGetPropellantMass(MainTank());
    return kSolved;
}

int SolverMFD::ReadFuelMass() {
    ValueStore[variableSet][FUE][kFuelMass] = oapiGetPropellantMass(MainTank());
    return kSolved;
}

int SolverMFD::ReadMainIsp() {
    VESSEL* vessel = oapiGetFocusInterface();
    if (vessel->GetGroupThrusterCount(THGROUP_MAIN) == 0) return kNotApplicable;
    ValueStore[variableSet][FUE][kSpecificImpulse] =
        vessel->GetThrusterIsp(vessel->GetGroupThruster(THGROUP_MAIN, 0)) * vessel->GetPropellantEfficiency(MainTank());
    return kSolved;
}

int SolverMFD::ReadMainThrust() {
    ValueStore[variableSet][FUE][kThrust] = MainThrust();
    return kSolved;
}

int SolverMFD::ReadPropelledAcc() {
    const double mass = oapiGetMass(oapiGetFocusObject());
    if (!(mass > 0)) return kError;
    ValueStore[variableSet][MOV][kPropelledAcc] = MainThrust() / mass;
    return kSolved;
}

int SolverMFD::ReadPlanetMass() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    ValueStore[variableSet][LNC][kPlanetMass] = oapiGetMass(body);
    return kSolved;
}

int SolverMFD::ReadPlanetSize() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    ValueStore[variableSet][LNC][kSurfaceDistance] = oapiGetSize(body);
    return kSolved;
}

int SolverMFD::ReadPlanetPeriod() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    ValueStore[variableSet][RNT][kPeriod] = oapiGetPlanetPeriod(body);
    return kSolved;
}

// The host's surface queries write their outputs only when they succeed; a failed
// query leaves the cell as it was and reports " N/Av " rather than storing an
// unwritten value.

int SolverMFD::ReadLatitude() {
    double longitude, latitude, radius;
    if (!oapiGetFocusEquPos(&longitude, &latitude, &radius)) return kNotAvailable;
    ValueStore[variableSet][LNC][kLatitude] = Degrees(latitude, pi);
    return kSolved;
}

int SolverMFD::ReadAltitude() {
    double altitude;
    if (!oapiGetFocusAltitude(&altitude)) return kNotAvailable;
    ValueStore[variableSet][GLD][kAltitude] = altitude;
    return kSolved;
}

int SolverMFD::ReadGroundSpeed() {
    VECTOR3 w;
    if (!oapiGetFocusAirspeedVector(&w)) return kNotAvailable;
    ValueStore[variableSet][GLD][kGroundSpeed] = HorizontalSpeed(w);
    return kSolved;
}

int SolverMFD::ReadVerticalSpeed() {
    VECTOR3 w;
    if (!oapiGetFocusAirspeedVector(&w)) return kNotAvailable;
    ValueStore[variableSet][GLD][kVerticalSpeed] = w.y;
    return kSolved;
}

int SolverMFD::ReadGlideAngle() {
    VECTOR3 w;
    if (!oapiGetFocusAirspeedVector(&w)) return kNotAvailable;
    ValueStore[variableSet][GLD][kGlideAngle] = Degrees(std::atan2(std::fabs(w.y), HorizontalSpeed(w)), pi);
    return kSolved;
}

void SolverMFD::GetSystemValue() {
    for (const ReadingEntry& entry : kReadings)
        if (entry.directory == directory && entry.variable == variable) {
            status = (this->*entry.read)();
            return;
        }
}

void SolverMFD::GetAllValues() {
    for (const ReadingEntry& entry : kReadings) {
        if (entry.directory != directory) continue;
        const int code = (this->*entry.read)();
        // MOV's one reading sets the status, as Get does; elsewhere the codes add up.
        status = directory == MOV ? code : status + code;
    }
}

}  // namespace kalvo
