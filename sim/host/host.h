// The stand-in host's own view of what the module asked of it: registered modes,
// the input box, redraw requests and the module handle given to InitLib; and the
// character cell it gives a page.
#pragma once

#include <string>
#include <vector>

#include "host/host_api.h"

// Host bookkeeping kept inside each MFD instance.
struct MfdHostAccess {
    static unsigned RedrawRequests(const MFD& mfd) { return mfd.redrawRequests_; }
    static void ClearRedrawRequests(MFD& mfd) { mfd.redrawRequests_ = 0; }
    static int CellWidth(const MFD& mfd) { return static_cast<int>(mfd.cw); }
    static int CellHeight(const MFD& mfd) { return static_cast<int>(mfd.ch); }
    static DWORD Width(const MFD& mfd) { return mfd.W; }
    static DWORD Height(const MFD& mfd) { return mfd.H; }
    static VESSEL* Vessel(const MFD& mfd) { return mfd.pV; }
    static void SetCell(MFD& mfd, DWORD width, DWORD height) {
        mfd.cw = width;
        mfd.ch = height;
    }
};

namespace sim {

// What a page's character cell holds from its constructor until the host sets it:
// a value no display's cell has, so that a page reading it early draws nonsense.
inline constexpr DWORD kUnsetCell = 0xBAADF00D;

// The character cell of a display: 40 columns and 24 rows of it, at least a pixel.
struct CellSize {
    DWORD width, height;
};
CellSize CellOfDisplay(DWORD width, DWORD height);
// Gives a page its display's character cell, as the host does once the message
// procedure has returned the page.
void SetCellOfPage(MFD& page);

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
// It keeps on while the page that opened it closes.
struct InputBoxState {
    bool open = false;
    std::string title;
    int visibleWidth = 0;
    InputBoxCallback callback = nullptr;
    void* userData = nullptr;
};
const InputBoxState& InputBox();
// The most characters the box takes: its buffer holds 256 with the terminating zero.
inline constexpr std::size_t kInputBoxLength = 255;
// Types `text` into the open box and presses Enter. The box takes printable
// characters and spaces only, up to kInputBoxLength, and hands the callback its own
// buffer; the box closes when the callback returns true, and stays open otherwise.
// Returns false when no box is open.
bool TypeIntoInputBox(const std::string& text);
// Closes the box without calling back: Esc, or a mouse click in the view.
void CancelInputBox();

// The module handle that InitLib received last, and how often it was called.
HINSTANCE InitLibModule();
int InitLibCalls();
// How often Date2Int was called.
int Date2IntCalls();

// Forgets registered modes, the input box and the InitLib and Date2Int records.
void ResetHostState();

}  // namespace sim
