// The display sizes the front end accepts, and the cells the host gives them.
#include <gtest/gtest.h>

#include "app/play_command.h"
#include "tests/support/front_end_page.h"

namespace kalvo::test {
namespace {

using app::UsageError;

TEST(DisplaySize, WidthByHeightInPixels) {
    const struct {
        const char* text;
        DWORD width, height;
    } good[] = {{"400x400", 400, 400}, {"40x24", 40, 24}, {"4096x4096", 4096, 4096}, {"0400x0400", 400, 400}};
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
