// The bezel around the live page: where each button goes, when the terminal is too
// small, and which button a click hits.
#include "app/bezel.h"

#include <gtest/gtest.h>

#include <variant>

#include "tests/support/front_end_page.h"

namespace kalvo::test {
namespace {

using app::BezelButton;
using app::BezelLayout;
using app::ButtonAt;
using app::LayOutBezel;
using app::TerminalTooSmall;

// The default page in the live view: 47 columns (its widest help line) by 25 rows
// (400 px in rows of 400/24 = 16 px). With buttons shown as "+ Dr>", 5 cells, the
// bezel needs 5 + 1 + 1 + 47 + 1 + 1 + 5 = 61 columns and 25 + 3 = 28 rows.
constexpr int kPageColumns = 47;
constexpr int kPageRows = 25;

class Bezel : public FrontEndPage {
protected:
    std::variant<BezelLayout, TerminalTooSmall> LayOut(int columns, int rows) {
        return LayOutBezel(labels, menu, kPageColumns, kPageRows, columns, rows);
    }
    BezelLayout Fitted(int columns, int rows) {
        auto fitted = LayOut(columns, rows);
        EXPECT_TRUE(std::holds_alternative<BezelLayout>(fitted)) << columns << "x" << rows;
        return std::holds_alternative<BezelLayout>(fitted) ? std::get<BezelLayout>(fitted) : BezelLayout{};
    }
};

// Each button as "button column row text".
std::vector<std::string> Placed(const BezelLayout& layout) {
    std::vector<std::string> placed;
    for (const BezelButton& b : layout.buttons)
        placed.push_back(std::to_string(b.button) + " " + std::to_string(b.column - layout.left) + " " +
                         std::to_string(b.row - layout.top) + " " + b.text);
    return placed;
}

TEST_F(Bezel, TooSmallTerminalsAreToldTheSizeNeeded) {
    for (const auto& [columns, rows] : {std::pair{60, 28}, {61, 27}, {80, 24}, {0, 0}}) {
        const auto fitted = LayOut(columns, rows);
        ASSERT_TRUE(std::holds_alternative<TerminalTooSmall>(fitted)) << columns << "x" << rows;
        const TerminalTooSmall needed = std::get<TerminalTooSmall>(fitted);
        EXPECT_EQ((std::pair{needed.neededColumns, needed.neededRows}), (std::pair{61, 28}));
    }
    EXPECT_EQ(app::TooSmallMessage({61, 28}, 80, 24),
              "Kalvo MFD needs a terminal of at least 61x28 characters; this one is 80x24. Please enlarge it, or "
              "press q to quit.");
}

// The frame from column 6, the page from (7, 1); the seven buttons of a side in rows
// 1 + (2i+1)*25/14; the right side from column 7 + 47 + 2 = 56; the last button in
// the frame's bottom edge, centred under the page: 7 + 47/2 - 5/2 = 28. In a larger
// terminal the whole is centred.
TEST_F(Bezel, ButtonsDownTheSidesAndOneBelow) {
    const std::vector<std::string> expected = {
        "0 0 2 + Dr>",    "1 0 6 - Dr<",    "2 0 9 ] Eq>",    "3 0 13 [ Eq<",   "4 0 17 R VSt",
        "5 0 20 > Vr>",   "6 0 24 < Vr<",   "7 56 2 Inp L",   "8 56 6 Slv S",   "9 56 9 All A",
        "10 56 13 Cpy C", "11 56 17 Pst V", "12 56 20 Get G", "13 56 24 Hlp H", "14 28 26 0-> Z",
    };
    const BezelLayout exact = Fitted(61, 28), centred = Fitted(120, 40);
    EXPECT_EQ(Placed(exact), expected);
    EXPECT_EQ((std::vector{exact.left, exact.top, exact.pageColumn, exact.pageRow, exact.keyLineRow}),
              (std::vector{0, 0, 7, 1, 27}));
    EXPECT_EQ(Placed(centred), expected);
    EXPECT_EQ((std::vector{centred.left, centred.top, centred.pageColumn, centred.pageRow}),
              (std::vector{29, 6, 36, 7}));
}

TEST_F(Bezel, ClicksHitTheButtonUnderThem) {
    const BezelLayout layout = Fitted(61, 28);
    for (const BezelButton& b : layout.buttons) {
        const int length = static_cast<int>(b.text.size());
        for (int column = b.column; column < b.column + length; ++column)
            EXPECT_EQ(ButtonAt(layout, column, b.row), b.button) << b.text << " at " << column;
        for (const auto& [column, row] :
             {std::pair{b.column - 1, b.row}, {b.column + length, b.row}, {b.column, b.row - 1}, {b.column, b.row + 1}})
            EXPECT_EQ(ButtonAt(layout, column, row), std::nullopt) << b.text << " beside, at " << column << ", " << row;
    }
    // The page, the frame and the key line are no buttons.
    for (const auto& [column, row] : {std::pair{7, 1}, {30, 13}, {6, 2}, {27, 26}, {33, 26}, {0, 27}, {-1, -1}})
        EXPECT_EQ(ButtonAt(layout, column, row), std::nullopt) << column << ", " << row;
}

TEST(BezelTitle, NamesTheScenarioAndTheDisplaySize) {
    EXPECT_EQ(app::BezelTitle("docs/scenarios/launch-pad.json", "640x480"),
              " Kalvo MFD on docs/scenarios/launch-pad.json, display 640x480 px ");
}

TEST(WrapWords, BreaksAtBlanksAndCutsLongWords) {
    const struct {
        const char* text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {"needs a terminal of at least 61x28", 12, {"needs a", "terminal of", "at least", "61x28"}},
        {"exactly twelve", 14, {"exactly twelve"}},
        {"exactly twelve", 13, {"exactly", "twelve"}},
        {"  spaced   out  ", 20, {"spaced out"}},
        {"abcdefghij xy", 4, {"abcd", "efgh", "ij", "xy"}},
        {"ab abcdefgh", 4, {"ab", "abcd", "efgh"}},
        {"", 10, {}},
        {"word", 0, {"w", "o", "r", "d"}},
    };
    for (const auto& c : cases) EXPECT_EQ(app::WrapWords(c.text, c.width), c.lines) << c.text << " in " << c.width;
}

}  // namespace
}  // namespace kalvo::test
