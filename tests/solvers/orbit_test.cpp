// ORB equations 0 to 8: their guards, the root chosen for p and the short pi.
// Round trips of every formula are in consistency_test.cpp.
#include "tests/support/solver_harness.h"

namespace kalvo {
namespace {

using test::Given;
using test::Near;
using test::Solve;

// An Earth orbit between 6600 km and 7400 km from the centre, 60 degrees past
// perigee. Worked by hand from the apsides with the page's pi (3.1415926):
// e = (ra - rp)/(ra + rp), p = rp (1 + e), r = p / (1 + e cos v),
// Vt = sqrt(G M p) / r, Vr = e sqrt(G M / p) sin v, E = -G M / (ra + rp).
constexpr double M = 5.9736e24;
constexpr double ra = 7.4e6;
constexpr double rp = 6.6e6;
constexpr double e = 0.05714285714285714;
constexpr double p = 6977142.857142857;
constexpr double v = 60;
constexpr double r = 6783333.32750342;
constexpr double Vt = 7774.293609085907;
constexpr double Vr = 374.04087148465806;
constexpr double E = -28470988.302857134;

struct GuardCase {
    int equation;
    std::string_view target;
    std::initializer_list<Given> inputs;
    const char* why;
};

const GuardCase kGuards[] = {
    {0, "r", {{"p", 1}, {"e", 1.5}, {"v", 180}}, "1 + e cos v below 0"},
    {0, "e", {{"p", 1}, {"r", 1}, {"v", NAN}}, "cos v = 0 holds for a NaN angle"},
    {0, "v", {{"p", 1}, {"r", 0}, {"e", 0.5}}, "r e = 0"},
    {0, "v", {{"p", 2}, {"r", 1}, {"e", 0}}, "r e = 0"},
    {0, "v", {{"p", 2.5}, {"r", 1}, {"e", 1}}, "(p/r - 1)/e = 1.5"},
    {0, "v", {{"p", 0}, {"r", 1}, {"e", 0.5}}, "(p/r - 1)/e = -2"},
    {1, "r", {{"p", p}, {"Vt", 0}, {"M", M}}, "Vt = 0"},
    {1, "r", {{"p", -p}, {"Vt", Vt}, {"M", M}}, "G M p < 0"},
    {1, "p", {{"r", r}, {"Vt", Vt}, {"M", 0}}, "M = 0"},
    {1, "Vt", {{"r", 0}, {"p", p}, {"M", M}}, "r = 0"},
    {1, "Vt", {{"r", r}, {"p", p}, {"M", -M}}, "G M p < 0"},
    {2, "p", {{"e", e}, {"v", v}, {"Vr", 0}, {"M", M}}, "Vr^2 = 0"},
    {2, "e", {{"p", 0}, {"v", v}, {"Vr", Vr}, {"M", M}}, "p = 0"},
    {2, "e", {{"p", -p}, {"v", v}, {"Vr", Vr}, {"M", M}}, "G M p <= 0"},
    {2, "e", {{"p", p}, {"v", 0}, {"Vr", Vr}, {"M", M}}, "sin v = 0"},
    {2, "v", {{"p", p}, {"e", 0}, {"Vr", Vr}, {"M", M}}, "e = 0"},
    {2, "v", {{"p", p}, {"e", 0.001}, {"Vr", Vr}, {"M", M}}, "sin v above 1"},
    {2, "v", {{"p", p}, {"e", -0.001}, {"Vr", Vr}, {"M", M}}, "sin v below -1"},
    {2, "Vr", {{"p", p}, {"e", e}, {"v", v}, {"M", 0}}, "G M p <= 0"},
    {3, "r", {{"p", p}, {"e", e}, {"Vr", Vr}, {"M", 0}}, "G M = 0"},
    {3, "r", {{"p", p}, {"e", 0}, {"Vr", Vr}, {"M", M}}, "e^2 below Vr^2 p / G M"},
    {3, "p", {{"r", 0}, {"e", e}, {"Vr", Vr}, {"M", M}}, "G M r = 0"},
    {3, "p", {{"r", r}, {"e", 0}, {"Vr", 10000}, {"M", M}}, "negative discriminant"},
    {3, "e", {{"r", 0}, {"p", p}, {"Vr", Vr}, {"M", M}}, "G M r = 0"},
    {3, "Vr", {{"r", r}, {"p", 2 * r}, {"e", 0.5}, {"M", M}}, "e^2 below (p/r - 1)^2"},
    {3, "Vr", {{"r", r}, {"p", 0}, {"e", 1.5}, {"M", M}}, "p = 0"},
    {4, "Vt", {{"Vr", 2}, {"V", 1}}, "V below Vr"},
    {4, "Vr", {{"Vt", 2}, {"V", 1}}, "V below Vt"},
    {4, "V", {{"Vt", NAN}, {"Vr", 1}}, "a NaN sum"},
    {5, "p", {{"e", e}, {"M", M}, {"E", 0}}, "E = 0"},
    {5, "e", {{"p", p}, {"M", 0}, {"E", E}}, "G M = 0"},
    {5, "e", {{"p", p}, {"M", M}, {"E", -1e8}}, "1 + 2 E p / G M below 0"},
    {5, "E", {{"p", 0}, {"e", e}, {"M", M}}, "p = 0"},
    {6, "e", {{"ra", 1}, {"rp", -1}}, "rp + ra = 0"},
    {6, "ra", {{"e", 0}, {"rp", 1}}, "e = 0, even for a circle"},
    {6, "ra", {{"e", 1}, {"rp", 1}}, "1 - 1/e = 0"},
    {6, "rp", {{"e", 0}, {"ra", 1}}, "e = 0"},
    {6, "rp", {{"e", -1}, {"ra", 1}}, "-1/e - 1 = 0"},
    {7, "e", {{"p", p}, {"rp", 0}}, "rp = 0"},
    {7, "rp", {{"p", p}, {"e", -1}}, "1 + e = 0"},
    {8, "r", {{"e", -1}, {"v", 0}, {"ra", ra}}, "1 + e cos v = 0"},
    {8, "e", {{"r", 1}, {"v", 0}, {"ra", -1}}, "cos v + ra/r = 0"},
    {8, "v", {{"r", r}, {"e", 0}, {"ra", ra}}, "e r = 0"},
    {8, "v", {{"r", 1}, {"e", 0.5}, {"ra", 10}}, "cos v above 1"},
    {8, "v", {{"r", 10}, {"e", 0.5}, {"ra", 1}}, "cos v below -1"},
    {8, "ra", {{"r", r}, {"e", 1}, {"v", v}}, "1 - e = 0"},
};

TEST(OrbitSolvers, SemiLatusFromEccentricityTakesTheSmallerRoot) {
    // r and Vr fix p only up to the two roots of a quadratic; the solver takes the
    // one with the minus sign. Past 90 degrees that is the orbit's own p: at v = 120,
    // r = 7182352.928104554 and Vr = 374.040883057513 (worked as above).
    const auto past = Solve(ORB, 3, "p", {{"r", 7182352.928104554}, {"e", e}, {"Vr", 374.040883057513}, {"M", M}});
    EXPECT_EQ(past.status, kSolved);
    EXPECT_TRUE(Near(past.value, p, 1e-12));
    // Before 90 degrees it is the other root, 6573373.004574088 (by hand from the quadratic).
    const auto before = Solve(ORB, 3, "p", {{"r", r}, {"e", e}, {"Vr", Vr}, {"M", M}});
    EXPECT_EQ(before.status, kSolved);
    EXPECT_TRUE(Near(before.value, 6573373.004574088, 1e-12));
}

TEST(OrbitSolvers, GuardsReturnErrorAndWriteNothing) {
    for (const GuardCase& c : kGuards) {
        SCOPED_TRACE(::testing::Message() << "ORB " << c.equation << " for " << c.target << ": " << c.why);
        EXPECT_EQ(Solve(ORB, c.equation, c.target, c.inputs).status, kError);
    }
}

TEST(OrbitSolvers, ShortPiLeavesAParabolaAtApogeeJustInside) {
    // With pi = 3.1415926, 1 + cos(180 degrees) is about 1.443e-15, which passes d <= 0.
    const auto parabola = Solve(ORB, 0, "r", {{"p", 1}, {"e", 1}, {"v", 180}});
    EXPECT_EQ(parabola.status, kSolved);
    EXPECT_TRUE(Near(parabola.value, 6.928614811e14, 1e-9));
    // p = r gives cos v = 0: v = 90, a little over because of the short pi.
    const auto quarter = Solve(ORB, 0, "v", {{"p", 7e6}, {"r", 7e6}, {"e", 0.3}});
    EXPECT_EQ(quarter.status, kSolved);
    EXPECT_TRUE(Near(quarter.value, 90.00000153523452, 1e-15));
}

TEST(OrbitSolvers, ApsidesFromEccentricity) {
    EXPECT_EQ(Solve(ORB, 6, "ra", {{"e", 0.5}, {"rp", 1}}).value, 3);
    EXPECT_EQ(Solve(ORB, 8, "ra", {{"e", 0}, {"v", 0}, {"r", 5}}).value, 5);
}

}  // namespace
}  // namespace kalvo
