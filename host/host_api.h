// The simulator's add-on interface, as the module uses it.
//
// This is the module's only view of the host: display-mode registration, the MFD
// base class and its drawing helpers, the input box and the queries of the
// simulated world. The project's stand-in host implements these declarations; a
// build for the simulator itself replaces this header with the simulator's own.
#pragma once

#include "host/win32.h"

#if defined(_WIN32) && defined(KALVO_HOST_EXPORTS)
#define KALVO_HOSTAPI __declspec(dllexport)
#elif defined(_WIN32)
#define KALVO_HOSTAPI __declspec(dllimport)
#else
#define KALVO_HOSTAPI __attribute__((visibility("default")))
#endif

using OBJHANDLE = void*;
using PROPELLANT_HANDLE = void*;
using THRUSTER_HANDLE = void*;
using FILEHANDLE = void*;

struct VECTOR3 {
    double x, y, z;
};

// Thruster groups; the main engines are group 0.
enum THGROUP_TYPE { THGROUP_MAIN = 0, THGROUP_RETRO, THGROUP_HOVER };

// Flag of a pressed mouse button in a button event.
constexpr int PANEL_MOUSE_LBDOWN = 1;

// Message of the mode's message procedure: a display has opened in the mode.
constexpr UINT OAPI_MSG_MFD_OPENED = 1;

// The message procedure's result carries the address of a new mode instance, so it
// is as wide as a pointer: an int would cut a 64-bit address.
using MfdMessageResult = LPARAM;
using MfdMessageProc = MfdMessageResult (*)(UINT message, UINT display, WPARAM wparam, LPARAM lparam);

// The record with which an add-on registers a display mode.
struct MFDMODESPEC {
    const char* name;
    DWORD key;
    MfdMessageProc msgproc;
};

// One entry of a mode's button menu, as the host lists it.
#pragma pack(push, 1)
struct MFDBUTTONMENU {
    const char* line1;
    const char* line2;
    char selchar;
};
#pragma pack(pop)

using InputBoxCallback = bool (*)(void* id, char* text, void* userData);

// The host's view of a vessel. A handle wrapper: the host answers every query from
// its own state.
class KALVO_HOSTAPI VESSEL {
public:
    explicit VESSEL(OBJHANDLE handle);
    OBJHANDLE GetHandle() const;
    DWORD GetGroupThrusterCount(THGROUP_TYPE group) const;
    THRUSTER_HANDLE GetGroupThruster(THGROUP_TYPE group, DWORD index) const;
    double GetThrusterMax(THRUSTER_HANDLE thruster) const;
    double GetThrusterIsp(THRUSTER_HANDLE thruster) const;
    double GetPropellantEfficiency(PROPELLANT_HANDLE tank) const;

private:
    OBJHANDLE handle_;
};

struct MfdHostAccess;

// Base class of every display mode. The host creates a mode instance through the
// mode's message procedure, drives it through the virtual operations below (in
// this slot order) and destroys it through the virtual destructor.
class KALVO_HOSTAPI MFD {
public:
    MFD(DWORD width, DWORD height, VESSEL* vessel);
    virtual ~MFD();
    virtual void Update(HDC hdc) = 0;
    virtual bool ConsumeKeyBuffered(DWORD key);
    virtual bool ConsumeKeyImmediate(char* keyState);
    virtual bool ConsumeButton(int button, int event);
    virtual const char* ButtonLabel(int button);
    virtual int ButtonMenu(const MFDBUTTONMENU** menu) const;
    virtual void ReadStatus(FILEHANDLE file);
    virtual void WriteStatus(FILEHANDLE file) const;
    virtual void StoreStatus() const;
    virtual void RecallStatus();

protected:
    // Asks the host to redraw the display soon.
    void InvalidateDisplay();
    HFONT SelectDefaultFont(HDC hdc, DWORD index) const;
    HPEN SelectDefaultPen(HDC hdc, DWORD index) const;
    void Title(HDC hdc, const char* title) const;

    DWORD W, H;   // display size in pixels
    int cw, ch;   // character cell size in pixels
    VESSEL* pV;   // the vessel the display belongs to

private:
    friend struct MfdHostAccess;
    unsigned redrawRequests_ = 0;
};

extern "C" {
KALVO_HOSTAPI void InitLib(HINSTANCE module);
KALVO_HOSTAPI int Date2Int(const char* date);
}

KALVO_HOSTAPI int oapiRegisterMFDMode(MFDMODESPEC& spec);
KALVO_HOSTAPI bool oapiUnregisterMFDMode(int mode);
KALVO_HOSTAPI void oapiOpenInputBox(const char* title, InputBoxCallback callback,
                                    const char* initialText = nullptr, int visibleWidth = 20,
                                    void* userData = nullptr);

KALVO_HOSTAPI OBJHANDLE oapiGetFocusObject();
KALVO_HOSTAPI VESSEL* oapiGetFocusInterface();
KALVO_HOSTAPI DWORD oapiGetGbodyCount();
KALVO_HOSTAPI OBJHANDLE oapiGetGbodyByIndex(int index);
KALVO_HOSTAPI double oapiGetMass(OBJHANDLE object);
KALVO_HOSTAPI double oapiGetEmptyMass(OBJHANDLE object);
KALVO_HOSTAPI double oapiGetSize(OBJHANDLE object);
KALVO_HOSTAPI double oapiGetPlanetPeriod(OBJHANDLE body);
KALVO_HOSTAPI void oapiGetRelativePos(OBJHANDLE from, OBJHANDLE to, VECTOR3* position);
KALVO_HOSTAPI void oapiGetRelativeVel(OBJHANDLE from, OBJHANDLE to, VECTOR3* velocity);
KALVO_HOSTAPI bool oapiGetFocusEquPos(double* longitude, double* latitude, double* radius);
KALVO_HOSTAPI bool oapiGetFocusAltitude(double* altitude);
KALVO_HOSTAPI bool oapiGetFocusAirspeedVector(VECTOR3* airspeed);
KALVO_HOSTAPI PROPELLANT_HANDLE oapiGetPropellantHandle(OBJHANDLE vessel, DWORD index);
KALVO_HOSTAPI double oapiGetPropellantMass(PROPELLANT_HANDLE tank);
