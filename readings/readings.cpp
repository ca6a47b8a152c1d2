// Readings of the simulation: live values for the focus vessel, measured against
// the reference body.
//
// Nothing is cached: every reading that needs the reference body walks the host's
// body list again, so a value is always the host's value of the moment.
#include "readings/readings.h"

#include <cmath>
#include <limits>

#include "catalogue/constants.h"
#include "catalogue/status.h"
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
double MainThrustSum() {
    VESSEL* vessel = oapiGetFocusInterface();
    const DWORD count = vessel->GetGroupThrusterCount(THGROUP_MAIN);
    double thrust = 0;
    for (DWORD i = 0; i < count; ++i) thrust += vessel->GetThrusterMax(vessel->GetGroupThruster(THGROUP_MAIN, i));
    return thrust;
}

PROPELLANT_HANDLE MainTank() { return oapiGetPropellantHandle(oapiGetFocusObject(), 0); }

// The airspeed vector's horizontal part: its first and third components.
double HorizontalSpeed(const VECTOR3& w) { return std::sqrt(w.x * w.x + w.z * w.z); }

constexpr Reading Read(double value) { return {kSolved, value}; }
constexpr Reading Failed(int status) { return {status, 0.0}; }

// Without a body to measure against, the readings that need one have nothing to
// read: they report " N/Av ". The host's surface queries write their outputs only
// when they succeed: a failed query reports " N/Av " rather than an unwritten value.

// A quantity of the reference body (its mass, size or rotation period), as the
// host gives it.
Reading OfReferenceBody(double (*query)(OBJHANDLE)) {
    const OBJHANDLE body = FindReferenceBody();
    return body ? Read(query(body)) : Failed(kNotAvailable);
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

Reading Distance() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return Failed(kNotAvailable);
    const VECTOR3 p = RelativePosition(oapiGetFocusObject(), body);
    return IsWritten(p) ? Read(LengthOf(p)) : Failed(kError);
}

Reading TangentialVelocity() {
    Motion m;
    if (const int failed = MotionAboutReferenceBody(m)) return Failed(failed);
    return Read(LengthOf(Cross(m.p, m.v)) / m.r);
}

Reading RadialVelocity() {
    Motion m;
    if (const int failed = MotionAboutReferenceBody(m)) return Failed(failed);
    return Read((m.p.x * m.v.x + m.p.y * m.v.y + m.p.z * m.v.z) / m.r);
}

Reading TotalVelocity() {
    const OBJHANDLE body = FindReferenceBody();
    if (!body) return Failed(kNotAvailable);
    const VECTOR3 v = RelativeVelocity(oapiGetFocusObject(), body);
    return IsWritten(v) ? Read(LengthOf(v)) : Failed(kError);
}

Reading ReferenceBodyMass() { return OfReferenceBody(oapiGetMass); }
Reading ReferenceBodySize() { return OfReferenceBody(oapiGetSize); }
Reading ReferenceBodyPeriod() { return OfReferenceBody(oapiGetPlanetPeriod); }

Reading EmptyMass() { return Read(oapiGetEmptyMass(oapiGetFocusObject())); }

Reading LoadMass() {
    const OBJHANDLE focus = oapiGetFocusObject();
    return Read(oapiGetMass(focus) - oapiGetEmptyMass(focus) - oapiGetPropellantMass(MainTank()));
}

Reading FuelMass() { return Read(oapiGetPropellantMass(MainTank())); }

Reading MainIsp() {
    VESSEL* vessel = oapiGetFocusInterface();
    if (vessel->GetGroupThrusterCount(THGROUP_MAIN) == 0) return Failed(kNotApplicable);
    return Read(vessel->GetThrusterIsp(vessel->GetGroupThruster(THGROUP_MAIN, 0)) *
                vessel->GetPropellantEfficiency(MainTank()));
}

Reading MainThrust() { return Read(MainThrustSum()); }

Reading PropelledAcceleration() {
    const double mass = oapiGetMass(oapiGetFocusObject());
    if (!(mass > 0)) return Failed(kError);
    return Read(MainThrustSum() / mass);
}

Reading Latitude() {
    double longitude = 0, latitude = 0, radius = 0;
    if (!oapiGetFocusEquPos(&longitude, &latitude, &radius)) return Failed(kNotAvailable);
    return Read(Degrees(latitude, kShortPi));
}

Reading Altitude() {
    double altitude = 0;
    return oapiGetFocusAltitude(&altitude) ? Read(altitude) : Failed(kNotAvailable);
}

Reading GroundSpeed() {
    VECTOR3 w;
    return Airspeed(w) ? Read(HorizontalSpeed(w)) : Failed(kNotAvailable);
}

Reading VerticalSpeed() {
    VECTOR3 w;
    return Airspeed(w) ? Read(w.y) : Failed(kNotAvailable);
}

Reading GlideAngle() {
    VECTOR3 w;
    if (!Airspeed(w)) return Failed(kNotAvailable);
    return Read(Degrees(std::atan2(std::fabs(w.y), HorizontalSpeed(w)), kShortPi));
}

const ReadingRow* FindReading(int d, int v) {
    for (const ReadingRow& row : kReadings)
        if (row.directory == d && row.variable == v) return &row;
    return nullptr;
}

int TakeReading(const ReadingRow& row, DirectoryCells& cells) {
    const Reading reading = row.read();
    if (reading.status == kSolved) cells[row.variable] = reading.value;
    return reading.status;
}

int TakeAllReadings(int d, DirectoryCells& cells) {
    int codes = 0;
    for (const ReadingRow& row : kReadings)
        if (row.directory == d) codes += TakeReading(row, cells);
    return codes;
}

}  // namespace kalvo
