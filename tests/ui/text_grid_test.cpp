// The grid operations beyond what the drawn page shows: negative cells and the
// bounded print buffer.
#include "ui/text_grid.h"

#include <gtest/gtest.h>

#include <string>

#include "sim/gdi/gdi.h"

namespace kalvo {
namespace {

class TextGrid : public ::testing::Test {
protected:
    // Cells of 7 x 10 pixels, text in a font of the same size.
    void SetUp() override {
        SelectObject(dc_.Handle(), sim::HostDefaultFont(7, 10));
        InitTextGrid(dc_.Handle(), 7, 10);
    }
    const sim::DrawnText& LastText() const { return std::get<sim::DrawnText>(dc_.Drawing().back()); }
    sim::DeviceContext dc_{280, 240};
};

// A negative column or row keeps that coordinate; at (-1, -1) a print continues.
TEST_F(TextGrid, NegativeColumnOrRowKeepsThatCoordinate) {
    MoveToEx(dc_.Handle(), 50, 70, nullptr);
    MoveToCell(dc_.Handle(), -1, 2);
    EXPECT_EQ(dc_.CurrentPosition(), (sim::Point{50, 20}));
    MoveToCell(dc_.Handle(), 3, -1);
    EXPECT_EQ(dc_.CurrentPosition(), (sim::Point{24, 20}));
    PrintAtCell(dc_.Handle(), -1, -1, "cd");
    EXPECT_EQ(LastText().at, (sim::Point{24, 20}));
}

TEST_F(TextGrid, FormatsByPrintfRulesIntoABoundedBuffer) {
    PrintAtCell(dc_.Handle(), 0, 0, "%2d|%s|%c", 7, "x", 0xE8);
    EXPECT_EQ(LastText().text, " 7|x|\xE8");
    // 300 characters asked for; the buffer holds 251 and the terminating zero.
    PrintAtCell(dc_.Handle(), 0, 1, "%s", std::string(300, 'x').c_str());
    EXPECT_EQ(LastText().text, std::string(251, 'x'));
}

}  // namespace
}  // namespace kalvo
