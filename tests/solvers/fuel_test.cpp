// FUE: the rocket equation and the burn time.
#include "tests/support/solver_cases.h"

namespace kalvo {
namespace {

using test::SolveCase;

// A lunar transfer burn of 3100 m/s at an Isp of 4400 m/s: 10 t ship, 2 t load,
// 18 t fuel. mf = (mi + ms + ml) / exp(DV / Isp) - (ms + ml), worked by hand.
constexpr double kFuelLeft = 2829.9966034389226;

const SolveCase kCases[] = {
    {0, "mf", {{"DV", 3100}, {"ms", 10000}, {"ml", 2000}, {"mi", 18000}, {"Isp", 4400}}, kSolved, kFuelLeft, 1e-13},
    // A speed decrease costs the same fuel.
    {0, "mf", {{"DV", -3100}, {"ms", 10000}, {"ml", 2000}, {"mi", 18000}, {"Isp", 4400}}, kSolved, kFuelLeft, 1e-13},
    // ln 2 * 3000, and more fuel at the end than at the start.
    {0, "DV", {{"mf", 0}, {"ms", 1000}, {"ml", 0}, {"mi", 1000}, {"Isp", 3000}}, kSolved, 2079.44154168, 1e-10},
    {0, "DV", {{"mf", 1000}, {"ms", 1000}, {"ml", 0}, {"mi", 0}, {"Isp", 3000}}, kSolved, -2079.44154168, 1e-10},
    {0, "DV", {{"mf", 0}, {"ms", 0}, {"ml", 0}, {"mi", 1000}, {"Isp", 3000}}, kError},        // nothing left
    {0, "DV", {{"mf", 1000}, {"ms", 500}, {"ml", 0}, {"mi", -2000}, {"Isp", 3000}}, kError},  // negative ratio
    // A ratio of exactly 0 is not refused: ln 0 = -inf, times Isp (NaN with Isp = 0).
    {0, "DV", {{"mf", 1000}, {"ms", 0}, {"ml", 0}, {"mi", 0}, {"Isp", 3000}}, kSolved, -INFINITY},
    {0, "DV", {{"mf", 1000}, {"ms", 0}, {"ml", 0}, {"mi", 0}, {"Isp", 0}}, kSolved, NAN},
    {0, "mf", {{"DV", 3100}, {"ms", 10000}, {"ml", 2000}, {"mi", 18000}, {"Isp", 0}}, kError},
    {0, "mf", {{"DV", 3100}, {"ms", 10000}, {"ml", 2000}, {"mi", 18000}, {"Isp", -1}}, kError},  // e^-3100 = 0
    {0, "mf", {{"DV", NAN}, {"ms", 10000}, {"ml", 2000}, {"mi", 18000}, {"Isp", 4400}}, kError},
    // tbn = (mi - mf) Isp / THR.
    {1, "tbn", {{"mi", 1000}, {"mf", 500}, {"Isp", 3000}, {"THR", 30000}}, kSolved, 50},
    {1, "tbn", {{"mi", 1000}, {"mf", 500}, {"Isp", 3000}, {"THR", -30000}}, kSolved, -50},
    {1, "tbn", {{"mi", 1000}, {"mf", 500}, {"Isp", 3000}, {"THR", 0}}, kError},
    {1, "mf", {{"mi", 1000}, {"tbn", 50}, {"Isp", -1}, {"THR", 30000}}, kError},
    {1, "mf", {{"mi", 1000}, {"tbn", 50}, {"Isp", 0}, {"THR", 30000}}, kError},
};

TEST(FuelSolvers, RocketEquationBurnTimeAndGuards) { test::ExpectCases(FUE, kCases); }

TEST(FuelSolvers, BurningItAllBackGivesNoFuelLeft) {
    // ln 2 * 3000 solved back for mf: (2000 - 1000 * 2) / 2 = 0, to within rounding of the masses.
    for (const double DV : {2079.441541679836, -2079.441541679836}) {
        const auto outcome =
            test::Solve(FUE, 0, "mf", {{"DV", DV}, {"ms", 1000}, {"ml", 0}, {"mi", 1000}, {"Isp", 3000}});
        EXPECT_EQ(outcome.status, kSolved);
        EXPECT_LE(std::fabs(outcome.value), 1e-9);
    }
}

}  // namespace
}  // namespace kalvo
