// A soak of the live page without a terminal: two days of simulated time at the
// fastest rate, in ticks as long as the live page's wait for a key (50 ms), each
// with a press and its drawing, and readings and a solve every tenth. Memory must
// stay flat after the first simulated minute, every drawing must give back its GDI
// objects, and the orbit must keep its energy, as two-body propagation promises.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cmath>

#include "app/live_keys.h"
#include "app/page_session.h"
#include "sim/gdi/render_text.h"
#include "sim/world/world.h"
#include "ui/buttons.h"

namespace kalvo {
namespace {

constexpr double kTick = 0.05 * app::kTimeAccelerations[std::size(app::kTimeAccelerations) - 1];
constexpr std::size_t kMemorySlack = 64 * 1024;  // bytes: allocator noise, not a leak

double OrbitalEnergy() {
    const sim::World& world = sim::TheWorld();
    const int reference = world.focus.reference;
    const sim::State s = sim::RelativeState(world, sim::kFocusNode, reference);
    const double mu = sim::kGravitationalConstant * world.bodies[reference].mass;
    return Dot(s.velocity, s.velocity) / 2 - mu / Length(s.position);
}

TEST(Soak, TwoDaysAtTheFastestRateKeepMemoryGdiAndTheOrbit) {
    app::StartScenario("leo");
    app::PageSession session(KALVO_MODULE_PATH, app::kDefaultDisplaySize);
    // ORB equation 1: Get All then Slv each time round solves Vt from the world.
    session.ClickButton(0);
    session.ClickButton(2);
    const double energy = OrbitalEnergy();
    const long liveObjects = sim::GdiAccounting().Live();
    std::size_t settled = 0;
    int tick = 0;
    for (double t = 0; t < 48 * 3600; t += kTick, ++tick) {
        ASSERT_TRUE(sim::AdvanceTime(kTick)) << t;
        // Every button but the directory and equation moves, round and round.
        session.ClickButton(4 + tick % (kButtonCount - 4));
        if (tick % 10 == 0) {
            session.ClickButton(9);
            session.ClickButton(8);
        }
        sim::RenderTextCells(session.Draw(), session.GridOptions(false));
        ASSERT_EQ(sim::GdiAccounting().Live(), liveObjects) << t;
        if (t < 60) settled = mallinfo2().uordblks;
    }
    EXPECT_LE(mallinfo2().uordblks, settled + kMemorySlack);
    EXPECT_TRUE(sim::GdiFaults().empty());
    EXPECT_NEAR(OrbitalEnergy(), energy, 1e-9 * std::fabs(energy));  // NaN fails too
}

}  // namespace
}  // namespace kalvo
