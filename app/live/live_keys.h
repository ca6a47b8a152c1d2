// What a key of the terminal does on the live page: the page's buttons by their
// select characters, the page's keys by the keyboard's scan codes, and the live
// page's own keys for time, the button menu and quitting.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/host_api.h"

namespace kalvo::app {

// Keys as the live page reads them: a character by its code, the special keys above
// every character.
namespace keys {
inline constexpr int kInterrupt = 3;  // Ctrl-C, when the terminal hands it over as a character
inline constexpr int kCtrlH = 8;
inline constexpr int kLineFeed = 10;
inline constexpr int kReturn = 13;
inline constexpr int kCtrlU = 21;
inline constexpr int kEscape = 27;
inline constexpr int kDeleteCharacter = 127;  // what most terminals send for Backspace
inline constexpr int kLeft = 0x101;
inline constexpr int kRight = 0x102;
inline constexpr int kHome = 0x103;
inline constexpr int kEnd = 0x104;
inline constexpr int kBackspace = 0x105;
inline constexpr int kDelete = 0x106;
inline constexpr int kEnter = 0x107;
}  // namespace keys

struct QuitLivePage {};
struct CycleTimeAcceleration {};
// Shows the button menu in place of the page, or the page again.
struct ToggleMenu {};
// A click on a button, by its select character.
struct ClickOnButton {
    int button;
};
// A key press handed to the page, as the keyboard's scan code.
struct PressKeyCode {
    DWORD scanCode;
};
struct NoCommand {};
using LiveCommand =
    std::variant<QuitLivePage, CycleTimeAcceleration, ToggleMenu, ClickOnButton, PressKeyCode, NoCommand>;

// The live page's own keys, which come before the page's: one table for what they
// do and for what the hint line, the menu and `kalvo --help` say of them.
struct HostKey {
    std::string_view codes;  // the key codes that press it
    const char* name;        // as the hint line, the menu and the help show it
    const char* hint;        // one word for the hint line
    const char* does;        // for the menu and the help
    LiveCommand command;
};
inline constexpr HostKey kHostKeys[] = {
    {"Tt", "T", "faster", "faster: 1x, 10x, 100x, 1000x, then 1x", CycleTimeAcceleration{}},
    {"?", "?", "menu", "the button menu; ? or Esc closes it", ToggleMenu{}},
    {"qQ\x1b\x03", "q", "quit", "quit; Q, Esc and Ctrl-C quit too", QuitLivePage{}},
};

// What the terminal shows, which decides what a key does.
enum class LiveView {
    Page,      // the page on its bezel
    Menu,      // the button menu in the page's place
    TooSmall,  // the message that the terminal is too small: only quitting works
};

// The host's keys first (with the menu shown, Escape closes it; with the terminal
// too small, only the keys that quit act). Then a select character of `menu`
// (exactly, as the button menu shows it) clicks its button, and any other
// character of the keyboard is pressed as its key: "=" is the key of Next
// Directory whose select character is "+", "s" the key of "S".
LiveCommand CommandOfKey(int key, std::span<const MFDBUTTONMENU> menu, LiveView view = LiveView::Page);

// "T: faster   ?: menu   q: quit", for the line under the page.
std::string HostKeysHint();

// The button menu as the simulator's menu button shows it: each button's select
// character, label and menu text, in button order, with what Hlp does, then the
// host's keys; in lines of at most `width` characters.
std::vector<std::string> MenuLines(std::span<const std::string> labels, std::span<const MFDBUTTONMENU> menu, int width);

// The rates at which the world's time runs: 1x, 10x, 100x, 1000x and round again.
inline constexpr int kTimeAccelerations[] = {1, 10, 100, 1000};
int NextTimeAcceleration(int acceleration);

// The world's time as days, hours, minutes and seconds: "T+0d 00:00:00".
std::string SimulatedTimeText(double seconds);

}  // namespace kalvo::app
