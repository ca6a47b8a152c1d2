#include "app/live/live_keys.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/live/bezel.h"
#include "sim/host/keyboard.h"

namespace kalvo::app {

LiveCommand CommandOfKey(int key, std::span<const MFDBUTTONMENU> menu, LiveView view) {
    if (key <= 0 || key > 0x7F) return NoCommand{};
    const char character = static_cast<char>(key);
    if (view == LiveView::Menu && key == keys::kEscape) return ToggleMenu{};
    for (const HostKey& hostKey : kHostKeys)
        if (hostKey.codes.find(character) != std::string_view::npos)
            return view == LiveView::TooSmall && !std::holds_alternative<QuitLivePage>(hostKey.command)
                       ? LiveCommand{NoCommand{}}
                       : hostKey.command;
    if (view == LiveView::TooSmall) return NoCommand{};
    for (std::size_t b = 0; b < menu.size(); ++b)
        if (menu[b].selchar == character) return ClickOnButton{static_cast<int>(b)};
    if (const auto scanCode = sim::ScanCodeOfCharacter(character)) return PressKeyCode{*scanCode};
    return NoCommand{};
}

std::string HostKeysHint() {
    std::string hint;
    for (const HostKey& key : kHostKeys) hint += (hint.empty() ? "" : "   ") + std::string(key.name) + ": " + key.hint;
    return hint;
}

std::vector<std::string> MenuLines(std::span<const std::string> labels, std::span<const MFDBUTTONMENU> menu,
                                   int width) {
    // The one button whose effect its menu text does not tell.
    constexpr const char* kHelpViewNote = "Hlp shows the long names in place of the values until pressed again.";
    std::vector<std::string> lines{"Buttons (select character, label, menu):"};
    for (std::size_t b = 0; b < menu.size() && b < labels.size(); ++b) {
        std::string text;
        for (const char* part : {menu[b].line1, menu[b].line2})
            if (part != nullptr && *part != '\0') text += (text.empty() ? "" : " ") + std::string(part);
        lines.push_back(std::string(" ") + menu[b].selchar + "  " + labels[b] + "  " + text);
    }
    for (const std::string& line : WrapWords(kHelpViewNote, width)) lines.push_back(line);
    lines.emplace_back();
    for (const HostKey& key : kHostKeys) lines.push_back(std::string(" ") + key.name + "  " + key.does);
    for (std::string& line : lines) line.resize(std::min(line.size(), static_cast<std::size_t>(std::max(width, 0))));
    return lines;
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
