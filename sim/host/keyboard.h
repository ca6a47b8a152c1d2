// The host's keyboard: the characters a US keyboard types, as the scan codes (in
// DirectInput's numbering) that the host hands a page's ConsumeKeyBuffered. A
// character typed with Shift has the scan code of its key: "+" is the equals
// key, "<" the comma key, "S" and "s" both the S key.
#pragma once

#include <optional>

#include "host/host_api.h"

namespace sim {

// The scan code of the key that types `character`, or nothing for a character no
// key of the main block types (control characters, bytes above 127).
std::optional<DWORD> ScanCodeOfCharacter(char character);

}  // namespace sim
