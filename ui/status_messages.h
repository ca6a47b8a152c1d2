// The one table of status messages: what the page shows for a status code, and in
// which colours.
#pragma once

#include "host/win32.h"

namespace kalvo {

struct StatusMessage {
    const char* text;  // empty for status 0: nothing to report
    COLORREF textColour;
    COLORREF background;
};

// Sums of readings' codes that name no single failure (3, 5 and above, and any
// negative code) show as "MultErr".
StatusMessage MessageOfStatus(int status);

}  // namespace kalvo
