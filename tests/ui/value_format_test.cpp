// The page's one value format.
#include "ui/value_format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kalvo {
namespace {

TEST(ValueFormat, ExponentNotationWithThreeExponentDigits) {
    // clang-format off
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {6.67259e-11, "6.672590E-011"}, {0.0, "0.000000E+000"},     {-1500, "-1.500000E+003"},
        {1e200, "1.000000E+200"},       {-0.0, "-0.000000E+000"},   {5.9736e24, "5.973600E+024"},
        {1.7976931348623157e308, "1.797693E+308"}, {4.9406564584124654e-324, "4.940656E-324"},
        {9.9999995, "9.999999E+000"},   {9.99999951, "1.000000E+001"}, {123456789, "1.234568E+008"},
        {INFINITY, "INF"},              {-INFINITY, "-INF"},        {NAN, "NAN"},
        {-NAN, "NAN"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_STREQ(FormatValue(c.value).c_str(), c.text) << c.value;
}

}  // namespace
}  // namespace kalvo
