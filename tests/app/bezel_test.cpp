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

TEST_F(Bezel, TooSmallTerminalsAreToldTheSizeNeeded) {
    for (const auto& [columns, rows] : {std::pair{60, 28}, {61, 27}, {80, 24}, {0, 0}}) {
        const auto fitted = LayOut(columns, rows);
        ASSERT_TRUE(std::holds_alternative<TerminalTooSmall>(fitted)) << columns << "x" << rows;
        EXPECT_EQ(std::get<TerminalTooSmall>(fitted).neededColumns, 61);
        EXPECT_EQ(std::get<TerminalTooSmall>(fitted).neededRows, 28);
    }
    EXPECT_EQ(app::TooSmallMessage({61, 28}, 80, 24),
              "Kalvo MFD needs a terminal of at least 61x28 characters; this one is 80x24. Please enlarge it, or "
              "press q to quit.");
}

// In a terminal of exactly the size needed: the frame from column 6, the page from
// (7, 1); the seven buttons of a side in rows 1 + (2i+1)*25/14 = 2, 6, 9, 13, 17,
// 20, 24; the right side from column 7 + 47 + 2 = 56; the last button in the
// frame's bottom edge (row 26), centred under the page: 7 + 47/2 - 5/2 = 28.
TEST_F(Bezel, ButtonsDownTheSidesAndOneBelow) {
    const BezelLayout layout = Fitted(61, 28);
    EXPECT_EQ(layout.left, 0);
    EXPECT_EQ(layout.top, 0);
    EXPECT_EQ(layout.pageColumn, 7);
    EXPECT_EQ(layout.pageRow, 1);
    EXPECT_EQ(layout.keyLineRow, 27);
    const BezelButton expected[] = {
        {0, 0, 2, "+ Dr>"},    {1, 0, 6, "- Dr<"},    {2, 0, 9, "] Eq>"},    {3, 0, 13, "[ Eq<"},
        {4, 0, 17, "R VSt"},   {5, 0, 20, "> Vr>"},   {6, 0, 24, "< Vr<"},   {7, 56, 2, "Inp L"},
        {8, 56, 6, "Slv S"},   {9, 56, 9, "All A"},   {10, 56, 13, "Cpy C"}, {11, 56, 17, "Pst V"},
        {12, 56, 20, "Get G"}, {13, 56, 24, "Hlp H"}, {14, 28, 26, "0-> Z"},
    };
    ASSERT_EQ(layout.buttons.size(), std::size(expected));
    for (std::size_t b = 0; b < std::size(expected); ++b) {
        const BezelButton& button = layout.buttons[b];
        EXPECT_EQ(button.button, expected[b].button);
        EXPECT_EQ(button.text, expected[b].text) << "button " << b;
        EXPECT_EQ(button.column, expected[b].column) << "button " << b;
        EXPECT_EQ(button.row, expected[b].row) << "button " << b;
    }
}

TEST_F(Bezel, CentredInALargerTerminal) {
    const BezelLayout layout = Fitted(120, 40);
    EXPECT_EQ(layout.left, (120 - 61) / 2);
    EXPECT_EQ(layout.top, (40 - 28) / 2);
    EXPECT_EQ(layout.pageColumn, layout.left + 7);
    EXPECT_EQ(layout.pageRow, layout.top + 1);
    // No button covers the page or its frame's sides, and none leaves the bezel.
    for (const BezelButton& button : layout.buttons) {
        const int end = button.column + static_cast<int>(button.text.size());
        const bool besidePage = end <= layout.pageColumn - 1 || button.column > layout.pageColumn + kPageColumns;
        const bool belowPage = button.row >= layout.pageRow + kPageRows;
        EXPECT_TRUE(besidePage || belowPage) << button.text;
        EXPECT_GE(button.column, layout.left) << button.text;
        EXPECT_LE(end, layout.left + layout.width) << button.text;
        EXPECT_LT(button.row, layout.keyLineRow) << button.text;
    }
}

TEST_F(Bezel, ClicksHitTheButtonUnderThem) {
    const BezelLayout layout = Fitted(61, 28);
    for (const BezelButton& button : layout.buttons) {
        const int length = static_cast<int>(button.text.size());
        for (int column = button.column; column < button.column + length; ++column)
            EXPECT_EQ(ButtonAt(layout, column, button.row), button.button) << button.text << " at " << column;
        EXPECT_EQ(ButtonAt(layout, button.column - 1, button.row), std::nullopt) << button.text;
        EXPECT_EQ(ButtonAt(layout, button.column + length, button.row), std::nullopt) << button.text;
        EXPECT_EQ(ButtonAt(layout, button.column, button.row - 1), std::nullopt) << button.text;
        EXPECT_EQ(ButtonAt(layout, button.column, button.row + 1), std::nullopt) << button.text;
    }
    // The page, the frame and the key line are no buttons.
    for (const auto& [column, row] : {std::pair{7, 1}, {30, 13}, {6, 2}, {27, 26}, {33, 26}, {0, 27}, {-1, -1}})
        EXPECT_EQ(ButtonAt(layout, column, row), std::nullopt) << column << ", " << row;
}

TEST_F(Bezel, AButtonWithoutSelectCharacterShowsItsLabel) {
    std::vector<MFDBUTTONMENU> plainMenu(menu.begin(), menu.end());
    plainMenu[0].selchar = '\0';
    const auto fitted = LayOutBezel(labels, plainMenu, kPageColumns, kPageRows, 61, 28);
    ASSERT_TRUE(std::holds_alternative<BezelLayout>(fitted));
    const BezelButton& first = std::get<BezelLayout>(fitted).buttons[0];
    EXPECT_EQ(first.text, "Dr>");
    EXPECT_EQ(first.column, 2);  // right-aligned against the frame like the others
}

// The display's size shows in the frame's title: it sets the page's cell in pixels,
// while the page keeps the host's grid of cells, as the terminal shows it.
TEST(BezelTitle, NamesTheScenarioAndTheDisplaySize) {
    EXPECT_EQ(app::BezelTitle("leo", "400x400"), " Kalvo MFD on leo, display 400x400 px ");
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
