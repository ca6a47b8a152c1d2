// A host with the simulator's own ABI, for KalvoMFD.dll: the side of the add-on
// interface that the simulator's executable implements (InitLib and Date2Int, mode
// registration, the MFD base class and its helpers, the input box, VESSEL's queries
// and the oapi functions), built against the simulator's SDK headers with
// OAPI_IMPLEMENTATION, so that the DLL finds them in this program under the names
// and in the ABI the real executable exports them.
//
// It behaves as the simulator does towards a legacy GDI display mode: InitLib runs
// the module's initialisation inside LoadLibrary; registration hands out ids from 11
// and moves duplicate keys; a display opens with OPENEDEX then OPENED, sets instr,
// cw and ch after the constructor, calls RecallStatus and asks for the labels; it
// closes with StoreStatus, CLOSED and the virtual destructor; the page is drawn on a
// fresh device context prepared as the simulator prepares it, on the simulator's
// redraw schedule; keys, clicks and the input box reach the page only as they do in
// the simulator. A test drives it frame by frame with simulation and system time.
//
// Its world is fixed and small, from the stand-in world's figures
// (sim/world/figures.h): the Earth and the Moon, and the `leo` scenario's ship at
// its start (12000 kg with 1500 kg of load and 8000 kg of fuel and two main engines
// of 60 kN at an Isp of 3200 m/s, in a 6671 by 6771 km Earth orbit, 60 degrees past
// perigee), but in the Earth's equatorial plane. A second vessel has no state, as a
// body the 2024 release's relative queries leave unwritten.
#pragma once

#define OAPI_IMPLEMENTATION
#include "host/host_api.h"

// What MFD::MFD leaves in cw and ch: the simulator sets them only after the
// module's constructor, so a constructor that uses them draws with this nonsense.
inline constexpr DWORD kUnsetCell = 0xDEADBEEF;

namespace simulator {

// The host's log, as the simulator writes Orbiter.log: one line per entry.
const char* LogText();

// Registered modes.
int ModeIdByName(const char* name);
DWORD ModeKey(int id);
int RegisteredModeCount();

enum class Cockpit { Glass, Virtual };
enum Display { kLeft = 0, kRight = 1, kDisplays = 2 };
enum class Focus { Ship, Stateless };

// A session: the focus vessel, both displays off, time 0. The display size follows
// from the cockpit and the view height (glass) or is the virtual cockpit's 512.
void StartSession(Cockpit cockpit, int width, int height);
void EndSession();
int DisplayWidth();
int DisplayHeight();

// Pane::OpenMFD for an interactive choice of mode; mode 0 switches the display off.
void SelectMode(Display display, int modeId);
// The focus changes first, then every display is re-created for the new vessel.
void SwitchFocus(Focus focus);
OBJHANDLE FocusObject();

// One frame of the simulator: the clocks advance (simulation time not while
// paused), displays due are redrawn, glass-cockpit button events go out, then the
// queued keys are handled.
void Frame(double simSeconds, double systemSeconds);
void SetPaused(bool paused);
double SimulationTime();

// Keyboard: a key-down with its modifiers, handled in the next frame; the Shift
// keys held, which decide ConsumeKeyImmediate in every frame.
void PressKey(DWORD scanCode, bool leftShift, bool rightShift, bool control = false);
void HoldShift(bool left, bool right);

// The mouse on the glass cockpit's buttons (0..11 the page's, 12 PWR, 13 SEL,
// 14 MNU), and on an external display window's buttons.
void MouseDown(Display display, int button);
void MouseUp();
void ExternalMouseDown(Display display, int button);
void ExternalMouseUp();

// The input box: open, its title and text, typing (WM_CHAR), Enter and Esc.
bool InputBoxOpen();
const char* InputBoxTitle();
const char* InputBoxText();
int InputBoxVisibleWidth();
void TypeIntoBox(const char* text);
void PressEnterInBox();
void PressEscapeInBox();

// What a check reads of a display: the instance, its cell, its pixels (0x00RRGGBB,
// top-down rows) and how often it was drawn.
MFD* Page(Display display);
int CellWidth(Display display);
int CellHeight(Display display);
const DWORD* Pixels(Display display);
int DrawCount(Display display);
int ButtonPage(Display display);

// What the host recorded of the module's conduct.
struct Conduct {
    int initLibCalls;
    int helpersBeforeInstrument;  // Title, SelectDefault*, Invalidate* with instr still 0
    int constructorsSettingCell;  // cw or ch no longer kUnsetCell when the constructor returned
    int instancesOfMFD2;          // instances dynamic_cast finds to be MFD2 (drawn without Update(HDC))
    int closedMessages;
    int labelCalls;
    int immediateKeyCalls;
    int opcDLLInitCalls;
};
const Conduct& Recorded();

}  // namespace simulator

// The simulator's private instrument of a plug-in mode, named as the SDK's MFD
// declares its friend: it owns the MFD instance, its fonts and its surface.
class Instrument_User {
public:
    Instrument_User(int display, int modeIndex, int width, int height, bool glassCockpit);
    ~Instrument_User();
    Instrument_User(const Instrument_User&) = delete;
    Instrument_User& operator=(const Instrument_User&) = delete;

    bool Valid() const { return mfd != nullptr; }
    bool Due(double simT, double sysT) const { return simT >= updT && sysT >= updSysT; }
    void Draw(double simT, double sysT);
    void Refresh();
    void RepaintButtons();

    MFD* mfd = nullptr;
    int display, modeId, IW, IH;
    DWORD cw = 10, ch = 16;  // the simulator's temporary defaults until measured
    HFONT fonts[4] = {};
    HBITMAP surface = nullptr;
    DWORD* bits = nullptr;
    double updT, updSysT;
    bool glass;
    int drawCount = 0;
};
