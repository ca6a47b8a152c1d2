// The stand-in host's own operations at their edges: display sizes, the
// simulation queries out of range (the values they give, and none without bodies,
// are checked through the page's readings and the glide), and play scripts, read and played on a
// display. Which commands ask the page for a redraw is the page's own (its command
// tests), and what the steps do to it is checked through `kalvo play` and the
// guide's examples.
#include "sim/host/host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/host/display.h"
#include "sim/host/script.h"
#include "sim/world/world.h"

namespace {

OAPI_MSGTYPE NoPage(UINT, UINT, WPARAM, LPARAM) { return 0; }

// Sizes a message procedure's 16-bit halves can carry; without a mode, or with one
// that gives no page, nothing.
TEST(Display, SizesAndNoMode) {
    for (const auto& [width, height] : {std::pair<DWORD, DWORD>{0, 100}, {100, 0}, {65536, 100}, {100, 65536}})
        EXPECT_THROW(sim::Display(width, height), std::invalid_argument) << width << "x" << height;
    sim::Display display(65535, 65535);
    EXPECT_FALSE(display.SelectMode(0xABCD));
    char name[] = "Pageless";
    MFDMODESPEC mode{name, 0x72, NoPage};
    const int pageless = oapiRegisterMFDMode(mode);
    EXPECT_FALSE(display.SelectMode(0x72));
    EXPECT_EQ(display.ModeId(), 0);
    EXPECT_TRUE(oapiUnregisterMFDMode(pageless));
    EXPECT_FALSE(oapiUnregisterMFDMode(pageless));
    EXPECT_FALSE(display.PressKey(13));
    EXPECT_FALSE(display.ClickButton(0));
    EXPECT_TRUE(display.ButtonLabels().empty());
    EXPECT_EQ(display.ButtonMenu(nullptr), 0);
    EXPECT_FALSE(display.TakeRedrawRequest());
    display.Draw(nullptr);
}

TEST(Queries, HandlesOutOfRange) {
    sim::World& world = sim::TheWorld();
    world = sim::World{};
    world.bodies = {{"Earth", 5.9736e24, 6.371e6, 0, {}, {}}};
    world.focus.tank = {4000, 0.9};
    world.focus.mainThrusters = {{100000, 30000}};
    const OBJHANDLE ship = oapiGetFocusObject();
    EXPECT_EQ(oapiGetGbodyByIndex(1), nullptr);
    EXPECT_EQ(oapiGetGbodyByIndex(-1), nullptr);
    EXPECT_EQ(oapiGetPropellantHandle(ship, 1), nullptr);
    VESSEL* vessel = oapiGetFocusInterface();
    EXPECT_EQ(vessel->GetGroupThrusterCount(THGROUP_RETRO), 0u);
    EXPECT_EQ(vessel->GetGroupThruster(THGROUP_MAIN, 1), nullptr);
    world = sim::World{};
}

using sim::ScriptStep;
using Kind = ScriptStep::Kind;

const std::vector<std::string> kLabels = {"Dr>", "Dr<", "Eq>", "Inp", "0->"};

// The kinds of step at their edges (the guide's examples play each kind).
TEST(Script, ReadsStepsAtTheirEdges) {
    const std::vector<ScriptStep> steps = sim::ParseScript({"0->", "type:", "type:1 2:3", "wait:1e8"}, kLabels);
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_TRUE(steps[0].kind == Kind::Button && steps[0].button == 4);
    EXPECT_TRUE(steps[1].kind == Kind::Type && steps[1].text.empty());  // the input callback judges it
    EXPECT_TRUE(steps[2].kind == Kind::Type && steps[2].text == "1 2:3" && steps[2].token == "type:1 2:3");
    EXPECT_TRUE(steps[3].kind == Kind::Wait && steps[3].seconds == 1e8);
}

TEST(Script, NamesTheBadStepItsPlaceAndWhatIsValid) {
    const std::string valid = "(expected a button label: Dr> Dr< Eq> Inp 0->; or type:TEXT, wait:SECONDS, draw)";
    const std::string wait = "wait takes a number of seconds from 0 to 100000000, got ";
    const struct {
        std::vector<std::string> tokens;
        std::string message;
    } cases[] = {
        {{"Dr>", "Dr> "}, "step 2: unknown step \"Dr> \" " + valid},
        {{"wait:nan"}, "step 1: " + wait + "\"nan\""},
        {{"draw", "draw", "wait:1.1e8"}, "step 3: " + wait + "\"1.1e8\""},
    };
    for (const auto& c : cases) {
        try {
            sim::ParseScript(c.tokens, kLabels);
            ADD_FAILURE() << "accepted \"" << c.tokens.back() << "\"";
        } catch (const sim::ScriptError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

// Waits longer than one advance of the world are made of several. Which steps are
// followed by a redraw is checked through kalvo play's status line, shown at the
// next drawing after a solve and used up by a move's redraw.
TEST(ScriptRun, LongWaitsAndDrawings) {
    sim::TheWorld() = sim::World{};
    sim::Display display(400, 400);
    int drawings = 0;
    sim::RunScript(display, sim::ParseScript({"draw", "wait:60", "wait:0", "draw", "wait:25000000.5"}, kLabels),
                   [&](int drawing) { drawings = drawing; });
    EXPECT_EQ(drawings, 2);
    EXPECT_EQ(sim::TheWorld().time, 60 + 25000000.5);
    sim::TheWorld() = sim::World{};
}

}  // namespace
