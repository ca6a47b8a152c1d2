// The grid operations: cells to pixel points, the current position, colours and
// the bounded print buffer.
#include "ui/text_grid.h"

#include <gtest/gtest.h>

#include <string>

#include "sim/gdi/gdi.h"

namespace kalvo {
namespace {

const sim::DrawnText& LastText(const sim::DeviceContext& dc) { return std::get<sim::DrawnText>(dc.Drawing().back()); }

class TextGrid : public ::testing::Test {
protected:
    // Cells of 7 x 10 pixels, text in a font of the same size.
    void SetUp() override {
        SelectObject(dc_.Handle(), sim::HostDefaultFont(7, 10));
        InitTextGrid(dc_.Handle(), 7, 10);
    }
    sim::DeviceContext dc_{280, 240};
};

TEST_F(TextGrid, CellsMapToPixelPoints) {
    EXPECT_EQ(dc_.CurrentPosition(), (sim::Point{3, 0}));  // cell (0, 0): half a cell in
    const struct {
        int column, row;
        sim::Point at;  // 7 * column + 7 / 2, 10 * row
    } cases[] = {{0, 0, {3, 0}}, {4, 1, {31, 10}}, {35, 1, {248, 10}}, {11, 21, {80, 210}}, {39, 23, {276, 230}}};
    for (const auto& c : cases) {
        PrintAtCell(dc_.Handle(), c.column, c.row, "%d", 42);
        EXPECT_EQ(LastText(dc_).at, c.at) << c.column << ", " << c.row;
        EXPECT_EQ(LastText(dc_).text, "42");
        // The current position is past the two characters.
        EXPECT_EQ(dc_.CurrentPosition(), (sim::Point{c.at.x + 14, c.at.y}));
    }
}

TEST_F(TextGrid, NegativeColumnOrRowKeepsThatCoordinate) {
    MoveToEx(dc_.Handle(), 50, 70, nullptr);
    MoveToCell(dc_.Handle(), -1, 2);
    EXPECT_EQ(dc_.CurrentPosition(), (sim::Point{50, 20}));
    MoveToCell(dc_.Handle(), 3, -1);
    EXPECT_EQ(dc_.CurrentPosition(), (sim::Point{24, 20}));
    // Printing at (-1, -1) continues where the last print ended.
    PrintAtCell(dc_.Handle(), 2, 1, "ab");
    PrintAtCell(dc_.Handle(), -1, -1, "cd");
    EXPECT_EQ(LastText(dc_).at, (sim::Point{17 + 14, 10}));
}

TEST_F(TextGrid, FormatsByPrintfRulesIntoABoundedBuffer) {
    PrintAtCell(dc_.Handle(), 0, 0, "%2d|%s|%c", 7, "x", 0xE8);
    EXPECT_EQ(LastText(dc_).text, " 7|x|\xE8");
    // 300 characters asked for; the buffer holds 251 and the terminating zero.
    const std::string longText(300, 'x');
    PrintAtCell(dc_.Handle(), 0, 1, "%s", longText.c_str());
    EXPECT_EQ(LastText(dc_).text, std::string(251, 'x'));
}

}  // namespace
}  // namespace kalvo
