// The page's fifteen buttons: what they show, what the host's button menu lists
// for them, and the key each one stands for.
#include <array>

#include "catalogue/solver_mfd.h"
#include "ui/command_keys.h"

namespace kalvo {

namespace {

struct Button {
    const char* label;
    const char* menuLine;
    char selectCharacter;
    CommandKey key;
};

constexpr Button kButtons[] = {
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
constexpr int kButtonCount = static_cast<int>(std::size(kButtons));

// The host's menu records, one per button in button order, without a second line.
constexpr std::array<MFDBUTTONMENU, kButtonCount> MenuOfButtons() {
    std::array<MFDBUTTONMENU, kButtonCount> menu{};
    for (int b = 0; b < kButtonCount; ++b) menu[b] = {kButtons[b].menuLine, nullptr, kButtons[b].selectCharacter};
    return menu;
}
constexpr std::array<MFDBUTTONMENU, kButtonCount> kMenu = MenuOfButtons();

bool IsButton(int button) { return button >= 0 && button < kButtonCount; }

}  // namespace

bool SolverMFD::ConsumeButton(int button, int event) {
    if (!(event & PANEL_MOUSE_LBDOWN) || !IsButton(button)) return false;
    return ConsumeKeyBuffered(kButtons[button].key);
}

// The host's interface declares the label as char*; the host only reads it.
char* SolverMFD::ButtonLabel(int button) {
    return IsButton(button) ? const_cast<char*>(kButtons[button].label) : nullptr;
}

int SolverMFD::ButtonMenu(const MFDBUTTONMENU** menu) const {
    if (menu != nullptr) *menu = kMenu.data();
    return kButtonCount;
}

}  // namespace kalvo
