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

    // Leaves the current mode and switches to the mode registered with `key`
    // (18 is Kalvo MFD). False, showing no mode, when no mode has that key or its
    // message procedure gives no page.
    bool SelectMode(DWORD key);
    // Destroys the page; the display shows no mode.
    void LeaveMode();
    // The id of the mode shown, 0 for none.
    int ModeId() const { return modeId_; }
    // The page of the mode shown, or null.
    MFD* Page() const { return page_.get(); }

    // A key press or a button event for the page; whether the page consumed it.
    bool PressKey(DWORD key);
    bool ClickButton(int button, int event = PANEL_MOUSE_LBDOWN);
    // The labels of buttons 0, 1, ... up to the first the page has none for.
    std::vector<std::string> ButtonLabels() const;
    // The page's button menu, as the mode reports it; 0 without a page.
    int ButtonMenu(const MFDBUTTONMENU** menu) const;

    // Whether the page asked for a redraw since the last call.
    bool TakeRedrawRequest();
    // Has the page draw itself on `hdc`.
    void Draw(HDC hdc);

private:
    DWORD width_;
    DWORD height_;
    int modeId_ = 0;
    std::unique_ptr<MFD> page_;
};

// Every display showing one of `modeIds` leaves it. The host does this before it
// unloads the module that registered the modes.
void LeaveModes(const std::vector<int>& modeIds);

}  // namespace sim
