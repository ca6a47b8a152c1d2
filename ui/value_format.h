// The one formatting of values on the page.
#pragma once

#include <array>

namespace kalvo {

// Text of a value: printf's %E with at least three exponent digits on every
// platform (6.672590E-011, -1.500000E+003), and "INF", "-INF" or "NAN" for values
// that are not finite.
struct FormattedValue {
    std::array<char, 24> text;
    const char* c_str() const { return text.data(); }
};

FormattedValue FormatValue(double value);

}  // namespace kalvo
