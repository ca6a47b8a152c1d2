// The stand-in host's own view of what the module asked of it: registered modes,
// the input box, redraw requests and the module handle given to InitLib.
#pragma once

#include <string>
#include <vector>

#include "host/host_api.h"

// Host bookkeeping kept inside each MFD instance.
struct MfdHostAccess {
    static unsigned RedrawRequests(const MFD& mfd) { return mfd.redrawRequests_; }
    static void ClearRedrawRequests(MFD& mfd) { mfd.redrawRequests_ = 0; }
    static int CellWidth(const MFD& mfd) { return mfd.cw; }
    static int CellHeight(const MFD& mfd) { return mfd.ch; }
    static DWORD Width(const MFD& mfd) { return mfd.W; }
    static DWORD Height(const MFD& mfd) { return mfd.H; }
    static VESSEL* Vessel(const MFD& mfd) { return mfd.pV; }
};

namespace sim {

using MfdMessageProc = decltype(MFDMODESPEC::msgproc);
using InputBoxCallback = bool (*)(void* id, char* text, void* userData);

struct RegisteredMode {
    int id;
    std::string name;
    DWORD key;
    MfdMessageProc messageProc;
};

// Modes registered and not yet unregistered, in order of registration.
const std::vector<RegisteredMode>& RegisteredModes();
const RegisteredMode* FindModeByKey(DWORD key);

// The host's text input box: opened by the module, answered by whoever plays the user.
struct InputBoxState {
    bool open = false;
    std::string title;
    int visibleWidth = 0;
    InputBoxCallback callback = nullptr;
    void* userData = nullptr;
};
const InputBoxState& InputBox();
// Confirms the open box with `text`; the box closes when the callback says so.
// Returns false when no box is open.
bool TypeIntoInputBox(const std::string& text);
void CancelInputBox();

// The module handle that InitLib received last, and how often it was called.
HINSTANCE InitLibModule();
int InitLibCalls();
// How often Date2Int was called.
int Date2IntCalls();

// Forgets registered modes, the input box and the InitLib and Date2Int records.
void ResetHostState();

}  // namespace sim
