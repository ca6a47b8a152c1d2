// A host with the simulator's own ABI, for KalvoMFD.dll: the side of the add-on
// interface that the simulator's executable implements (the MFD base class,
// VESSEL's queries, the oapi functions, InitLib and Date2Int), built against the
// simulator's SDK headers with OAPI_IMPLEMENTATION, so that the DLL finds them in
// this program under the names and in the ABI the real executable exports them.
//
// Its world is fixed and small: the Earth and the Moon, and a ship of 12000 kg with
// 1500 kg of load and 8000 kg of fuel and two main engines of 60 kN at an Isp of
// 3200 m/s, in a 6671 by 6771 km Earth orbit, 60 degrees past perigee, in the
// Earth's equatorial plane: the project's `leo` scenario at its start.
#pragma once

#define OAPI_IMPLEMENTATION
#include "host/host_api.h"

// The Earth's mass and the constant of gravitation, as the stand-in world has them.
inline constexpr double kEarthMass = 5.9736e24;
inline constexpr double kGravitation = 6.67259e-11;

// What the host records of the module's calls.
struct HostRecord {
    int initLibCalls;
    HINSTANCE initLibModule;
    int date2IntCalls;
    int registeredMode;    // the id of the mode registered and not yet unregistered, 0 for none
    int unregisteredMode;  // the id last unregistered
    MFDMODESPEC mode;      // the record of the registered mode
    bool inputBoxOpen;
    char inputBoxTitle[64];
    int inputBoxWidth;
    bool (*inputBoxCallback)(void*, char*, void*);
    void* inputBoxUserData;
};
extern HostRecord host;

// The ship's interface, as oapiGetFocusInterface gives it.
VESSEL* FocusVessel();

// What the host keeps of an MFD instance: the redraw requests it made.
class Instrument_User {
public:
    static unsigned TakeRedrawRequests(MFD& mfd);
    static DWORD CellWidth(const MFD& mfd) { return mfd.cw; }
    static DWORD CellHeight(const MFD& mfd) { return mfd.ch; }

    unsigned redrawRequests = 0;
};

// Makes and deletes the host's default font and pen for a display's cell size.
void CreateHostLook(DWORD cellWidth, DWORD cellHeight);
void DeleteHostLook();
