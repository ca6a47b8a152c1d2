// A multi-function display of the stand-in host: a screen of a given size that
// shows one registered mode at a time. Switching to a mode asks the mode's message
// procedure for a page; the display owns the page and destroys it when it leaves
// the mode or closes. Keys and button clicks go to the page, and the page's
// requests for a redraw are remembered until taken.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/host_api.h"
#include "sim/gdi/gdi.h"
#include "sim/host/host.h"

namespace sim {

class Display {
public:
    // Throws std::invalid_argument unless width and height are 1 to 65535 pixels,
    // the sizes a message procedure can be given.
    Display(DWORD width, DWORD height);
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    DWORD Width() const { return width_; }
    DWORD Height() const { return height_; }

    // Switches to the mode registered with `key` (18 is Kalvo MFD), as the simulator
    // does: the mode's message procedure is sent OAPI_MSG_MFD_OPENEDEX and, only when
    // that gives no page, OAPI_MSG_MFD_OPENED; the page then gets its character
    // cell, RecallStatus and the question of its labels 0 to 11, and only then is
    // the page shown before closed. The mode already shown stays as it is (true).
    // False, showing no mode, when no mode has that key or its message procedure
    // gives no page.
    bool SelectMode(DWORD key);
    // Closes the page (StoreStatus, OAPI_MSG_MFD_CLOSED, delete); the display shows no mode.
    void LeaveMode();
    // The id of the mode shown, 0 for none.
    int ModeId() const { return modeId_; }
    // The page of the mode shown, or null.
    MFD* Page() const { return page_.get(); }

    // A key press for the page; whether the page consumed it.
    bool PressKey(DWORD key);
    // A click on a button as the glass cockpit gives it: the mouse press closes an
    // open input box without calling back, then the page gets the button with
    // PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED; every frame while the button is
    // held, HoldButton gives it PANEL_MOUSE_LBPRESSED. No release follows.
    bool PressButton(int button);
    bool HoldButton(int button);
    // A button event as a vessel's panel passes it on, any bits set.
    bool ClickButton(int button, int event);
    // The labels of buttons 0, 1, ... up to the first the page has none for.
    std::vector<std::string> ButtonLabels() const;
    // The page's button menu, as the mode reports it; 0 without a page.
    int ButtonMenu(const MFDBUTTONMENU** menu) const;

    // Whether the page asked for a redraw since the last call.
    bool TakeRedrawRequest();
    // Has the page draw itself on `dc` (DrawPage); without a page, `dc` is left alone.
    void Draw(DeviceContext& dc);

private:
    // The display's number, as the message procedure is told it: its place among
    // the open displays.
    UINT Number() const;
    // Closes `page` as the simulator destroys a mode's page.
    void Close(std::unique_ptr<MFD> page);

    DWORD width_;
    DWORD height_;
    int modeId_ = 0;
    MfdMessageProc messageProc_ = nullptr;  // of the mode shown, told when its page closes
    std::unique_ptr<MFD> page_;
};

// One drawing of `page` on `dc`, as the simulator prepares it: the surface cleared
// to black and a fresh context's state, then text colour RGB(0,255,0), the display's
// default font 0, transparent background, the null brush and default pen 0 selected,
// the text alignment left as a fresh context has it; after the page's Update, the
// null pen and the null brush are selected again.
void DrawPage(MFD& page, DeviceContext& dc);

// Every display showing one of `modeIds` leaves it. The host does this before it
// unloads the module that registered the modes.
void LeaveModes(const std::vector<int>& modeIds);

}  // namespace sim
