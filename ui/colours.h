// The colours of the page (COLORREF, 0x00BBGGRR), by what they are used for.
#pragma once

#include "host/win32.h"

namespace kalvo {

inline constexpr COLORREF kLineGreen = 0x0000FF00;      // the two separator lines
inline constexpr COLORREF kTextGreen = 0x0000C000;      // ordinary text
inline constexpr COLORREF kWhite = 0x00FFFFFF;          // selected items, variables of the current equation
inline constexpr COLORREF kHighlightBlue = 0x00C00000;  // background of selected items
inline constexpr COLORREF kBandGrey = 0x00A0A0A0;       // the help band and the help lines' background
inline constexpr COLORREF kBlack = 0x00000000;          // help lines, " N/Av "
inline constexpr COLORREF kYellow = 0x0000FFFF;         // arrow marks
inline constexpr COLORREF kRed = 0x000000FF;            // the clipboard depth when the stack is full
inline constexpr COLORREF kDarkYellow = 0x0000C0C0;     // text of "ERROR!", " N/Ap ", "MultErr"
inline constexpr COLORREF kDarkRed = 0x000000C0;        // background of "ERROR!" and "MultErr"
inline constexpr COLORREF kTeal = 0x00C0C000;           // background of " N/Av "
inline constexpr COLORREF kPurple = 0x00C000C0;         // background of " N/Ap "

}  // namespace kalvo
