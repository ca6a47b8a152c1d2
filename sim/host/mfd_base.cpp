// The MFD base class as the stand-in host supplies it.
#include <algorithm>
#include <cstring>

#include "host/host_api.h"
#include "sim/host/host_look.h"

namespace {

// The host's character cell: 40 columns and 24 rows of the display, at least a pixel.
int CellSize(DWORD pixels, DWORD cells) { return std::max(1, static_cast<int>(pixels / cells)); }

}  // namespace

MFD::MFD(DWORD width, DWORD height, VESSEL* vessel)
    : W(width), H(height), cw(CellSize(width, 40)), ch(CellSize(height, 24)), pV(vessel) {}

MFD::~MFD() = default;

void MFD::InvalidateDisplay() { ++redrawRequests_; }

HFONT MFD::SelectDefaultFont(HDC hdc, DWORD) const {
    return static_cast<HFONT>(SelectObject(hdc, sim::HostDefaultFont(cw, ch)));
}

HPEN MFD::SelectDefaultPen(HDC hdc, DWORD) const { return static_cast<HPEN>(SelectObject(hdc, sim::HostDefaultPen())); }

// The title goes at the current position in the host's font and colour; the
// page's own text colour and background mode are left as they were.
void MFD::Title(HDC hdc, const char* title) const {
    POINT at{};
    GetCurrentPositionEx(hdc, &at);
    const HGDIOBJ font = SelectObject(hdc, sim::HostDefaultFont(cw, ch));
    const COLORREF colour = SetTextColor(hdc, sim::kHostTitleColour);
    const int mode = SetBkMode(hdc, TRANSPARENT);
    TextOut(hdc, at.x, at.y, title, static_cast<int>(std::strlen(title)));
    SetBkMode(hdc, mode);
    SetTextColor(hdc, colour);
    SelectObject(hdc, font);
}
