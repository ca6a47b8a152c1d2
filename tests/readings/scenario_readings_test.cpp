// The page's readings over the built-in scenarios: what they read must agree with
// the world each scenario describes, and with the page's own equations.
#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/status.h"
#include "sim/scenario.h"
#include "tests/support/page_probe.h"
#include "tests/support/solver_harness.h"

namespace kalvo {
namespace {

using test::Near;

class ScenarioReadings : public ::testing::Test {
protected:
    void SetUp() override { test::ResetValueStore(); }
    void TearDown() override {
        sim::TheWorld() = sim::World{};
        test::ResetValueStore();
    }
    test::PageProbe page;
};

// The default scenario's orbit: periapsis 6 671 km, apoapsis 6 771 km about the
// Earth, so e = (ra - rp) / (ra + rp) and p = rp (1 + e). Read r, Vr and M, type p,
// and ORB equation 3 gives e back; equation 1 gives back the Vt that was read. Half
// an orbit later the same holds.
TEST_F(ScenarioReadings, GetAllAndTheOrbitEquationsReproduceTheDefaultOrbit) {
    ASSERT_EQ(sim::LoadScenario(sim::kDefaultScenario), "");
    const double rp = 6.671e6, ra = 6.771e6;
    const double e = (ra - rp) / (ra + rp), p = rp * (1 + e);
    auto& orbit = ValueStore[0][ORB];

    for (const double wait : {0.0, 2740.0}) {
        SCOPED_TRACE(::testing::Message() << "after " << wait << " s");
        ASSERT_TRUE(sim::AdvanceTime(wait));
        page.Select(ORB, 3, "e");
        page.SetStatus(0);
        page.GetAllValues();
        ASSERT_EQ(page.Status(), kSolved);
        EXPECT_EQ(orbit[Var(ORB, "M")], 5.9736e24);
        EXPECT_GE(orbit[Var(ORB, "r")], rp * (1 - 1e-12));
        EXPECT_LE(orbit[Var(ORB, "r")], ra * (1 + 1e-12));
        // V^2 = Vt^2 + Vr^2, as ORB equation 4 has it.
        EXPECT_TRUE(Near(std::hypot(orbit[Var(ORB, "Vt")], orbit[Var(ORB, "Vr")]), orbit[Var(ORB, "V")], 1e-14));

        orbit[Var(ORB, "p")] = p;
        ASSERT_EQ(page.SolveForVariable(), kSolved);
        EXPECT_TRUE(Near(orbit[Var(ORB, "e")], e, 1e-10));

        const double readVt = orbit[Var(ORB, "Vt")];
        page.Select(ORB, 1, "Vt");
        ASSERT_EQ(page.SolveForVariable(), kSolved);
        EXPECT_TRUE(Near(orbit[Var(ORB, "Vt")], readVt, 1e-12));
    }
}

// 18 km up, 220 m/s over the ground, sinking at 12 m/s: a glide angle of
// atan(12 / 220), in degrees through the page's pi.
TEST_F(ScenarioReadings, TheGliderReadsItsHeightSpeedsAndASmallGlideAngle) {
    ASSERT_EQ(sim::LoadScenario("glide"), "");
    page.Select(GLD, 0, "a");
    page.GetAllValues();
    ASSERT_EQ(page.Status(), kSolved);
    const auto& glide = ValueStore[0][GLD];
    EXPECT_TRUE(Near(glide[Var(GLD, "h")], 18000, 1e-9));
    EXPECT_TRUE(Near(glide[Var(GLD, "Vd")], 220, 1e-12));
    EXPECT_TRUE(Near(glide[Var(GLD, "Vh")], -12, 1e-9));
    EXPECT_TRUE(Near(glide[Var(GLD, "a")], std::atan(12.0 / 220) * 180 / 3.1415926, 1e-9));
}

}  // namespace
}  // namespace kalvo
