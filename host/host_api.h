// The simulator's add-on interface, as the module uses it.
//
// This is the module's only view of the host: display-mode registration, the MFD
// base class and its drawing helpers, the input box and the queries of the
// simulated world. On Windows it is the simulator's own SDK (the folder of its
// headers is on the include path); elsewhere it declares the same names with the
// same types, const-ness, return types and default arguments, in the SDK's slot
// order, for the project's stand-in host to implement. Every module source reads
// the same against either.
#pragma once

#ifdef _WIN32

#include <algorithm>

// The 2016 headers call min and max, which the Windows SDK's <windows.h> defines
// as macros unless NOMINMAX is set. MinGW-w64's headers, with which the Debian
// build reads them, leave the macros out in C++ (its libstdc++ sets NOMINMAX): the
// standard functions serve in their place.
using std::max;
using std::min;

#include "Orbitersdk.h"

// Once the headers are read the macros go, so that std::min and std::max are not
// taken for them.
#undef min
#undef max

// The 2016 headers declare a message procedure that returns int; the 2024 headers
// name its result OAPI_MSGTYPE (LRESULT on 64-bit, int on 32-bit).
#ifndef OAPI_MSGTYPE
#define OAPI_MSGTYPE int
#endif

#else

#include "host/win32.h"

// The SDK's linkage macros: OAPIFUNC marks what the host's executable provides,
// DLLCLBK what an add-on exports for the host to call.
#define OAPIFUNC __attribute__((visibility("default")))
#define DLLCLBK extern "C" __attribute__((visibility("default")))

// The message procedure's result carries the address of a new mode instance. The
// SDK makes it LRESULT on 64-bit Windows and int on 32-bit; here it is as wide as
// a pointer on every platform, since an int would cut a 64-bit address.
#define OAPI_MSGTYPE LRESULT

typedef void* OBJHANDLE;
typedef void* FILEHANDLE;
typedef void* THRUSTER_HANDLE;
typedef void* PROPELLANT_HANDLE;

// A vector of three doubles, read by component or as an array.
typedef union {
    double data[3];
    struct {
        double x, y, z;
    };
} VECTOR3;

// Thruster group types; the module reads the main engines only.
enum THGROUP_TYPE { THGROUP_MAIN, THGROUP_RETRO, THGROUP_HOVER };

// Key codes of the main keyboard block, in the numbering in which the host
// delivers key presses (the SDK's names and values), those the page and the
// stand-in keyboard use.
// clang-format off
#define OAPI_KEY_1          0x02
#define OAPI_KEY_2          0x03
#define OAPI_KEY_3          0x04
#define OAPI_KEY_4          0x05
#define OAPI_KEY_5          0x06
#define OAPI_KEY_6          0x07
#define OAPI_KEY_7          0x08
#define OAPI_KEY_8          0x09
#define OAPI_KEY_9          0x0A
#define OAPI_KEY_0          0x0B
#define OAPI_KEY_MINUS      0x0C
#define OAPI_KEY_EQUALS     0x0D
#define OAPI_KEY_Q          0x10
#define OAPI_KEY_W          0x11
#define OAPI_KEY_E          0x12
#define OAPI_KEY_R          0x13
#define OAPI_KEY_T          0x14
#define OAPI_KEY_Y          0x15
#define OAPI_KEY_U          0x16
#define OAPI_KEY_I          0x17
#define OAPI_KEY_O          0x18
#define OAPI_KEY_P          0x19
#define OAPI_KEY_LBRACKET   0x1A
#define OAPI_KEY_RBRACKET   0x1B
#define OAPI_KEY_A          0x1E
#define OAPI_KEY_S          0x1F
#define OAPI_KEY_D          0x20
#define OAPI_KEY_F          0x21
#define OAPI_KEY_G          0x22
#define OAPI_KEY_H          0x23
#define OAPI_KEY_J          0x24
#define OAPI_KEY_K          0x25
#define OAPI_KEY_L          0x26
#define OAPI_KEY_SEMICOLON  0x27
#define OAPI_KEY_APOSTROPHE 0x28
#define OAPI_KEY_GRAVE      0x29
#define OAPI_KEY_BACKSLASH  0x2B
#define OAPI_KEY_Z          0x2C
#define OAPI_KEY_X          0x2D
#define OAPI_KEY_C          0x2E
#define OAPI_KEY_V          0x2F
#define OAPI_KEY_B          0x30
#define OAPI_KEY_N          0x31
#define OAPI_KEY_M          0x32
#define OAPI_KEY_COMMA      0x33
#define OAPI_KEY_PERIOD     0x34
#define OAPI_KEY_SLASH      0x35
#define OAPI_KEY_SPACE      0x39
// clang-format on

// Bits of a button event: the left mouse button went down, and it is held down.
#define PANEL_MOUSE_LBDOWN 0x01
#define PANEL_MOUSE_LBPRESSED 0x10

// Messages of a mode's message procedure: a display has opened in the mode (with
// its size packed in wparam, or described by an MFDMODEOPENSPEC), or has left it.
#define OAPI_MSG_MFD_OPENED 1
#define OAPI_MSG_MFD_CLOSED 2
#define OAPI_MSG_MFD_OPENEDEX 4

// The record with which an add-on registers a display mode.
typedef struct {
    char* name;
    DWORD key;
    OAPI_MSGTYPE (*msgproc)(UINT, UINT, WPARAM, LPARAM);
} MFDMODESPEC;

// The host's own record of a registered mode, with the add-on's context (none for
// a mode registered through MFDMODESPEC).
typedef struct {
    char* name;
    DWORD key;
    void* context;
    OAPI_MSGTYPE (*msgproc)(UINT, UINT, WPARAM, LPARAM);
} MFDMODESPECEX;

// What OAPI_MSG_MFD_OPENEDEX points to: the display's size and the mode's record.
typedef struct {
    int w, h;
    MFDMODESPECEX* spec;
} MFDMODEOPENSPEC;

// One entry of a mode's button menu, as the host lists it.
#pragma pack(push, 1)
typedef struct {
    const char *line1, *line2;
    char selchar;
} MFDBUTTONMENU;
#pragma pack(pop)

// The host's view of a vessel: the queries the module makes of the focus vessel.
class OAPIFUNC VESSEL {
public:
    VESSEL(OBJHANDLE hVessel, int fmodel = 1);
    double GetPropellantEfficiency(PROPELLANT_HANDLE ph) const;
    double GetThrusterMax(THRUSTER_HANDLE th) const;
    double GetThrusterIsp(THRUSTER_HANDLE th) const;
    DWORD GetGroupThrusterCount(THGROUP_TYPE thgt) const;
    THRUSTER_HANDLE GetGroupThruster(THGROUP_TYPE thgt, DWORD idx) const;

private:
    OBJHANDLE handle_;  // the stand-in host's own state behind the interface
};

struct MfdHostAccess;

// Base class of every display mode. The host creates a mode instance through the
// mode's message procedure, drives it through the virtual operations below (in
// this slot order) and destroys it through the virtual destructor.
class OAPIFUNC MFD {
public:
    MFD(DWORD w, DWORD h, VESSEL* vessel);
    virtual ~MFD();
    virtual void Update(HDC hDC) = 0;
    // Asks the host to redraw the display soon.
    void InvalidateDisplay();
    void Title(HDC hDC, const char* title) const;
    HPEN SelectDefaultPen(HDC hDC, DWORD i) const;
    HFONT SelectDefaultFont(HDC hDC, DWORD i) const;
    virtual bool ConsumeKeyBuffered(DWORD) { return false; }
    virtual bool ConsumeKeyImmediate(char*) { return false; }
    virtual bool ConsumeButton(int, int) { return false; }
    virtual char* ButtonLabel(int) { return nullptr; }
    virtual int ButtonMenu(const MFDBUTTONMENU**) const { return 0; }
    virtual void WriteStatus(FILEHANDLE) const {}
    virtual void ReadStatus(FILEHANDLE) {}
    virtual void StoreStatus() const {}
    virtual void RecallStatus() {}

protected:
    DWORD W, H;    // display size in pixels
    DWORD cw, ch;  // character cell size of the host's default font, in pixels
    VESSEL* pV;    // the vessel the display belongs to

private:
    friend struct MfdHostAccess;
    unsigned redrawRequests_ = 0;  // the stand-in host's own bookkeeping
};

OAPIFUNC int oapiRegisterMFDMode(MFDMODESPEC& spec);
OAPIFUNC bool oapiUnregisterMFDMode(int mode);
OAPIFUNC void oapiOpenInputBox(char* title, bool (*Clbk)(void*, char*, void*), char* buf = nullptr, int vislen = 20,
                               void* usrdata = nullptr);

OAPIFUNC OBJHANDLE oapiGetFocusObject();
OAPIFUNC VESSEL* oapiGetFocusInterface();
OAPIFUNC DWORD oapiGetGbodyCount();
OAPIFUNC OBJHANDLE oapiGetGbodyByIndex(int index);
OAPIFUNC double oapiGetMass(OBJHANDLE hObj);
OAPIFUNC double oapiGetEmptyMass(OBJHANDLE hVessel);
OAPIFUNC double oapiGetSize(OBJHANDLE hObj);
OAPIFUNC double oapiGetPlanetPeriod(OBJHANDLE hPlanet);
OAPIFUNC void oapiGetRelativePos(OBJHANDLE hObj, OBJHANDLE hRef, VECTOR3* pos);
OAPIFUNC void oapiGetRelativeVel(OBJHANDLE hObj, OBJHANDLE hRef, VECTOR3* vel);
OAPIFUNC BOOL oapiGetFocusEquPos(double* longitude, double* latitude, double* radius);
OAPIFUNC BOOL oapiGetFocusAltitude(double* alt);
OAPIFUNC BOOL oapiGetFocusAirspeedVector(VECTOR3* speedvec);
OAPIFUNC PROPELLANT_HANDLE oapiGetPropellantHandle(OBJHANDLE hVessel, DWORD idx);
OAPIFUNC double oapiGetPropellantMass(PROPELLANT_HANDLE ph);

#endif

// Exported by the simulator's executable with C++ linkage but declared in none of
// its headers: the start of an add-on's library, and the date of a version.
OAPIFUNC void InitLib(HINSTANCE hModule);
OAPIFUNC int Date2Int(char* date);
