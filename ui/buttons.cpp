// The page's buttons as the host sees them: labels, the button menu and clicks,
// each click standing for its button's key.
#include "ui/buttons.h"

#include <array>

#include "ui/solver_mfd.h"

namespace kalvo {

namespace {

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
