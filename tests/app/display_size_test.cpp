// The display sizes the front end accepts, and the cells the host gives them.
#include <gtest/gtest.h>

#include "app/play_command.h"
#include "tests/support/front_end_page.h"

namespace kalvo::test {
namespace {

// Bounds and shapes beyond the two kalvo play refuses in its own tests.
TEST(DisplaySize, WidthByHeightInPixels) {
    for (const auto& [text, width, height] : {std::tuple{"40x24", 40u, 24u}, {"4096x4096", 4096u, 4096u}}) {
        const app::DisplaySize size = app::ParseDisplaySize(text);
        EXPECT_EQ((std::pair{size.width, size.height}), (std::pair<DWORD, DWORD>{width, height})) << text;
    }
    const std::string range = " out of range (width 40 to 4096 and height 24 to 4096 pixels)";
    const std::string format = "\" is not WIDTHxHEIGHT in pixels (for example 400x400)";
    // clang-format off
    const std::pair<std::string, bool> bad[] = {  // true: WIDTHxHEIGHT, out of range
        {"39x400", true}, {"400x23", true}, {"4097x400", true}, {"99999999999x400", true}, {"400X400", false},
        {"400x", false}, {"+400x400", false}, {"400x400 ", false}, {"400x400x400", false}, {"", false}};
    // clang-format on
    for (const auto& [text, shaped] : bad) {
        try {
            app::ParseDisplaySize(text);
            ADD_FAILURE() << text << " was taken";
        } catch (const app::UsageError& error) {
            EXPECT_EQ(error.what(), "display size " + (shaped ? text + range : "\"" + text + format));
        }
    }
}

// The host's cell is a 40th of the width and a 24th of the height, rounded down;
// the grid covers the display with whole cells, the last one possibly cut.
TEST(DisplaySize, CellsOfTheDisplay) {
    const struct {
        app::DisplaySize size;
        std::vector<int> cellAndGrid;
    } cases[] = {
        {{400, 400}, {10, 16, 40, 25}},  // 400/24 = 16 rem 16: a 25th row
        {{419, 400}, {10, 16, 42, 25}},  // 419/10 = 41.9: 42 columns
        {{40, 24}, {1, 1, 40, 24}},
    };
    for (const auto& c : cases) {
        app::PageSession session(KALVO_MODULE_PATH, c.size);
        const sim::TextGridOptions grid = session.GridOptions(false);
        EXPECT_EQ((std::vector{grid.cellWidth, grid.cellHeight, session.DisplayColumns(), session.DisplayRows()}),
                  c.cellAndGrid);
    }
}

}  // namespace
}  // namespace kalvo::test
