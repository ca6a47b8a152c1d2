// The keys of the page's commands: keyboard scan codes in the DirectInput numbering
// in which the host delivers key presses. Each button of the page stands for one.
#pragma once

#include "host/host_api.h"

namespace kalvo {

enum CommandKey : DWORD {
    kKeyPrevDirectory = OAPI_KEY_MINUS,
    kKeyNextDirectory = OAPI_KEY_EQUALS,
    kKeySelectVariableSet = OAPI_KEY_R,
    kKeyPrevEquation = OAPI_KEY_LBRACKET,
    kKeyNextEquation = OAPI_KEY_RBRACKET,
    kKeyGetAllValues = OAPI_KEY_A,
    kKeySolve = OAPI_KEY_S,
    kKeyGetSystemValue = OAPI_KEY_G,
    kKeyVariableHelp = OAPI_KEY_H,
    kKeyInputValue = OAPI_KEY_L,
    kKeyZeroValue = OAPI_KEY_Z,
    kKeyCopy = OAPI_KEY_C,
    kKeyPaste = OAPI_KEY_V,
    kKeyPrevVariable = OAPI_KEY_COMMA,
    kKeyNextVariable = OAPI_KEY_PERIOD,
};

}  // namespace kalvo
