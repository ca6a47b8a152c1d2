// The MFD base class as the stand-in host supplies it.
#include <cstring>

#include "host/host_api.h"
#include "sim/host/host.h"
#include "sim/host/host_look.h"

// The constructor sets the size and the vessel only: the character cell is the
// host's to set once the message procedure has returned the page.
MFD::MFD(DWORD width, DWORD height, VESSEL* vessel)
    : W(width), H(height), cw(sim::kUnsetCell), ch(sim::kUnsetCell), pV(vessel) {}

MFD::~MFD() = default;

void MFD::InvalidateDisplay() { ++redrawRequests_; }

HFONT MFD::SelectDefaultFont(HDC hdc, DWORD i) const {
    const HFONT font = sim::HostDefaultFont(i < sim::kHostFontCount ? static_cast<int>(i) : -1, static_cast<int>(cw),
                                            static_cast<int>(ch));
    return font != nullptr ? static_cast<HFONT>(SelectObject(hdc, font)) : nullptr;
}

HPEN MFD::SelectDefaultPen(HDC hdc, DWORD i) const {
    const HPEN pen = sim::HostDefaultPen(i < sim::kHostPenCount ? static_cast<int>(i) : -1);
    return pen != nullptr ? static_cast<HPEN>(SelectObject(hdc, pen)) : nullptr;
}

// Grey text at half a cell from the left of the top row, in whatever font, background
// mode and alignment the page left set; the grey stays set.
void MFD::Title(HDC hdc, const char* title) const {
    SetTextColor(hdc, sim::kHostTitleColour);
    TextOut(hdc, static_cast<int>(cw / 2), 0, title, static_cast<int>(std::strlen(title)));
}
