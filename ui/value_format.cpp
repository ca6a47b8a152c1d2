#include "ui/value_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace kalvo {

FormattedValue FormatValue(double value) {
    FormattedValue out{};
    if (std::isnan(value)) {
        std::snprintf(out.text.data(), out.text.size(), "NAN");
        return out;
    }
    if (std::isinf(value)) {
        std::snprintf(out.text.data(), out.text.size(), value < 0 ? "-INF" : "INF");
        return out;
    }
    char plain[24];
    std::snprintf(plain, sizeof plain, "%E", value);
    // Widen the exponent to three digits where the C library prints two.
    const char* exponent = std::strchr(plain, 'E');
    const int digits = static_cast<int>(std::strlen(exponent + 2));
    std::snprintf(out.text.data(), out.text.size(), "%.*s%s%s", static_cast<int>(exponent + 2 - plain), plain,
                  digits < 3 ? "0" : "", exponent + 2);
    return out;
}

}  // namespace kalvo
