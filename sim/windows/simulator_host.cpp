#include "sim/windows/simulator_host.h"

#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <new>

#include "sim/host/date_number.h"
#include "sim/world/figures.h"

// Everything here is zero-initialised or constant: without the C runtime's start-up
// no constructor of a static object runs.
namespace {

// ---- The world -------------------------------------------------------------

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

// The Earth at the centre, the Moon at its mean distance (its orbit's semi-major axis).
Body bodies[] = {
    {sim::kEarth.name, sim::kEarth.mass, sim::kEarth.radius, sim::kEarth.rotationPeriod, {0, 0, 0}},
    {sim::kMoon.name,
     sim::kMoon.mass,
     sim::kMoon.radius,
     sim::kMoon.rotationPeriod,
     {-(sim::kMoonOrbit.periapsis + sim::kMoonOrbit.apoapsis) / 2, 0, 0}},
};

struct Ship {
    double emptyMass, loadMass;
    Tank tank;
    Thruster main[sim::kLeoShip.mainEngines];
    Vector position, velocity;  // from and relative to the Earth's centre
    bool hasState;
};
Ship ships[2];  // the ship and the vessel without a state

// The `leo` ship on its orbit, placed on the x axis of the Earth's equatorial plane.
Ship StartingShip(bool hasState) {
    const sim::ShipFigures& leo = sim::kLeoShip;
    const double periapsis = leo.orbit.periapsis, apoapsis = leo.orbit.apoapsis, anomaly = leo.orbit.trueAnomaly * RAD;
    const double e = (apoapsis - periapsis) / (apoapsis + periapsis);
    const double p = periapsis * (1 + e);
    const double r = p / (1 + e * cos(anomaly));
    const double speedScale = sqrt(sim::kGravitationalConstant * sim::kEarth.mass / p);
    Ship ship{leo.emptyMass,
              leo.loadMass,
              {leo.fuelMass, leo.tankEfficiency},
              {},
              {r, 0, 0},
              {speedScale * e * sin(anomaly), speedScale * (1 + e * cos(anomaly)), 0},
              hasState};
    for (Thruster& engine : ship.main) engine = {leo.maxThrust, leo.isp};
    return ship;
}

Ship* ShipOf(OBJHANDLE object) {
    for (Ship& ship : ships)
        if (object == &ship) return &ship;
    return nullptr;
}

const Body* BodyOf(OBJHANDLE object) {
    for (const Body& body : bodies)
        if (object == &body) return &body;
    return nullptr;
}

bool HasState(OBJHANDLE object) {
    const Ship* ship = ShipOf(object);
    return ship != nullptr ? ship->hasState : BodyOf(object) != nullptr;
}

Vector PositionOf(OBJHANDLE object) {
    if (const Ship* ship = ShipOf(object)) return ship->position;
    const Body* body = BodyOf(object);
    return body ? body->position : Vector{0, 0, 0};
}

Vector VelocityOf(OBJHANDLE object) {
    const Ship* ship = ShipOf(object);
    return ship ? ship->velocity : Vector{0, 0, 0};
}

double Length(const Vector& v) { return sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// ---- The log -----------------------------------------------------------------

char logText[8192];
size_t logLength;

void Log(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int written = vsnprintf(logText + logLength, sizeof logText - logLength - 1, format, arguments);
    va_end(arguments);
    if (written > 0) logLength += size_t(written) < sizeof logText - logLength - 2 ? size_t(written) : 0;
    logText[logLength++] = '\n';
    logText[logLength] = '\0';
}

// The simulator's LOGOUT_OBSOLETE: a warning the first time a caller uses it.
void LogObsolete(bool& logged, const char* function) {
    if (logged) return;
    logged = true;
    Log("---------------------------------------------------------------");
    Log(">>> WARNING: Obsolete API function used: %s", function);
    Log("---------------------------------------------------------------");
}

// ---- Registration --------------------------------------------------------------

struct RegisteredMode {
    int id;
    char name[64];  // the simulator's own copy
    MFDMODESPECEX spec;
};
RegisteredMode modes[16];
int modeCount;
int lastModeId;  // ids count on from BUILTIN_MFD_MODES and are never reused

// The keys of the ten built-in modes: Orbit, Surface, Map, HSI, Landing, Docking,
// Align planes, Sync orbit, Transfer, COM/NAV.
constexpr DWORD kBuiltinKeys[BUILTIN_MFD_MODES] = {OAPI_KEY_O, OAPI_KEY_S, OAPI_KEY_M, OAPI_KEY_H, OAPI_KEY_L,
                                                   OAPI_KEY_D, OAPI_KEY_A, OAPI_KEY_Y, OAPI_KEY_X, OAPI_KEY_C};

bool KeyTaken(DWORD key) {
    for (DWORD builtin : kBuiltinKeys)
        if (builtin == key) return true;
    for (int i = 0; i < modeCount; ++i)
        if (modes[i].spec.key == key) return true;
    return false;
}

// A key already taken moves to the first free digit key 1..0, or to none.
DWORD FreeKey(DWORD key) {
    if (key == 0 || !KeyTaken(key)) return key;
    for (DWORD digit = OAPI_KEY_1; digit <= OAPI_KEY_0; ++digit)
        if (!KeyTaken(digit)) return digit;
    return 0;
}

int ModeIndex(int id) {
    for (int i = 0; i < modeCount; ++i)
        if (modes[i].id == id) return i;
    return -1;
}

// ---- The session ------------------------------------------------------------------

// The simulator's instrument update interval of the 2024 release, in simulation seconds.
constexpr double kInstrumentInterval = 0.5;
// Periodic redraws wait this long in system time: at most ten a second.
constexpr double kRedrawCap = 0.1;
constexpr int kButtonsPerPage = 12;
constexpr int kInputBoxLength = 256;

struct DisplayState {
    Instrument_User* instrument;
    int lastMode;
    int buttonPage;
    bool modePage, menu;
};

struct Mouse {
    int display, button;
    bool external, pressPending, held;
};

struct KeyEvent {
    DWORD key;
    bool leftShift, rightShift, control;
};

struct InputBox {
    bool open;
    char title[256];
    char text[kInputBoxLength + 1];
    int visibleWidth;
    bool (*callback)(void*, char*, void*);
    void* userData;
};

using simulator::Cockpit;

struct Session {
    Cockpit cockpit;
    int width, height;
    double simT, sysT;
    bool paused;
    Ship* focus;
    VESSEL* focusInterface[2];
    DisplayState displays[simulator::kDisplays];
    KeyEvent keys[10];  // the simulator reads up to ten buffered key events a frame
    int keyCount;
    bool leftShiftHeld, rightShiftHeld;
    Mouse mouse;
    InputBox box;
    HPEN pens[6];
};
Session session;
simulator::Conduct conduct;

VESSEL* FocusInterface() { return session.focus != nullptr ? session.focusInterface[session.focus - ships] : nullptr; }

void CloseDisplay(int display) {
    DisplayState& state = session.displays[display];
    delete state.instrument;
    state.instrument = nullptr;
    state.modePage = state.menu = false;
}

// Pane::OpenMFD: the new instrument is built before the old one is deleted; then
// the cockpit repaints the button labels.
void OpenDisplay(int display, int modeId) {
    DisplayState& state = session.displays[display];
    const int index = ModeIndex(modeId);
    if (index < 0) return;
    Instrument_User* created = new (std::nothrow)
        Instrument_User(display, index, session.width, session.height, session.cockpit == Cockpit::Glass);
    if (created == nullptr) return;
    if (!created->Valid()) {
        delete created;
        return;
    }
    delete state.instrument;
    state.instrument = created;
    state.lastMode = modeId;
    state.buttonPage = 0;
    state.modePage = state.menu = false;
    created->RepaintButtons();
}

Instrument_User* InstrumentOf(int display) { return session.displays[display].instrument; }

// The number of button pages: the menu's entries over the buttons of a page.
int ButtonPages(const Instrument_User& instrument) {
    const int entries = instrument.mfd->ButtonMenu(nullptr);
    return entries > 0 ? (entries + kButtonsPerPage - 1) / kButtonsPerPage : 1;
}

// Instrument::ConsumeKeyBuffered: F1, F2 and ` are the host's; the mode page takes
// every key; otherwise the page gets it, and a true answer closes the menu.
void InstrumentKey(int display, DWORD key) {
    DisplayState& state = session.displays[display];
    Instrument_User* instrument = state.instrument;
    if (instrument == nullptr) return;
    if (key == OAPI_KEY_F1) {
        state.modePage = !state.modePage;
        return;
    }
    if (key == OAPI_KEY_F2) {
        state.buttonPage = (state.buttonPage + 1) % ButtonPages(*instrument);
        instrument->RepaintButtons();
        return;
    }
    if (key == OAPI_KEY_GRAVE) {
        state.menu = !state.menu;
        return;
    }
    if (state.modePage) {
        for (int i = 0; i < modeCount; ++i)
            if (modes[i].spec.key == key) {
                OpenDisplay(display, modes[i].id);
                return;
            }
        return;
    }
    if (instrument->mfd->ConsumeKeyBuffered(key) && state.menu) {
        state.menu = false;
        instrument->Refresh();
    }
}

// Pane::MFDConsumeKeyBuffered: Esc switches the display off, or on in its last mode.
void DisplayKey(int display, DWORD key) {
    DisplayState& state = session.displays[display];
    if (key == OAPI_KEY_ESCAPE) {
        if (state.instrument != nullptr)
            CloseDisplay(display);
        else
            OpenDisplay(display, state.lastMode);
        return;
    }
    InstrumentKey(display, key);
}

// The keyboard part of a frame: nothing while an input box is open or the
// simulation is paused; key-downs with Ctrl go nowhere, with Shift to the left
// display (LShift) or the right one. Then ConsumeKeyImmediate while Shift is held.
void UserInput() {
    const int count = session.keyCount;
    session.keyCount = 0;
    if (session.box.open || session.paused) return;
    for (int i = 0; i < count; ++i) {
        const KeyEvent& event = session.keys[i];
        if (event.key == OAPI_KEY_LSHIFT || event.key == OAPI_KEY_RSHIFT || event.control) continue;
        if (event.leftShift || event.rightShift) DisplayKey(event.leftShift ? 0 : 1, event.key);
    }
    char keyState[256] = {};
    keyState[OAPI_KEY_LSHIFT] = char(session.leftShiftHeld ? 0x80 : 0);
    keyState[OAPI_KEY_RSHIFT] = char(session.rightShiftHeld ? 0x80 : 0);
    const bool held[2] = {session.leftShiftHeld, session.rightShiftHeld};
    for (int display = 0; display < simulator::kDisplays; ++display)
        if (held[display] && InstrumentOf(display) != nullptr) {
            ++conduct.immediateKeyCalls;
            InstrumentOf(display)->mfd->ConsumeKeyImmediate(keyState);  // the simulator ignores the answer
        }
}

// A button event on a display's instrument: logical buttons across the pages.
void ButtonEvent(int display, int button, int event) {
    Instrument_User* instrument = InstrumentOf(display);
    if (instrument == nullptr || session.displays[display].modePage) return;
    DisplayState& state = session.displays[display];
    if (instrument->mfd->ConsumeButton(button + state.buttonPage * kButtonsPerPage, event) && state.menu) {
        state.menu = false;
        instrument->Refresh();
    }
}

// The glass cockpit's mouse events of a frame: the press in the next frame, then
// "still pressed" in every frame while held, and nothing on release.
void CockpitButtons() {
    Mouse& mouse = session.mouse;
    if (!mouse.held || mouse.external) return;
    ButtonEvent(mouse.display, mouse.button,
                mouse.pressPending ? PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED : PANEL_MOUSE_LBPRESSED);
    mouse.pressPending = false;
}

// An external display window sends "still pressed" on every update while held.
void ExternalButtons() {
    const Mouse& mouse = session.mouse;
    if (mouse.held && mouse.external) ButtonEvent(mouse.display, mouse.button, PANEL_MOUSE_LBPRESSED);
}

void CloseInputBox() {
    session.box.open = false;
    session.box.callback = nullptr;
    session.box.userData = nullptr;
}

bool IsGraphic(char c) { return c > ' ' && c < 0x7F; }

}  // namespace

// ---- The instrument ---------------------------------------------------------------

// Instrument::SetSize: the four default fonts, made as the D3D9 client makes them,
// and the cell measured from font 0; then the mode's messages, OPENEDEX first.
Instrument_User::Instrument_User(int display_, int modeIndex, int width, int height, bool glassCockpit)
    : display(display_),
      modeId(modes[modeIndex].id),
      IW(width),
      IH(height),
      updT(session.simT - 1),
      updSysT(session.sysT - 1),
      glass(glassCockpit) {
    const int h = (IH * 9) / 200;
    // "Fixed" is Courier New; "Sans" is taken as Arial, the client's sans-serif face.
    fonts[0] = CreateFontA(-h, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 2, NONANTIALIASED_QUALITY, 49,
                           "Courier New");
    fonts[1] = CreateFontA(-(h * 3) / 4, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 2,
                           NONANTIALIASED_QUALITY, 34, "Arial");
    fonts[2] = CreateFontA(-(h * 3) / 4, 0, 900, 900, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 2,
                           NONANTIALIASED_QUALITY, 34, "Arial");
    fonts[3] = CreateFontA(-h, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 2, NONANTIALIASED_QUALITY, 34,
                           "Arial");
    const HDC measuring = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(measuring, fonts[0]);
    TEXTMETRICA metrics{};
    if (GetTextMetricsA(measuring, &metrics)) {
        ch = DWORD(metrics.tmHeight - metrics.tmInternalLeading);
        cw = DWORD(metrics.tmAveCharWidth);
    }
    SelectObject(measuring, previous);
    DeleteDC(measuring);

    const RegisteredMode& mode = modes[modeIndex];
    const auto msgproc = mode.spec.msgproc;
    MFDMODEOPENSPEC openSpec = {IW, IH, &modes[modeIndex].spec};
    const LPARAM vessel = reinterpret_cast<LPARAM>(FocusInterface());
    mfd = reinterpret_cast<MFD*>(msgproc(OAPI_MSG_MFD_OPENEDEX, UINT(display), WPARAM(&openSpec), vessel));
    if (mfd == nullptr)
        mfd = reinterpret_cast<MFD*>(msgproc(OAPI_MSG_MFD_OPENED, UINT(display), MAKEWPARAM(IW, IH), vessel));
    // The simulator would write through a null instance here; the host reports it as invalid.
    if (mfd == nullptr) return;
    if (mfd->cw != kUnsetCell || mfd->ch != kUnsetCell) ++conduct.constructorsSettingCell;
    if (dynamic_cast<MFD2*>(mfd) != nullptr) ++conduct.instancesOfMFD2;
    mfd->instr = this;
    mfd->cw = cw;
    mfd->ch = ch;
    // AllocSurface: a top-down 32-bit DIB section stands in for the D3D9 client's GDI texture.
    BITMAPINFO info{{sizeof info.bmiHeader, IW, -IH, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* pixels = nullptr;
    surface = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<DWORD*>(pixels);
    mfd->RecallStatus();
}

// The simulator's order: StoreStatus, the CLOSED message, the virtual destructor.
Instrument_User::~Instrument_User() {
    if (mfd != nullptr) {
        mfd->StoreStatus();
        const int index = ModeIndex(modeId);
        ++conduct.closedMessages;
        if (index >= 0) modes[index].spec.msgproc(OAPI_MSG_MFD_CLOSED, UINT(display), 0, 0);
        delete mfd;
    }
    for (HFONT font : fonts) DeleteObject(font);
    if (surface != nullptr) DeleteObject(surface);
}

// ClearSurface, BeginDrawHDC, the page's Update, EndDrawHDC; then the next periodic
// redraw is due after the update interval and at the earliest a tenth of a second later.
void Instrument_User::Draw(double simT, double sysT) {
    GdiFlush();
    memset(bits, 0, size_t(IW) * size_t(IH) * sizeof(DWORD));
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previousSurface = SelectObject(dc, surface);
    SetTextColor(dc, RGB(0, 255, 0));
    SelectObject(dc, fonts[0]);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SelectObject(dc, session.pens[0]);
    if (glass) Rectangle(dc, 0, 0, IW, IH);
    mfd->Update(dc);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SelectObject(dc, previousSurface);
    DeleteDC(dc);
    GdiFlush();
    ++drawCount;
    updT = simT + kInstrumentInterval;
    updSysT = sysT + kRedrawCap;
}

void Instrument_User::Refresh() {
    updT = session.simT - 1;
    updSysT = session.sysT - 1;
}

// The glass cockpit reads the labels of the twelve buttons of the current page,
// and only while this instrument is the display's.
void Instrument_User::RepaintButtons() {
    if (!glass || InstrumentOf(display) != this) return;
    const int page = session.displays[display].buttonPage;
    for (int button = 0; button < kButtonsPerPage; ++button) {
        ++conduct.labelCalls;
        mfd->ButtonLabel(button + page * kButtonsPerPage);
    }
}

// ---- The MFD base class -----------------------------------------------------------

MFD::MFD(DWORD w, DWORD h, VESSEL* vessel) : W(w), H(h), cw(kUnsetCell), ch(kUnsetCell), pV(vessel), instr(nullptr) {}

MFD::~MFD() = default;

// Each helper goes through the instrument; with instr still 0 (inside the module's
// constructor) the simulator dereferences null, the host counts the call instead.
void MFD::InvalidateDisplay() {
    if (instr == nullptr) {
        ++conduct.helpersBeforeInstrument;
        return;
    }
    instr->Refresh();
}

void MFD::InvalidateButtons() {
    if (instr == nullptr) {
        ++conduct.helpersBeforeInstrument;
        return;
    }
    instr->RepaintButtons();
}

void MFD::Title(HDC hDC, const char* title) const {
    if (instr == nullptr) {
        ++conduct.helpersBeforeInstrument;
        return;
    }
    SetTextColor(hDC, RGB(224, 224, 224));
    TextOutA(hDC, int(instr->cw / 2), 0, title, int(strlen(title)));
}

HPEN MFD::SelectDefaultPen(HDC hDC, DWORD i) const {
    if (instr == nullptr) {
        ++conduct.helpersBeforeInstrument;
        return nullptr;
    }
    return i < 6 ? static_cast<HPEN>(SelectObject(hDC, session.pens[i])) : nullptr;
}

HFONT MFD::SelectDefaultFont(HDC hDC, DWORD i) const {
    if (instr == nullptr) {
        ++conduct.helpersBeforeInstrument;
        return nullptr;
    }
    return i < 4 ? static_cast<HFONT>(SelectObject(hDC, instr->fonts[i])) : nullptr;
}

// ---- The simulator's exports ----------------------------------------------------------

// Runs inside the module's DllMain: the log line with the module's build and API
// dates, then its initialisation hook.
OAPIFUNC void InitLib(HINSTANCE hModule) {
    ++conduct.initLibCalls;
    char line[512];
    char file[MAX_PATH] = {};
    GetModuleFileNameA(hModule, file, sizeof file);
    int length = snprintf(line, sizeof line, "Module %s ", file);
    while (length < 30) line[length++] = '.';
    line[length] = '\0';
    using DateFunction = char* (*)();
    using VersionFunction = int (*)();
    const auto moduleDate =
        reinterpret_cast<DateFunction>(reinterpret_cast<void*>(GetProcAddress(hModule, "ModuleDate")));
    const auto moduleVersion =
        reinterpret_cast<VersionFunction>(reinterpret_cast<void*>(GetProcAddress(hModule, "GetModuleVersion")));
    if (moduleDate != nullptr)
        length += snprintf(line + length, sizeof line - size_t(length), " [Build %06d", Date2Int(moduleDate()));
    else
        length += snprintf(line + length, sizeof line - size_t(length), " [Build ******");
    if (moduleVersion != nullptr)
        snprintf(line + length, sizeof line - size_t(length), ", API %06d]", moduleVersion());
    else
        snprintf(line + length, sizeof line - size_t(length), ", API ******]");
    Log("%s", line);
    using InitFunction = void (*)(HINSTANCE);
    auto init = reinterpret_cast<InitFunction>(reinterpret_cast<void*>(GetProcAddress(hModule, "InitModule")));
    if (init == nullptr)
        init = reinterpret_cast<InitFunction>(reinterpret_cast<void*>(GetProcAddress(hModule, "opcDLLInit")));
    if (init != nullptr) {
        ++conduct.opcDLLInitCalls;
        init(hModule);
    }
}

// The simulator's date number (sim/host/date_number.h): "Apr 25 2006" is 60425.
OAPIFUNC int Date2Int(char* date) { return sim::DateNumber(date); }

int oapiRegisterMFDMode(MFDMODESPEC& spec) {
    static bool obsoleteLogged;  // zero-initialised, as the simulator's flag
    LogObsolete(obsoleteLogged, "oapiRegisterMFDMode(MFDMODESPEC&)");
    if (modeCount == int(sizeof modes / sizeof modes[0])) return 0;  // the simulator's table has no bound
    RegisteredMode& mode = modes[modeCount];
    if (lastModeId == 0) lastModeId = BUILTIN_MFD_MODES;
    mode.id = ++lastModeId;
    strncpy(mode.name, spec.name, sizeof mode.name - 1);
    mode.name[sizeof mode.name - 1] = '\0';
    mode.spec = {mode.name, FreeKey(spec.key), nullptr, spec.msgproc};
    ++modeCount;
    return mode.id;
}

// Open instances of the mode are left alone.
bool oapiUnregisterMFDMode(int mode) {
    const int index = ModeIndex(mode);
    if (index < 0) return false;
    for (int i = index; i + 1 < modeCount; ++i) {
        modes[i] = modes[i + 1];
        modes[i].spec.name = modes[i].name;
    }
    --modeCount;
    return true;
}

// A second box replaces the first; the title and the initial text are copied.
void oapiOpenInputBox(char* title, bool (*Clbk)(void*, char*, void*), char* buf, int vislen, void* usrdata) {
    InputBox& box = session.box;
    box.open = true;
    strncpy(box.title, title != nullptr ? title : "", sizeof box.title - 1);
    box.title[sizeof box.title - 1] = '\0';
    // The simulator copies the initial text without a bound; the host cuts it at the box's length.
    strncpy(box.text, buf != nullptr ? buf : "", kInputBoxLength);
    box.text[kInputBoxLength] = '\0';
    box.visibleWidth = vislen;
    box.callback = Clbk;
    box.userData = usrdata;
}

OBJHANDLE oapiGetFocusObject() { return session.focus; }
// Outside a session the simulator dereferences null here; the host answers null.
VESSEL* oapiGetFocusInterface() { return FocusInterface(); }
DWORD oapiGetGbodyCount() { return DWORD(sizeof bodies / sizeof bodies[0]); }
// The simulator does not check the index; reproducing that would only crash the host.
OBJHANDLE oapiGetGbodyByIndex(int index) {
    return index >= 0 && DWORD(index) < oapiGetGbodyCount() ? &bodies[index] : nullptr;
}

double oapiGetMass(OBJHANDLE hObj) {
    if (const Ship* ship = ShipOf(hObj)) return ship->emptyMass + ship->loadMass + ship->tank.mass;
    const Body* body = BodyOf(hObj);
    return body ? body->mass : 0;
}

double oapiGetEmptyMass(OBJHANDLE hVessel) {
    const Ship* ship = ShipOf(hVessel);
    return ship ? ship->emptyMass : 0;
}

double oapiGetSize(OBJHANDLE hObj) {
    const Body* body = BodyOf(hObj);
    return body ? body->radius : 0;
}

double oapiGetPlanetPeriod(OBJHANDLE hPlanet) {
    const Body* body = BodyOf(hPlanet);
    return body ? body->rotationPeriod : 0;
}

// The 2024 release leaves the output unwritten when either body has no state.
void oapiGetRelativePos(OBJHANDLE hObj, OBJHANDLE hRef, VECTOR3* pos) {
    if (!HasState(hObj) || !HasState(hRef)) return;
    const Vector a = PositionOf(hObj), b = PositionOf(hRef);
    *pos = {{a.x - b.x, a.y - b.y, a.z - b.z}};
}

void oapiGetRelativeVel(OBJHANDLE hObj, OBJHANDLE hRef, VECTOR3* vel) {
    if (!HasState(hObj) || !HasState(hRef)) return;
    const Vector a = VelocityOf(hObj), b = VelocityOf(hRef);
    *vel = {{a.x - b.x, a.y - b.y, a.z - b.z}};
}

// The ship over the Earth: on the equator at longitude 0 (the Earth's turning is
// not followed), its altitude, and its velocity against the turning surface in the
// local horizon (east, up, north). A vessel without a state has no surface parameters.
BOOL oapiGetFocusEquPos(double* longitude, double* latitude, double* radius) {
    const Ship* ship = session.focus;
    if (ship == nullptr || !ship->hasState) return FALSE;
    *longitude = atan2(ship->position.y, ship->position.x);
    *latitude = atan2(ship->position.z, hypot(ship->position.x, ship->position.y));
    *radius = Length(ship->position);
    return TRUE;
}

BOOL oapiGetFocusAltitude(double* alt) {
    const Ship* ship = session.focus;
    if (ship == nullptr || !ship->hasState) return FALSE;
    *alt = Length(ship->position) - bodies[0].radius;
    return TRUE;
}

BOOL oapiGetFocusAirspeedVector(VECTOR3* speedvec) {
    static bool obsoleteLogged;
    LogObsolete(obsoleteLogged, "oapiGetFocusAirspeedVector");
    const Ship* ship = session.focus;
    if (ship == nullptr || !ship->hasState) return FALSE;
    const double surface = PI2 / bodies[0].rotationPeriod * ship->position.x;
    *speedvec = {{ship->velocity.y - surface, ship->velocity.x, 0}};
    return TRUE;
}

PROPELLANT_HANDLE oapiGetPropellantHandle(OBJHANDLE hVessel, DWORD idx) {
    Ship* ship = ShipOf(hVessel);
    return ship != nullptr && idx == 0 ? &ship->tank : nullptr;
}

double oapiGetPropellantMass(PROPELLANT_HANDLE ph) { return static_cast<Tank*>(ph)->mass; }

// The vessel interface: each vessel's main engines and its tank.
VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel)
    : vessel(static_cast<Vessel*>(hVessel)), flightmodel(short(fmodel)), version(0) {}

DWORD VESSEL::GetGroupThrusterCount(THGROUP_TYPE thgt) const {
    return ShipOf(vessel) != nullptr && thgt == THGROUP_MAIN ? DWORD(sim::kLeoShip.mainEngines) : 0;
}

THRUSTER_HANDLE VESSEL::GetGroupThruster(THGROUP_TYPE thgt, DWORD idx) const {
    return idx < GetGroupThrusterCount(thgt) ? &ShipOf(vessel)->main[idx] : nullptr;
}

double VESSEL::GetThrusterMax(THRUSTER_HANDLE th) const { return static_cast<Thruster*>(th)->maxThrust; }
double VESSEL::GetThrusterIsp(THRUSTER_HANDLE th) const { return static_cast<Thruster*>(th)->isp; }
double VESSEL::GetPropellantEfficiency(PROPELLANT_HANDLE ph) const { return static_cast<Tank*>(ph)->efficiency; }

// ---- What a check drives ------------------------------------------------------------

namespace simulator {

const char* LogText() { return logText; }

int ModeIdByName(const char* name) {
    for (int i = 0; i < modeCount; ++i)
        if (strcmp(modes[i].name, name) == 0) return modes[i].id;
    return 0;
}

DWORD ModeKey(int id) {
    const int index = ModeIndex(id);
    return index >= 0 ? modes[index].spec.key : 0;
}

int RegisteredModeCount() { return modeCount; }

// Orbiter::GlobalInit makes the default pens for the session: solid, width 0.
void StartSession(Cockpit cockpit, int width, int height) {
    session.cockpit = cockpit;
    session.width = width;
    session.height = height;
    session.simT = session.sysT = 0;
    session.paused = false;
    ships[0] = StartingShip(true);
    ships[1] = StartingShip(false);
    for (int i = 0; i < 2; ++i) session.focusInterface[i] = new (std::nothrow) VESSEL(&ships[i]);
    session.focus = &ships[0];
    static const COLORREF penColours[6] = {RGB(0, 255, 0),   RGB(0, 255, 0), RGB(0, 128, 0),
                                           RGB(128, 128, 0), RGB(64, 64, 0), RGB(128, 128, 128)};
    for (int i = 0; i < 6; ++i) session.pens[i] = CreatePen(PS_SOLID, 0, penColours[i]);
}

// Every display's instrument goes, then the pens; the focus object is 0 again.
void EndSession() {
    for (int display = 0; display < kDisplays; ++display) {
        CloseDisplay(display);
        session.displays[display] = {};
    }
    CloseInputBox();
    for (HPEN& pen : session.pens) {
        DeleteObject(pen);
        pen = nullptr;
    }
    for (VESSEL*& vessel : session.focusInterface) {
        delete vessel;
        vessel = nullptr;
    }
    session.focus = nullptr;
    session.mouse = {};
    session.keyCount = 0;
}

int DisplayWidth() { return session.width; }
int DisplayHeight() { return session.height; }

// Selecting the mode a display already shows does nothing.
void SelectMode(Display display, int modeId) {
    Instrument_User* shown = InstrumentOf(display);
    if (modeId == 0) {
        CloseDisplay(display);
        return;
    }
    if (shown != nullptr && shown->modeId == modeId) return;
    OpenDisplay(display, modeId);
}

void SwitchFocus(Focus focus) {
    session.focus = &ships[focus == Focus::Ship ? 0 : 1];
    int reopen[kDisplays];
    for (int display = 0; display < kDisplays; ++display) {
        reopen[display] = InstrumentOf(display) != nullptr ? session.displays[display].lastMode : 0;
        CloseDisplay(display);
    }
    for (int display = 0; display < kDisplays; ++display)
        if (reopen[display] != 0) OpenDisplay(display, reopen[display]);
}

OBJHANDLE FocusObject() { return session.focus; }

// Per frame as the simulator: the clocks, the displays (not while the menu or the
// mode page covers them), the cockpit's button events, then the keyboard.
void Frame(double simSeconds, double systemSeconds) {
    if (!session.paused) session.simT += simSeconds;
    session.sysT += systemSeconds;
    for (int display = 0; display < kDisplays; ++display) {
        Instrument_User* instrument = InstrumentOf(display);
        const DisplayState& state = session.displays[display];
        if (instrument != nullptr && !state.menu && !state.modePage && instrument->Due(session.simT, session.sysT))
            instrument->Draw(session.simT, session.sysT);
    }
    if (!session.paused) {
        CockpitButtons();
        ExternalButtons();
    }
    UserInput();
}

void SetPaused(bool paused) { session.paused = paused; }
double SimulationTime() { return session.simT; }

void PressKey(DWORD scanCode, bool leftShift, bool rightShift, bool control) {
    if (session.keyCount < int(sizeof session.keys / sizeof session.keys[0]))
        session.keys[session.keyCount++] = {scanCode, leftShift, rightShift, control};
}

void HoldShift(bool left, bool right) {
    session.leftShiftHeld = left;
    session.rightShiftHeld = right;
}

// A click in the view closes an open input box without its callback and is then
// handled as usual; the cockpit takes clicks only while the simulation runs.
void MouseDown(Display display, int button) {
    if (session.box.open) CloseInputBox();
    if (session.paused || session.cockpit != Cockpit::Glass) return;
    if (button < kButtonsPerPage) {
        session.mouse = {display, button, false, true, true};
        return;
    }
    if (button == 12) DisplayKey(display, OAPI_KEY_ESCAPE);    // PWR
    if (button == 13) InstrumentKey(display, OAPI_KEY_F1);     // SEL
    if (button == 14) InstrumentKey(display, OAPI_KEY_GRAVE);  // MNU
}

void MouseUp() { session.mouse = {}; }

void ExternalMouseDown(Display display, int button) {
    session.mouse = {display, button, true, false, true};
    ButtonEvent(display, button, PANEL_MOUSE_LBDOWN);
}

void ExternalMouseUp() {
    const Mouse mouse = session.mouse;
    session.mouse = {};
    if (mouse.held && mouse.external) ButtonEvent(mouse.display, mouse.button, PANEL_MOUSE_LBUP);
}

bool InputBoxOpen() { return session.box.open; }
const char* InputBoxTitle() { return session.box.title; }
const char* InputBoxText() { return session.box.text; }
int InputBoxVisibleWidth() { return session.box.visibleWidth; }

// WM_CHAR: printable characters and spaces, up to the box's 256.
void TypeIntoBox(const char* text) {
    if (!session.box.open) return;
    size_t length = strlen(session.box.text);
    for (; *text != '\0'; ++text)
        if ((IsGraphic(*text) || *text == ' ') && length < size_t(kInputBoxLength)) {
            session.box.text[length++] = *text;
            session.box.text[length] = '\0';
        }
}

// Enter: the callback with the box, its own buffer and the user data; a false
// answer keeps the box open.
void PressEnterInBox() {
    InputBox& box = session.box;
    if (!box.open) return;
    if (box.callback == nullptr || box.callback(&box, box.text, box.userData)) CloseInputBox();
}

void PressEscapeInBox() { CloseInputBox(); }

MFD* Page(Display display) { return InstrumentOf(display) != nullptr ? InstrumentOf(display)->mfd : nullptr; }
int CellWidth(Display display) { return InstrumentOf(display) ? int(InstrumentOf(display)->cw) : 0; }
int CellHeight(Display display) { return InstrumentOf(display) ? int(InstrumentOf(display)->ch) : 0; }
const DWORD* Pixels(Display display) { return InstrumentOf(display) ? InstrumentOf(display)->bits : nullptr; }
int DrawCount(Display display) { return InstrumentOf(display) ? InstrumentOf(display)->drawCount : 0; }
int ButtonPage(Display display) { return session.displays[display].buttonPage; }
const Conduct& Recorded() { return conduct; }

}  // namespace simulator
