#include "sim/windows/simulator_host.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <new>

HostRecord host;

namespace {

struct Vector {
    double x, y, z;
};

struct Thruster {
    double maxThrust, isp;
};

struct Tank {
    double mass, efficiency;
};

struct Body {
    const char* name;
    double mass, radius, rotationPeriod;
    Vector position;  // from the Earth's centre, m
};

// The Earth at the centre, the Moon at its mean distance.
Body bodies[] = {
    {"Earth", kEarthMass, 6.371e6, 86164.1, {0, 0, 0}},
    {"Moon", 7.342e22, 1.7374e6, 2360591.5, {-3.844e8, 0, 0}},
};

struct Ship {
    double emptyMass, loadMass;
    Tank tank;
    Thruster main[2];
    Vector position, velocity;  // from and relative to the Earth's centre
};
Ship ship;

// The ship on its orbit: periapsis 6671 km, apoapsis 6771 km, true anomaly 60
// degrees, placed on the x axis of the Earth's equatorial plane.
Ship StartingShip() {
    const double periapsis = 6671000, apoapsis = 6771000, anomaly = 60 * RAD;
    const double e = (apoapsis - periapsis) / (apoapsis + periapsis);
    const double p = periapsis * (1 + e);
    const double r = p / (1 + e * cos(anomaly));
    const double speedScale = sqrt(kGravitation * kEarthMass / p);
    return {12000,     1500,
            {8000, 1}, {{60000, 3200}, {60000, 3200}},
            {r, 0, 0}, {speedScale * e * sin(anomaly), speedScale * (1 + e * cos(anomaly)), 0}};
}

VESSEL* focusInterface = nullptr;

const Body* BodyOf(OBJHANDLE object) {
    for (const Body& body : bodies)
        if (object == &body) return &body;
    return nullptr;
}

bool IsShip(OBJHANDLE object) { return object == &ship; }

Vector PositionOf(OBJHANDLE object) {
    if (IsShip(object)) return ship.position;
    const Body* body = BodyOf(object);
    return body ? body->position : Vector{0, 0, 0};
}

Vector VelocityOf(OBJHANDLE object) { return IsShip(object) ? ship.velocity : Vector{0, 0, 0}; }

double Length(const Vector& v) { return sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// One record per open MFD instance; the simulator keeps this in its instrument.
Instrument_User instruments[8];
bool instrumentInUse[8];

HFONT hostFont = nullptr;
HPEN hostPen = nullptr;

}  // namespace

unsigned Instrument_User::TakeRedrawRequests(MFD& mfd) {
    const unsigned requests = mfd.instr != nullptr ? mfd.instr->redrawRequests : 0;
    if (mfd.instr != nullptr) mfd.instr->redrawRequests = 0;
    return requests;
}

void CreateHostLook(DWORD cellWidth, DWORD cellHeight) {
    DeleteHostLook();
    hostFont =
        CreateFontA(int(cellHeight), int(cellWidth), 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    hostPen = CreatePen(PS_SOLID, 1, RGB(0, 176, 0));
}

void DeleteHostLook() {
    if (hostFont != nullptr) DeleteObject(hostFont);
    if (hostPen != nullptr) DeleteObject(hostPen);
    hostFont = nullptr;
    hostPen = nullptr;
}

// Made on first use: without the C runtime's start-up no constructor of a static
// object runs.
VESSEL* FocusVessel() {
    if (focusInterface == nullptr) {
        ship = StartingShip();
        focusInterface = new (std::nothrow) VESSEL(&ship);
    }
    return focusInterface;
}

// The base class of display modes. The character cell is a 40th of the width and
// a 24th of the height, as the project's stand-in host has it.
MFD::MFD(DWORD w, DWORD h, VESSEL* vessel) : W(w), H(h), cw(w / 40), ch(h / 24), pV(vessel), instr(nullptr) {
    for (int i = 0; i < 8; ++i)
        if (!instrumentInUse[i]) {
            instrumentInUse[i] = true;
            instruments[i] = Instrument_User{};
            instr = &instruments[i];
            break;
        }
}

MFD::~MFD() {
    if (instr != nullptr) instrumentInUse[instr - instruments] = false;
}

void MFD::InvalidateDisplay() {
    if (instr != nullptr) ++instr->redrawRequests;
}

void MFD::Title(HDC hDC, const char* title) const {
    const HGDIOBJ font = SelectObject(hDC, hostFont);
    const COLORREF colour = SetTextColor(hDC, RGB(224, 255, 224));
    const int mode = SetBkMode(hDC, TRANSPARENT);
    TextOutA(hDC, 0, 0, title, int(strlen(title)));
    SetBkMode(hDC, mode);
    SetTextColor(hDC, colour);
    SelectObject(hDC, font);
}

HPEN MFD::SelectDefaultPen(HDC hDC, DWORD) const { return static_cast<HPEN>(SelectObject(hDC, hostPen)); }

HFONT MFD::SelectDefaultFont(HDC hDC, DWORD) const { return static_cast<HFONT>(SelectObject(hDC, hostFont)); }

// The vessel interface: the ship's two main engines and its tank.
VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel)
    : vessel(static_cast<Vessel*>(hVessel)), flightmodel(short(fmodel)), version(0) {}

DWORD VESSEL::GetGroupThrusterCount(THGROUP_TYPE thgt) const {
    return vessel == reinterpret_cast<Vessel*>(&ship) && thgt == THGROUP_MAIN ? 2 : 0;
}

THRUSTER_HANDLE VESSEL::GetGroupThruster(THGROUP_TYPE thgt, DWORD idx) const {
    return idx < GetGroupThrusterCount(thgt) ? &ship.main[idx] : nullptr;
}

double VESSEL::GetThrusterMax(THRUSTER_HANDLE th) const { return th ? static_cast<Thruster*>(th)->maxThrust : 0; }
double VESSEL::GetThrusterIsp(THRUSTER_HANDLE th) const { return th ? static_cast<Thruster*>(th)->isp : 0; }
double VESSEL::GetPropellantEfficiency(PROPELLANT_HANDLE ph) const {
    return ph ? static_cast<Tank*>(ph)->efficiency : 0;
}

// Exported by the simulator with C++ linkage, though no header declares them.
OAPIFUNC void InitLib(HINSTANCE hModule) {
    ++host.initLibCalls;
    host.initLibModule = hModule;
}

// "Apr 25 2006", as a compiler's __DATE__ writes a date, is 20060425.
OAPIFUNC int Date2Int(char* date) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    ++host.date2IntCalls;
    if (date == nullptr || strlen(date) < 5 || date[3] != ' ') return 0;
    for (int month = 0; month < 12; ++month)
        if (strncmp(date, months[month], 3) == 0) {
            char* end = nullptr;
            const long day = strtol(date + 4, &end, 10);
            const long year = strtol(end, nullptr, 10);
            return day >= 1 && day <= 31 && year >= 1 ? int(year * 10000 + (month + 1) * 100 + day) : 0;
        }
    return 0;
}

int oapiRegisterMFDMode(MFDMODESPEC& spec) {
    static int nextId = 1;
    host.mode = spec;
    host.registeredMode = nextId++;
    return host.registeredMode;
}

bool oapiUnregisterMFDMode(int mode) {
    host.unregisteredMode = mode;
    if (mode != host.registeredMode) return false;
    host.registeredMode = 0;
    return true;
}

void oapiOpenInputBox(char* title, bool (*Clbk)(void*, char*, void*), char*, int vislen, void* usrdata) {
    host.inputBoxOpen = true;
    strncpy(host.inputBoxTitle, title != nullptr ? title : "", sizeof host.inputBoxTitle - 1);
    host.inputBoxWidth = vislen;
    host.inputBoxCallback = Clbk;
    host.inputBoxUserData = usrdata;
}

OBJHANDLE oapiGetFocusObject() { return &ship; }
VESSEL* oapiGetFocusInterface() { return FocusVessel(); }
DWORD oapiGetGbodyCount() { return DWORD(sizeof bodies / sizeof bodies[0]); }
OBJHANDLE oapiGetGbodyByIndex(int index) {
    return index >= 0 && DWORD(index) < oapiGetGbodyCount() ? &bodies[index] : nullptr;
}

double oapiGetMass(OBJHANDLE hObj) {
    if (IsShip(hObj)) return ship.emptyMass + ship.loadMass + ship.tank.mass;
    const Body* body = BodyOf(hObj);
    return body ? body->mass : 0;
}

double oapiGetEmptyMass(OBJHANDLE hVessel) { return IsShip(hVessel) ? ship.emptyMass : 0; }

double oapiGetSize(OBJHANDLE hObj) {
    const Body* body = BodyOf(hObj);
    return body ? body->radius : 0;
}

double oapiGetPlanetPeriod(OBJHANDLE hPlanet) {
    const Body* body = BodyOf(hPlanet);
    return body ? body->rotationPeriod : 0;
}

void oapiGetRelativePos(OBJHANDLE hObj, OBJHANDLE hRef, VECTOR3* pos) {
    const Vector a = PositionOf(hObj), b = PositionOf(hRef);
    *pos = {{a.x - b.x, a.y - b.y, a.z - b.z}};
}

void oapiGetRelativeVel(OBJHANDLE hObj, OBJHANDLE hRef, VECTOR3* vel) {
    const Vector a = VelocityOf(hObj), b = VelocityOf(hRef);
    *vel = {{a.x - b.x, a.y - b.y, a.z - b.z}};
}

// The ship over the Earth: on the equator at longitude 0 (the Earth's turning is
// not followed), its altitude, and its velocity against the turning surface in the
// local horizon (east, up, north).
BOOL oapiGetFocusEquPos(double* longitude, double* latitude, double* radius) {
    *longitude = atan2(ship.position.y, ship.position.x);
    *latitude = atan2(ship.position.z, hypot(ship.position.x, ship.position.y));
    *radius = Length(ship.position);
    return TRUE;
}

BOOL oapiGetFocusAltitude(double* alt) {
    *alt = Length(ship.position) - bodies[0].radius;
    return TRUE;
}

BOOL oapiGetFocusAirspeedVector(VECTOR3* speedvec) {
    const double surface = PI2 / bodies[0].rotationPeriod * ship.position.x;
    *speedvec = {{ship.velocity.y - surface, ship.velocity.x, 0}};
    return TRUE;
}

PROPELLANT_HANDLE oapiGetPropellantHandle(OBJHANDLE hVessel, DWORD idx) {
    return IsShip(hVessel) && idx == 0 ? &ship.tank : nullptr;
}

double oapiGetPropellantMass(PROPELLANT_HANDLE ph) { return ph ? static_cast<Tank*>(ph)->mass : 0; }
