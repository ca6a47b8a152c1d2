// The steps of a `kalvo play` script read against the page's own labels, and the
// display sizes the front end accepts.
#include <gtest/gtest.h>

#include <variant>

#include "app/play_command.h"
#include "tests/support/front_end_page.h"

namespace kalvo::test {
namespace {

using app::DrawPage;
using app::ParseScript;
using app::PressButton;
using app::ScriptStep;
using app::TypeText;
using app::UsageError;
using app::WaitSeconds;

std::string Describe(const ScriptStep& step) {
    if (const auto* press = std::get_if<PressButton>(&step)) return "button " + std::to_string(press->button);
    if (const auto* typed = std::get_if<TypeText>(&step)) return "type [" + typed->text + "]";
    if (const auto* wait = std::get_if<WaitSeconds>(&step)) return "wait " + std::to_string(wait->seconds);
    return "draw";
}

std::string ParseError(const std::vector<std::string>& tokens, std::span<const std::string> labels) {
    try {
        ParseScript(tokens, labels);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "no error";
}

using PlayScript = FrontEndPage;

// Buttons by their labels in button order: Dr> 0, Eq< 3, Slv 8, Get 12, 0-> 14.
TEST_F(PlayScript, StepsOfAScript) {
    const std::vector<std::string> tokens = {"Dr>",          "Eq<",      "Slv",      "Get",         "0->",
                                             "type:6771000", "type:",    "type:a b", "type:type:1", "wait:60",
                                             "wait:0",       "wait:1e8", "wait:2.5", "draw"};
    const std::vector<std::string> expected = {
        "button 0",      "button 3",   "button 8",      "button 12",      "button 14",     "type [6771000]",
        "type []",       "type [a b]", "type [type:1]", "wait 60.000000", "wait 0.000000", "wait 100000000.000000",
        "wait 2.500000", "draw"};
    const std::vector<ScriptStep> steps = ParseScript(tokens, labels);
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(Describe(steps[i]), expected[i]) << tokens[i];
    EXPECT_TRUE(ParseScript({}, labels).empty());
}

TEST_F(PlayScript, BadStepsAreNamedWithWhatIsValid) {
    const std::string valid =
        "(expected a button label: Dr> Dr< Eq> Eq< VSt Vr> Vr< Inp Slv All Cpy Pst Get Hlp 0->; or type:TEXT, "
        "wait:SECONDS, draw)";
    const struct {
        std::vector<std::string> tokens;
        std::string error;
    } cases[] = {
        {{"Dr>", "Solve"}, "step 2: unknown step \"Solve\" " + valid},
        {{"slv"}, "step 1: unknown step \"slv\" " + valid},
        {{"Slv "}, "step 1: unknown step \"Slv \" " + valid},
        {{"Draw"}, "step 1: unknown step \"Draw\" " + valid},
        {{""}, "step 1: unknown step \"\" " + valid},
        {{"type"}, "step 1: unknown step \"type\" " + valid},
        {{"wait:-1"}, "step 1: wait takes a number of seconds from 0 to 100000000, got \"-1\""},
        {{"wait:"}, "step 1: wait takes a number of seconds from 0 to 100000000, got \"\""},
        {{"wait:10s"}, "step 1: wait takes a number of seconds from 0 to 100000000, got \"10s\""},
        {{"wait:1e9"}, "step 1: wait takes a number of seconds from 0 to 100000000, got \"1e9\""},
        {{"wait:inf"}, "step 1: wait takes a number of seconds from 0 to 100000000, got \"inf\""},
        {{"wait:nan"}, "step 1: wait takes a number of seconds from 0 to 100000000, got \"nan\""},
        {{"draw", "draw", "wait:x"}, "step 3: wait takes a number of seconds from 0 to 100000000, got \"x\""},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseError(c.tokens, labels), c.error) << c.tokens.back();
}

TEST(DisplaySize, WidthByHeightInPixels) {
    const struct {
        const char* text;
        DWORD width, height;
    } good[] = {{"400x400", 400, 400},
                {"40x24", 40, 24},
                {"4096x4096", 4096, 4096},
                {"640x480", 640, 480},
                {"0400x0400", 400, 400}};
    for (const auto& c : good) {
        const app::DisplaySize size = app::ParseDisplaySize(c.text);
        EXPECT_EQ(size.width, c.width) << c.text;
        EXPECT_EQ(size.height, c.height) << c.text;
    }
    const std::string range = " out of range (width 40 to 4096 and height 24 to 4096 pixels)";
    const std::string format = "\" is not WIDTHxHEIGHT in pixels (for example 400x400)";
    const struct {
        std::string text;
        std::string error;
    } bad[] = {
        {"39x400", "display size 39x400" + range},
        {"400x23", "display size 400x23" + range},
        {"4097x400", "display size 4097x400" + range},
        {"99999999999x400", "display size 99999999999x400" + range},
        {"400", "display size \"400" + format},
        {"400X400", "display size \"400X400" + format},
        {"400x", "display size \"400x" + format},
        {"+400x400", "display size \"+400x400" + format},
        {"400x400 ", "display size \"400x400 " + format},
        {"400x400x400", "display size \"400x400x400" + format},
        {"", "display size \"" + format},
    };
    for (const auto& c : bad) {
        try {
            app::ParseDisplaySize(c.text);
            ADD_FAILURE() << c.text << " was taken";
        } catch (const UsageError& error) {
            EXPECT_EQ(error.what(), c.error);
        }
    }
}

// The host's cell is a 40th of the width and a 24th of the height, rounded down;
// the grid covers the display with whole cells, the last one possibly cut.
TEST(DisplaySize, CellsOfTheDisplay) {
    const struct {
        app::DisplaySize size;
        int cellWidth, cellHeight, columns, rows;
    } cases[] = {
        {{400, 400}, 10, 16, 40, 25},  // 400/24 = 16 rem 16: a 25th row
        {{640, 480}, 16, 20, 40, 24},
        {{419, 400}, 10, 16, 42, 25},  // 419/10 = 41.9: 42 columns
        {{40, 24}, 1, 1, 40, 24},
    };
    for (const auto& c : cases) {
        app::PageSession session(KALVO_MODULE_PATH, c.size);
        const sim::TextGridOptions grid = session.GridOptions(false);
        EXPECT_EQ(grid.cellWidth, c.cellWidth);
        EXPECT_EQ(grid.cellHeight, c.cellHeight);
        EXPECT_EQ(session.DisplayColumns(), c.columns);
        EXPECT_EQ(session.DisplayRows(), c.rows);
    }
}

}  // namespace
}  // namespace kalvo::test
