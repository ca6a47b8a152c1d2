// Play scripts: reading the steps, and playing them on a display. Which commands
// ask the page for a redraw is the page's own (its command tests), and what the
// steps do to it is checked through `kalvo play` and the guide's examples.
#include "sim/host/script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/host/host.h"
#include "sim/world/world.h"

namespace {

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

// A page that asks for a redraw as many times as its button's number, plus one.
class AskingPage : public MFD {
public:
    AskingPage() : MFD(400, 400, nullptr) {}
    void Update(HDC) override {}
    bool ConsumeButton(int button, int) override {
        for (int ask = 0; ask <= button; ++ask) InvalidateDisplay();
        return true;
    }
};

OAPI_MSGTYPE AskingPages(UINT message, UINT, WPARAM, LPARAM) {
    return message == OAPI_MSG_MFD_OPENED ? reinterpret_cast<OAPI_MSGTYPE>(new AskingPage) : 0;
}

// One redraw after each step that asked, however often; waits longer than one
// advance of the world are made of several.
TEST(ScriptRun, RedrawsAndWaits) {
    sim::ResetHostState();
    sim::TheWorld() = sim::World{};
    char name[] = "Asking";
    MFDMODESPEC asking{name, 0x71, AskingPages};
    const int mode = oapiRegisterMFDMode(asking);
    {
        sim::Display display(400, 400);
        ASSERT_TRUE(display.SelectMode(0x71));
        std::vector<std::size_t> redrawn;
        int drawings = 0;
        sim::RunScript(
            display, sim::ParseScript({"Dr<", "draw", "Dr>", "Dr<", "wait:60", "wait:0", "wait:25000000.5"}, kLabels),
            [&](int) { ++drawings; }, [&](std::size_t step) { redrawn.push_back(step); });
        EXPECT_EQ(redrawn, (std::vector<std::size_t>{0, 2, 3}));
        EXPECT_EQ(drawings, 1);
        EXPECT_EQ(sim::TheWorld().time, 60 + 25000000.5);
    }
    oapiUnregisterMFDMode(mode);
    sim::ResetHostState();
    sim::TheWorld() = sim::World{};
}

}  // namespace
