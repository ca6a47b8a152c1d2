// The page's fifteen buttons, in the host's button order: what each shows, what
// the host's button menu lists for it, and the key it stands for.
#pragma once

#include <iterator>

#include "ui/command_keys.h"

namespace kalvo {

struct Button {
    const char* label;
    const char* menuLine;
    char selectCharacter;
    CommandKey key;
};

inline constexpr Button kButtons[] = {
    {"Dr>", "Next Directory", '+', kKeyNextDirectory},
    {"Dr<", "Prev Directory", '-', kKeyPrevDirectory},
    {"Eq>", "Next Equation", ']', kKeyNextEquation},
    {"Eq<", "Prev Equation", '[', kKeyPrevEquation},
    {"VSt", "Select Variable Set", 'R', kKeySelectVariableSet},
    {"Vr>", "Next Variable", '>', kKeyNextVariable},
    {"Vr<", "Prev Variable", '<', kKeyPrevVariable},
    {"Inp", "Input Value", 'L', kKeyInputValue},
    {"Slv", "Solve for Variable", 'S', kKeySolve},
    {"All", "Get All Values", 'A', kKeyGetAllValues},
    {"Cpy", "Copy to Clipboard", 'C', kKeyCopy},
    {"Pst", "Paste from Clipboard", 'V', kKeyPaste},
    {"Get", "Get System Value", 'G', kKeyGetSystemValue},
    {"Hlp", "Variable Help", 'H', kKeyVariableHelp},
    {"0->", "Zero Value", 'Z', kKeyZeroValue},
};
inline constexpr int kButtonCount = static_cast<int>(std::size(kButtons));

}  // namespace kalvo
