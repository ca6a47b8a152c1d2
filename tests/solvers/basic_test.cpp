// BOP: the eight elementary equations, their guards and the short pi's traces.
#include "tests/support/solver_harness.h"

namespace kalvo {
namespace {

using test::Given;
using test::Near;
using test::Solve;

struct Case {
    int equation;
    std::string_view target;
    std::initializer_list<Given> inputs;
    int status;
    double expected;  // the solved value when the status is 0
};

// Expected values are hand calculations; where the page's pi of 3.1415926 shows,
// they were worked with that pi (sin 180 = 5.3589793e-8, asin 1 = 90.0000015).
const Case kCases[] = {
    {0, "a", {{"b", 2}, {"c", 3}}, kSolved, 5},
    {0, "b", {{"a", 2}, {"c", 3}}, kSolved, -1},
    {0, "c", {{"a", 2}, {"b", 3}}, kSolved, -1},
    {1, "a", {{"b", 2}, {"c", 0}}, kSolved, 0},
    {1, "a", {{"b", 2.5}, {"c", -4}}, kSolved, -10},
    {1, "b", {{"a", 12}, {"c", 4}}, kSolved, 3},
    {1, "b", {{"a", 12}, {"c", 0}}, kError, 0},
    {1, "c", {{"a", 12}, {"b", 0}}, kError, 0},
    {1, "c", {{"a", 12}, {"b", 3}}, kSolved, 4},
    {2, "a", {{"b", 2.25}}, kSolved, 1.5},
    {2, "a", {{"b", -1}}, kError, 0},
    {2, "b", {{"a", -3}}, kSolved, 9},
    {3, "a", {{"b", 180}}, kSolved, 5.3589793170057245e-08},
    {3, "a", {{"b", 30}}, kSolved, 0.49999999226497965},
    {3, "b", {{"a", 1}}, kSolved, 90.00000153523452},
    {3, "b", {{"a", 1.0000001}}, kError, 0},
    {3, "b", {{"a", -1.0000001}}, kError, 0},
    {4, "a", {{"b", 0}}, kSolved, 1},
    {4, "b", {{"a", -1}}, kSolved, 180.00000307046903},
    {4, "b", {{"a", 1.5}}, kError, 0},
    {5, "a", {{"b", 45}}, kSolved, 0.9999999732051038},
    {5, "a", {{"b", 0}}, kSolved, 0},
    {5, "a", {{"b", 180}}, kSolved, -5.3589793170057325e-08},
    {5, "a", {{"b", 90}}, kError, 0},
    {5, "a", {{"b", -90}}, kError, 0},
    {5, "a", {{"b", 270}}, kError, 0},
    {5, "a", {{"b", 450}}, kError, 0},
    {5, "b", {{"a", 1}}, kSolved, 45.00000076761726},
    {6, "a", {{"b", 0}}, kError, 0},
    {6, "a", {{"b", -2}}, kError, 0},
    {6, "a", {{"b", 1}}, kSolved, 0},
    {6, "b", {{"a", 0}}, kSolved, 1},
    {6, "b", {{"a", 2}}, kSolved, 7.3890560989306495},
    {7, "a", {{"b", 0}}, kError, 0},
    {7, "a", {{"b", 1000}}, kSolved, 3},
    {7, "b", {{"a", 0}}, kSolved, 1},
    {7, "b", {{"a", -2}}, kSolved, 0.01},
};

TEST(BasicSolvers, FormulasAndGuards) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(::testing::Message() << "BOP " << c.equation << " for " << c.target);
        const auto outcome = Solve(BOP, c.equation, c.target, c.inputs);
        EXPECT_EQ(outcome.status, c.status);
        if (c.status == kSolved) {
            // sin 180 lies next to a zero of the sine, where Windows' C library,
            // which reduces arguments with a 66-bit pi, keeps only 12 or 13 digits.
            EXPECT_TRUE(Near(outcome.value, c.expected, 1e-12));
        }
    }
}

TEST(BasicSolvers, NaNPassesOnlyTheGuardsThatTestAboveOrAtLeast) {
    // The tangent guard compares both remainders as 0 for a NaN angle, so it lets it through.
    const auto tangent = Solve(BOP, 5, "a", {{"b", NAN}});
    EXPECT_EQ(tangent.status, kSolved);
    EXPECT_TRUE(std::isnan(tangent.value));
    // Tests for < and <= hold for NaN: the square root and logarithms refuse it.
    EXPECT_EQ(Solve(BOP, 2, "a", {{"b", NAN}}).status, kError);
    EXPECT_EQ(Solve(BOP, 6, "a", {{"b", NAN}}).status, kError);
    EXPECT_EQ(Solve(BOP, 3, "b", {{"a", NAN}}).status, kError);
    // A test for = 0 holds for NaN too.
    EXPECT_EQ(Solve(BOP, 1, "b", {{"a", 1}, {"c", NAN}}).status, kError);
    // An unguarded operand carries NaN into the result with status 0.
    const auto sum = Solve(BOP, 0, "a", {{"b", NAN}, {"c", 1}});
    EXPECT_EQ(sum.status, kSolved);
    EXPECT_TRUE(std::isnan(sum.value));
}

TEST(BasicSolvers, InfinityIsStoredWhereNoGuardLooks) {
    const auto product = Solve(BOP, 1, "a", {{"b", INFINITY}, {"c", 2}});
    EXPECT_EQ(product.status, kSolved);
    EXPECT_EQ(product.value, INFINITY);
    const auto power = Solve(BOP, 7, "b", {{"a", 400}});
    EXPECT_EQ(power.status, kSolved);
    EXPECT_EQ(power.value, INFINITY);
}

}  // namespace
}  // namespace kalvo
