// Play scripts: reading the steps, and playing them on a display of the page (what
// the steps do to the page, and the error of typing with no box open, are checked
// through `kalvo play`, by its tests and the guide's examples).
#include "sim/host/script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/solver_mfd.h"
#include "sim/host/host.h"
#include "sim/world/world.h"
#include "tests/support/page_probe.h"
#include "ui/clipboard.h"

namespace {

using sim::ScriptStep;
using Kind = ScriptStep::Kind;

const std::vector<std::string> kLabels = {"Dr>", "Dr<", "Eq>", "Inp", "0->"};

TEST(Script, ReadsEveryKindOfStep) {
    const struct {
        std::string token;
        Kind kind;
        int button;
        std::string text;
        double seconds;
    } cases[] = {
        {"Dr>", Kind::Button, 0, "", 0},
        {"0->", Kind::Button, 4, "", 0},
        {"type:6771000", Kind::Type, -1, "6771000", 0},
        {"type:", Kind::Type, -1, "", 0},  // an empty confirmation is the input callback's to judge
        {"type:1 2:3", Kind::Type, -1, "1 2:3", 0},
        {"draw", Kind::Draw, -1, "", 0},
        {"wait:0", Kind::Wait, -1, "", 0},
        {"wait:90.5", Kind::Wait, -1, "", 90.5},
        {"wait:1e8", Kind::Wait, -1, "", 1e8},
    };
    for (const auto& c : cases) {
        const std::vector<ScriptStep> steps = sim::ParseScript({c.token}, kLabels);
        ASSERT_EQ(steps.size(), 1u) << c.token;
        const ScriptStep& step = steps[0];
        EXPECT_TRUE(step.kind == c.kind && step.token == c.token && step.button == c.button && step.text == c.text &&
                    step.seconds == c.seconds)
            << c.token;
    }
}

TEST(Script, NamesTheBadStepItsPlaceAndWhatIsValid) {
    const std::string valid = "(expected a button label: Dr> Dr< Eq> Inp 0->; or type:TEXT, wait:SECONDS, draw)";
    const std::string wait = "wait takes a number of seconds from 0 to 100000000, got ";
    const struct {
        std::vector<std::string> tokens;
        std::string message;
    } cases[] = {
        {{"Dr>", "Solve"}, "step 2: unknown step \"Solve\" " + valid},
        {{"dr>"}, "step 1: unknown step \"dr>\" " + valid},
        {{"Dr> "}, "step 1: unknown step \"Dr> \" " + valid},
        {{""}, "step 1: unknown step \"\" " + valid},
        {{"type"}, "step 1: unknown step \"type\" " + valid},
        {{"wait:"}, "step 1: " + wait + "\"\""},
        {{"wait:-1"}, "step 1: " + wait + "\"-1\""},
        {{"wait:10s"}, "step 1: " + wait + "\"10s\""},
        {{"wait:nan"}, "step 1: " + wait + "\"nan\""},
        {{"wait:inf"}, "step 1: " + wait + "\"inf\""},
        {{"wait:1.1e8"}, "step 1: " + wait + "\"1.1e8\""},
        {{"draw", "draw", "wait:x"}, "step 3: " + wait + "\"x\""},
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

// A mode whose pages are the module's own, built in.
OAPI_MSGTYPE KalvoPages(UINT message, UINT, WPARAM wparam, LPARAM lparam) {
    if (message != OAPI_MSG_MFD_OPENED) return 0;
    return reinterpret_cast<OAPI_MSGTYPE>(new kalvo::SolverMFD(static_cast<DWORD>(wparam & 0xFFFF),
                                                               static_cast<DWORD>(wparam >> 16 & 0xFFFF),
                                                               reinterpret_cast<VESSEL*>(lparam)));
}

class ScriptOnPage : public ::testing::Test {
protected:
    void SetUp() override {
        sim::ResetHostState();
        kalvo::test::ResetValueStore();
        sim::TheWorld() = sim::World{};
        mode_ = oapiRegisterMFDMode(spec_);
        ASSERT_TRUE(display.SelectMode(0x70));
    }
    void TearDown() override {
        display.LeaveMode();
        oapiUnregisterMFDMode(mode_);
        kalvo::test::ResetValueStore();
        sim::ResetHostState();
    }

    // The drawings the script asked for, in order: "draw N" for the draw steps and
    // "redraw after N" (N from 1) for the redraws the steps asked for.
    std::vector<std::string> Play(const std::vector<std::string>& tokens) {
        std::vector<std::string> drawings;
        sim::RunScript(
            display, sim::ParseScript(tokens, display.ButtonLabels()),
            [&](int drawing) { drawings.push_back("draw " + std::to_string(drawing)); },
            [&](std::size_t step) { drawings.push_back("redraw after " + std::to_string(step + 1)); });
        return drawings;
    }

    sim::Display display{400, 400};

private:
    char name_[11] = "Kalvo here";
    MFDMODESPEC spec_{name_, 0x70, KalvoPages};
    int mode_ = 0;
};

// The page asks for a redraw after a move, a switch of set or view, Zero and Paste;
// not after a move at a bound, Inp, typing, Slv, Get, All or Cpy (their results show
// at the next refresh), nor does time passing ask for one.
TEST_F(ScriptOnPage, StepsThatAskForARedrawAreFollowedByOne) {
    const struct {
        std::vector<std::string> tokens;
        std::vector<std::string> drawings;
    } cases[] = {
        {{"Dr>", "Eq>", "draw"}, {"redraw after 1", "redraw after 2", "draw 1"}},
        {{"Dr<", "Eq<", "Vr<", "draw", "draw"}, {"draw 1", "draw 2"}},
        {{"Vr>", "Vr<", "VSt", "Hlp", "0->"},
         {"redraw after 1", "redraw after 2", "redraw after 3", "redraw after 4", "redraw after 5"}},
        {{"Inp", "type:5", "Slv", "Get", "All", "Cpy", "wait:60"}, {}},
        {{"Cpy", "Pst", "Pst"}, {"redraw after 2"}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(display.SelectMode(0x70));  // a fresh page, on BOP
        kalvo::Clipboard.depth = 0;
        EXPECT_EQ(Play(c.tokens), c.drawings) << c.tokens.front() << "...";
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
    char* ButtonLabel(int button) override { return button < 2 ? labels_[button] : nullptr; }

private:
    char labels_[2][4] = {"one", "two"};
};

OAPI_MSGTYPE AskingPages(UINT message, UINT, WPARAM, LPARAM) {
    return message == OAPI_MSG_MFD_OPENED ? reinterpret_cast<OAPI_MSGTYPE>(new AskingPage) : 0;
}

TEST(ScriptRedraws, OneDrawingHoweverOftenAStepAsked) {
    sim::ResetHostState();
    char name[] = "Asking";
    MFDMODESPEC spec{name, 0x71, AskingPages};
    const int mode = oapiRegisterMFDMode(spec);
    {
        sim::Display display(400, 400);
        ASSERT_TRUE(display.SelectMode(0x71));
        std::vector<std::size_t> redrawn;
        int drawings = 0;
        sim::RunScript(
            display, sim::ParseScript({"two", "draw", "one", "two"}, display.ButtonLabels()), [&](int) { ++drawings; },
            [&](std::size_t step) { redrawn.push_back(step); });
        EXPECT_EQ(redrawn, (std::vector<std::size_t>{0, 2, 3}));
        EXPECT_EQ(drawings, 1);
        // Without a redraw to call, the requests are taken all the same.
        sim::RunScript(display, sim::ParseScript({"two"}, display.ButtonLabels()), [&](int) { ++drawings; });
        EXPECT_FALSE(display.TakeRedrawRequest());
        EXPECT_EQ(drawings, 1);
    }
    oapiUnregisterMFDMode(mode);
    sim::ResetHostState();
}

// Waits longer than one advance of the world are made of several.
TEST_F(ScriptOnPage, WaitsMoveTheWorldOn) {
    Play({"wait:60", "wait:0", "wait:25000000.5"});
    EXPECT_EQ(sim::TheWorld().time, 60 + 25000000.5);
}

}  // namespace
