// What a key of the terminal does on the live page: the page's buttons by their
// select characters, the page's keys by the keyboard's scan codes, and the live
// page's own keys for time and quitting.
#pragma once

#include <span>
#include <string>
#include <variant>

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
// A click on a button, by its select character.
struct ClickOnButton {
    int button;
};
// A key press handed to the page, as the keyboard's scan code.
struct PressKeyCode {
    DWORD scanCode;
};
struct NoCommand {};
using LiveCommand = std::variant<QuitLivePage, CycleTimeAcceleration, ClickOnButton, PressKeyCode, NoCommand>;

// The live page's own keys, which come before the page's: q, Q, Escape and Ctrl-C
// quit, T and t cycle the time acceleration. Then a select character of `menu`
// (exactly, as the button menu shows it) clicks its button, and any other
// character of the keyboard is pressed as its key: "=" is the key of Next
// Directory whose select character is "+", "s" the key of "S".
LiveCommand CommandOfKey(int key, std::span<const MFDBUTTONMENU> menu);

// The rates at which the world's time runs: 1x, 10x, 100x, 1000x and round again.
inline constexpr int kTimeAccelerations[] = {1, 10, 100, 1000};
int NextTimeAcceleration(int acceleration);

// The world's time as days, hours, minutes and seconds: "T+0d 00:00:00".
std::string SimulatedTimeText(double seconds);

}  // namespace kalvo::app
