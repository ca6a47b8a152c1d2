// The host's own look: the title colour, and the default font and pen of a display,
// which a page selects but never owns. The stand-in GDI supplies them (sim/gdi/gdi.cpp).
#pragma once

#include "host/win32.h"

namespace sim {

inline constexpr COLORREF kHostTitleColour = 0x00E0FFE0;  // pale green
inline constexpr COLORREF kHostPenColour = 0x0000B000;    // green

// The default font of a display: monospaced, one character per cell; one font per
// cell size, kept for as long as the host runs.
HFONT HostDefaultFont(int cellWidth, int cellHeight);
HPEN HostDefaultPen();

}  // namespace sim
