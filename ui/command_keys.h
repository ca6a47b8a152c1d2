// The keys of the page's commands: keyboard scan codes in the DirectInput numbering
// in which the host delivers key presses. Each button of the page stands for one.
#pragma once

#include "host/win32.h"

namespace kalvo {

enum CommandKey : DWORD {
    kKeyPrevDirectory = 12,      // minus
    kKeyNextDirectory = 13,      // equals/plus
    kKeySelectVariableSet = 19,  // R
    kKeyPrevEquation = 26,       // left bracket
    kKeyNextEquation = 27,       // right bracket
    kKeyGetAllValues = 30,       // A
    kKeySolve = 31,              // S
    kKeyGetSystemValue = 34,     // G
    kKeyVariableHelp = 35,       // H
    kKeyInputValue = 38,         // L
    kKeyZeroValue = 44,          // Z
    kKeyCopy = 46,               // C
    kKeyPaste = 47,              // V
    kKeyPrevVariable = 51,       // comma
    kKeyNextVariable = 52,       // period
};

}  // namespace kalvo
