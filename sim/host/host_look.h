// The host's own look: the colours it prepares a drawing with and gives the title,
// and the default fonts and pens of a display, which a page selects but never owns.
// The stand-in GDI supplies them (sim/gdi/gdi.cpp).
#pragma once

#include "host/win32.h"

namespace sim {

// RGB(0, 255, 0): the text colour every drawing starts with.
inline constexpr COLORREF kHostTextColour = 0x0000FF00;
// RGB(224, 224, 224): MFD::Title's text colour, which it leaves set.
inline constexpr COLORREF kHostTitleColour = 0x00E0E0E0;

// A display's default fonts 0 to 3 and pens 0 to 5 (MFD::SelectDefaultFont and
// SelectDefaultPen); null for any other index. Font 0 is monospaced, one character
// per cell; 1 to 3 are proportional: three quarters of a cell high (2 turned a
// quarter turn), and a cell high. One set per cell size, kept for as long as the
// host runs.
inline constexpr int kHostFontCount = 4;
inline constexpr int kHostPenCount = 6;
HFONT HostDefaultFont(int index, int cellWidth, int cellHeight);
HPEN HostDefaultPen(int index);

}  // namespace sim
