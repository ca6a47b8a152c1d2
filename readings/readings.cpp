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

// The host's 2024 release returns from its relative position and velocity queries
// without writing the output when a body has no state. The outputs start as NaN,
// which no written vector holds, so an unwritten one is told from a real one.
constexpr double kUnwritten = std::numeric_limits<double>::quiet_NaN();

bool IsWritten(const VECTOR3& a) { return !(std::isnan(a.x) || std::isnan(a.y) || std::isnan(a.z)); }

VECTOR3 RelativePosition(OBJHANDLE focus, OBJHANDLE body) {
    VECTOR3 p{{kUnwritten, kUnwritten, kUnwritten}};
    oapiGetRelativePos(focus, body, &p);
    return p;
}

VECTOR3 RelativeVelocity(OBJHANDLE focus, OBJHANDLE body) {
    VECTOR3 v{{kUnwritten, kUnwritten, kUnwritten}};
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

// Without a body to measure against, the readings that need one have nothing to
// read: they report " N/Av " and write nothing. The host's surface queries write
// their outputs only when they succeed: a failed query reports " N/Av " rather
// than storing an unwritten value.

// A quantity of the reference body (its mass, size or rotation period), as the host
// gives it; false without a body.
bool OfReferenceBody(double (*query)(OBJHANDLE), double& value) {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return false;
    value = query(body);
    return true;
}

// The focus vessel's position p and velocity v relative to the reference body and
// its distance r, for the velocity readings: " N/Av " without a body, "ERROR!" at
// the body's centre (r = 0), where the velocity is not asked for, and "ERROR!" when
// the host left the position or the velocity unwritten.
struct Motion {
    VECTOR3 p, v;
    double r;
};

int MotionAboutReferenceBody(Motion& motion) {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    motion.p = RelativePosition(oapiGetFocusObject(), body);
    motion.r = LengthOf(motion.p);
    if (!IsWritten(motion.p) || motion.r == 0) return kError;
    motion.v = RelativeVelocity(oapiGetFocusObject(), body);
    return IsWritten(motion.v) ? kSolved : kError;
}

bool Airspeed(VECTOR3& w) {
    w = {{0, 0, 0}};
    return oapiGetFocusAirspeedVector(&w) != FALSE;
}

}  // namespace

OBJHANDLE FindReferenceBody() {
    const OBJHANDLE focus = oapiGetFocusObject();
    const int count = static_cast<int>(oapiGetGbodyCount());
    OBJHANDLE candidate = count > 0 ? oapiGetGbodyByIndex(0) : nullptr;
    // Starting below every real score lets a real score replace a first body whose
    // score is not a number; a later NaN never passes the strict comparison. A body
    // whose position the host left unwritten scores NaN, so it is passed over.
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

int SolverMFD::StoreReading(Directory d, int v, double value) {
    ValueStore[variableSet][d][v] = value;
    return kSolved;
}

int SolverMFD::ReadDistance() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    const VECTOR3 p = RelativePosition(oapiGetFocusObject(), body);
    return IsWritten(p) ? StoreReading(ORB, Var(ORB, "r"), LengthOf(p)) : kError;
}

int SolverMFD::ReadTangentialVelocity() {
    Motion m;
    if (const int failed = MotionAboutReferenceBody(m)) return failed;
    return StoreReading(ORB, Var(ORB, "Vt"), LengthOf(Cross(m.p, m.v)) / m.r);
}

int SolverMFD::ReadRadialVelocity() {
    Motion m;
    if (const int failed = MotionAboutReferenceBody(m)) return failed;
    return StoreReading(ORB, Var(ORB, "Vr"), (m.p.x * m.v.x + m.p.y * m.v.y + m.p.z * m.v.z) / m.r);
}

int SolverMFD::ReadTotalVelocity() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return kNotAvailable;
    const VECTOR3 v = RelativeVelocity(oapiGetFocusObject(), body);
    return IsWritten(v) ? StoreReading(ORB, Var(ORB, "V"), LengthOf(v)) : kError;
}

int SolverMFD::ReadBodyMass() {
    double mass;
    return OfReferenceBody(oapiGetMass, mass) ? StoreReading(ORB, Var(ORB, "M"), mass) : kNotAvailable;
}

int SolverMFD::ReadShipMass() { return StoreReading(FUE, Var(FUE, "ms"), oapiGetEmptyMass(oapiGetFocusObject())); }

int SolverMFD::ReadLoadMass() {
    const OBJHANDLE focus = oapiGetFocusObject();
    return StoreReading(FUE, Var(FUE, "ml"),
                        oapiGetMass(focus) - oapiGetEmptyMass(focus) - oapiGetPropellantMass(MainTank()));
}

int SolverMFD::ReadFuelMass() { return StoreReading(FUE, Var(FUE, "mi"), oapiGetPropellantMass(MainTank())); }

int SolverMFD::ReadMainIsp() {
    VESSEL* vessel = oapiGetFocusInterface();
    if (vessel->GetGroupThrusterCount(THGROUP_MAIN) == 0) return kNotApplicable;
    return StoreReading(FUE, Var(FUE, "Isp"),
                        vessel->GetThrusterIsp(vessel->GetGroupThruster(THGROUP_MAIN, 0)) *
                            vessel->GetPropellantEfficiency(MainTank()));
}

int SolverMFD::ReadMainThrust() { return StoreReading(FUE, Var(FUE, "THR"), MainThrust()); }

int SolverMFD::ReadPropelledAcc() {
    const double mass = oapiGetMass(oapiGetFocusObject());
    if (!(mass > 0)) return kError;
    return StoreReading(MOV, Var(MOV, "ap"), MainThrust() / mass);
}

int SolverMFD::ReadPlanetMass() {
    double mass;
    return OfReferenceBody(oapiGetMass, mass) ? StoreReading(LNC, Var(LNC, "M"), mass) : kNotAvailable;
}

int SolverMFD::ReadPlanetSize() {
    double radius;
    return OfReferenceBody(oapiGetSize, radius) ? StoreReading(LNC, Var(LNC, "rs"), radius) : kNotAvailable;
}

int SolverMFD::ReadLatitude() {
    double longitude = 0, latitude = 0, radius = 0;
    if (!oapiGetFocusEquPos(&longitude, &latitude, &radius)) return kNotAvailable;
    return StoreReading(LNC, Var(LNC, "Lat"), Degrees(latitude, pi));
}

int SolverMFD::ReadPlanetPeriod() {
    double period;
    return OfReferenceBody(oapiGetPlanetPeriod, period) ? StoreReading(RNT, Var(RNT, "T"), period) : kNotAvailable;
}

int SolverMFD::ReadAltitude() {
    double altitude = 0;
    if (!oapiGetFocusAltitude(&altitude)) return kNotAvailable;
    return StoreReading(GLD, Var(GLD, "h"), altitude);
}

int SolverMFD::ReadGroundSpeed() {
    VECTOR3 w;
    return Airspeed(w) ? StoreReading(GLD, Var(GLD, "Vd"), HorizontalSpeed(w)) : kNotAvailable;
}

int SolverMFD::ReadVerticalSpeed() {
    VECTOR3 w;
    return Airspeed(w) ? StoreReading(GLD, Var(GLD, "Vh"), w.y) : kNotAvailable;
}

int SolverMFD::ReadGlideAngle() {
    VECTOR3 w;
    if (!Airspeed(w)) return kNotAvailable;
    return StoreReading(GLD, Var(GLD, "a"), Degrees(std::atan2(std::fabs(w.y), HorizontalSpeed(w)), pi));
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
