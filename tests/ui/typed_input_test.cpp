// Numbers typed into the input box, through the host's box as the pilot types them.
// Expected values are the decimal numbers the texts begin with, worked by hand or
// with Python's correctly rounded float(); what follows the number is ignored.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#include "tests/support/loaded_kalvo.h"
#include "ui/command_keys.h"

namespace kalvo::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

using TypedInput = LoadedKalvo;

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(TypedInput, StoresTheLongestLeadingDecimalNumber) {
    // clang-format off
    const struct { const char* text; double stored; } cases[] = {
        // Plain numbers and what follows them.
        {"1e3", 1000}, {"12abc", 12}, {"  -1.5e3x", -1500}, {"+7", 7}, {".5", 0.5}, {"-.5", -0.5}, {"5.", 5},
        {"1E-2", 0.01}, {"1.5.5", 1.5}, {"1 2", 1}, {"1,5", 1}, {"1e3e4", 1000}, {"1e2.5", 100},
        {"123456789012345678901234567890", 1.2345678901234568e29},
        // An exponent letter counts only with digits after it.
        {"1e", 1}, {"1e+", 1}, {"1E-x", 1},
        // Blanks before the number, and only those.
        {"\t\n\v\f\r 3", 3}, {"\xA0" "5", 0}, {"_5", 0},
        // No number at the start, and the C library's other spellings.
        {"abc", 0}, {"", 0}, {"   ", 0}, {".", 0}, {"-", 0}, {"+", 0}, {"--1", 0}, {"- 1", 0}, {".e5", 0},
        {"inf", 0}, {"infinity", 0}, {"nan", 0}, {"0x10", 0}, {"0x1p3", 0},
        // Beyond the range of a double: infinities above, zeros below, with the sign.
        {"1e400", kInf}, {"-1e400", -kInf}, {"0.1e310", kInf}, {"1e308", 1e308}, {"1e99999999999999999999", kInf},
        {"0.0000000001e99999999999999999999", kInf}, {"0e99999999999999999999", 0}, {"1e-400", 0},
        {"-1e-400", -0.0}, {"100000e-329", 0}, {"1e-99999999999999999999", 0}, {"99999999999999999999e-340", 1e-320},
        {"1e-320", 1e-320}, {"-0", -0.0},
    };
    // clang-format on
    auto display = OpenPage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Cell(0, BOP, "a") = -777.25;
        ASSERT_TRUE(display->PressKey(kKeyInputValue));
        ASSERT_TRUE(sim::TypeIntoInputBox(c.text));
        const double stored = Cell(0, BOP, "a");
        EXPECT_TRUE(SameDouble(stored, c.stored)) << stored << " stored, " << c.stored << " expected";
    }
}

// A double printed with 17 significant digits names it exactly; typed back, it is
// the same double.
TEST_F(TypedInput, SeventeenDigitsReadBackExactly) {
    using limits = std::numeric_limits<double>;
    std::vector<double> values{0.1, 1.0 / 3, 6.67259e-11, limits::max(), limits::min(), -limits::denorm_min()};
    std::mt19937_64 bits(20060425);
    while (values.size() < 2000) {
        const std::uint64_t pattern = bits();
        double value;
        std::memcpy(&value, &pattern, sizeof value);
        if (std::isfinite(value)) values.push_back(value);
    }
    auto display = OpenPage();
    for (const double value : values) {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", value);
        ASSERT_TRUE(display->PressKey(kKeyInputValue));
        ASSERT_TRUE(sim::TypeIntoInputBox(text));
        const double stored = Cell(0, BOP, "a");
        ASSERT_TRUE(SameDouble(stored, value)) << text << " stored as " << stored;
    }
}

}  // namespace
}  // namespace kalvo::test
