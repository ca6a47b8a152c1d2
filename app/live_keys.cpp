#include "app/live_keys.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "sim/keyboard.h"

namespace kalvo::app {

LiveCommand CommandOfKey(int key, std::span<const MFDBUTTONMENU> menu) {
    if (key == 'q' || key == 'Q' || key == keys::kEscape || key == keys::kInterrupt) return QuitLivePage{};
    if (key == 't' || key == 'T') return CycleTimeAcceleration{};
    if (key <= 0 || key > 0x7F) return NoCommand{};
    const char character = static_cast<char>(key);
    for (std::size_t b = 0; b < menu.size(); ++b)
        if (menu[b].selchar == character) return ClickOnButton{static_cast<int>(b)};
    if (const auto scanCode = sim::ScanCodeOfCharacter(character)) return PressKeyCode{*scanCode};
    return NoCommand{};
}

int NextTimeAcceleration(int acceleration) {
    const auto* current = std::find(std::begin(kTimeAccelerations), std::end(kTimeAccelerations), acceleration);
    if (current == std::end(kTimeAccelerations) || current + 1 == std::end(kTimeAccelerations))
        return kTimeAccelerations[0];
    return *(current + 1);
}

std::string SimulatedTimeText(double seconds) {
    // Far beyond any flight, and within what a whole number of seconds holds.
    constexpr double kLongestShown = 1e15;
    const double shown = seconds >= 0 ? std::min(seconds, kLongestShown) : 0.0;
    const auto whole = static_cast<long long>(std::floor(shown));
    char text[48];
    std::snprintf(text, sizeof text, "T+%lldd %02lld:%02lld:%02lld", whole / 86400, whole / 3600 % 24, whole / 60 % 60,
                  whole % 60);
    return text;
}

}  // namespace kalvo::app
