// How a cell of the page's character grid is shown in a terminal: its colours in
// the terminal's palette, its character in the terminal's character set.
#pragma once

#include <string>
#include <string_view>

#include "host/win32.h"

namespace kalvo::app {

// The nearest colour of a 256-colour terminal's fixed part: the 6 x 6 x 6 cube
// (16 to 231, levels 0, 95, 135, 175, 215, 255) and the grey ramp (232 to 255,
// 8 to 238 in steps of 10), by distance in RGB. The first 16 are left out: each
// terminal chooses them.
int NearestOf256(COLORREF colour);

// The nearest of the 8 basic colours, taken as the corners of the RGB cube, in
// the terminals' order: black, red, green, yellow, blue, magenta, cyan, white.
int NearestOf8(COLORREF colour);

// The character of a grid cell (UTF-8) for a terminal that shows ASCII only: lines
// as "-" and "|", arrows as "<" and ">", anything else beyond ASCII as "?".
std::string_view AsciiOf(std::string_view glyph);
// A whole text so, character by character; newlines and other ASCII stay.
std::string AsciiOfText(std::string_view text);

}  // namespace kalvo::app
