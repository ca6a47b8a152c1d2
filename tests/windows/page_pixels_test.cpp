// The page as the real GDI draws it, read back pixel by pixel, and the GDI objects
// a drawing makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/status.h"
#include "sim/page_geometry.h"
#include "tests/windows/gdi_ledger.h"
#include "tests/windows/host_fixture.h"
#include "ui/colours.h"

namespace kalvo::test {
namespace {

using sim::CellPosition;
using sim::PixelOf;
using sim::Pixels;

constexpr std::uint32_t kLine = PixelOf(kLineGreen);
constexpr std::uint32_t kBand = PixelOf(kBandGrey);
constexpr std::uint32_t kBlue = PixelOf(kHighlightBlue);
constexpr std::uint32_t kArrow = PixelOf(kYellow);
constexpr std::uint32_t kWhitePixel = PixelOf(kWhite);
constexpr std::uint32_t kErrorBackground = PixelOf(kDarkRed);

// Pixels of `colour` in the box of cell (column, row): from the cell's text point,
// one cell wide and high.
int CountInCell(const Pixels& page, int cellWidth, int cellHeight, CellPosition cell, std::uint32_t colour) {
    int count = 0;
    const int left = cellWidth * cell.column + cellWidth / 2;
    for (int y = cellHeight * cell.row; y < cellHeight * (cell.row + 1); ++y)
        for (int x = left; x < left + cellWidth; ++x) count += page.At(x, y) == colour;
    return count;
}

// The cells (column, row) of `count` characters printed from `column`.
std::vector<CellPosition> Cells(int row, int column, int count = 1) {
    std::vector<CellPosition> cells;
    for (int c = column; c < column + count; ++c) cells.push_back({c, row});
    return cells;
}

std::vector<CellPosition> Joined(std::initializer_list<std::vector<CellPosition>> runs) {
    std::vector<CellPosition> cells;
    for (const auto& run : runs) cells.insert(cells.end(), run.begin(), run.end());
    return cells;
}

class PagePixels : public HostedKalvo {};

// 400 x 400: cells of 10 x 16 pixels. The separators lie at y = 4*16 - 4 = 60 and
// 8*16 - 3 = 125; each line leaves its end point undrawn, the first drawn from
// x = 0 towards 399, the second from 399 back towards 0. The band fills the rows
// between them.
TEST_F(PagePixels, SeparatorsAndBandAcrossTheDisplaysWidth) {
    const struct {
        DWORD width, height;
        int upper, lower;
    } sizes[] = {
        {400, 400, 60, 125},
        {300, 240, 36, 77},   // cells of 7 x 10
        {512, 384, 60, 125},  // cells of 12 x 16
    };
    for (const auto& size : sizes) {
        auto page = OpenPage(size.width, size.height);
        const Pixels pixels = page->Draw();
        const int right = static_cast<int>(size.width) - 1;
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        for (int x = 0; x < right; ++x) ASSERT_EQ(pixels.At(x, size.upper), kLine) << x;
        EXPECT_NE(pixels.At(right, size.upper), kLine);
        for (int x = 1; x <= right; ++x) ASSERT_EQ(pixels.At(x, size.lower), kLine) << x;
        EXPECT_NE(pixels.At(0, size.lower), kLine);
        for (int y = size.upper + 1; y < size.lower; ++y) ASSERT_EQ(pixels.At(0, y), kBand) << y;
        EXPECT_NE(pixels.At(0, size.upper - 1), kBand);
        EXPECT_NE(pixels.At(0, size.lower + 1), kBand);
        const sim::PageGeometry geometry = sim::MeasurePage(pixels, page->CellWidth(), page->CellHeight());
        EXPECT_EQ(geometry.separatorRows, (std::vector<int>{size.upper, size.lower}));
        EXPECT_EQ(geometry.bandRows, (std::vector<sim::PixelRows>{{size.upper + 1, size.lower - 1}}));
    }
}

// A fresh page: BOP (cells 4-6 of row 1), equation 0 (cell 3 of row 2), variable
// set 1 (cell 25 of row 2) and the row of a: its symbol at 4, its 13-character
// value from 11 and its one-blank unit at 26, all white on blue.
TEST_F(PagePixels, SelectionIsWhiteOnBlue) {
    auto page = OpenPage();
    const Pixels pixels = page->Draw();
    const sim::PageGeometry geometry = sim::MeasurePage(pixels, 10, 16);
    EXPECT_EQ(geometry.highlighted,
              Joined({Cells(1, 4, 3), Cells(2, 3), Cells(2, 25), Cells(9, 4), Cells(9, 11, 13), Cells(9, 26)}));
    for (const CellPosition cell : {CellPosition{4, 1}, CellPosition{3, 2}, CellPosition{25, 2}, CellPosition{4, 9}})
        EXPECT_GT(CountInCell(pixels, 10, 16, cell, kWhitePixel), 0) << cell.column << "," << cell.row;
}

// The right arrow at (35, 1) while BOP shows first; in GLD the row scrolls by one,
// GLD highlighted at column 32, and the left arrow shows at (3, 1) instead. GLD's
// readable variables carry an arrow mark at column 3 of their rows.
TEST_F(PagePixels, YellowArrowsInTheArrowCells) {
    auto page = OpenPage();
    Pixels pixels = page->Draw();
    EXPECT_GT(CountInCell(pixels, 10, 16, {35, 1}, kArrow), 5);
    EXPECT_EQ(CountInCell(pixels, 10, 16, {3, 1}, kArrow), 0);
    EXPECT_EQ(sim::MeasurePage(pixels, 10, 16).arrows, (std::vector<CellPosition>{{35, 1}}));

    page->Play({"Dr>", "Dr>", "Dr>", "Dr>", "Dr>", "Dr>", "Dr>", "Dr>"});
    pixels = page->Draw();
    EXPECT_GT(CountInCell(pixels, 10, 16, {3, 1}, kArrow), 5);
    EXPECT_EQ(CountInCell(pixels, 10, 16, {35, 1}, kArrow), 0);
    std::vector<CellPosition> arrows{{3, 1}};
    for (int v = 0; v < VariableCount(GLD); ++v)
        if (kCatalogue[GLD].variables[v].fetchable) arrows.push_back({3, 9 + v});
    ASSERT_GT(arrows.size(), 1u);
    const sim::PageGeometry geometry = sim::MeasurePage(pixels, 10, 16);
    EXPECT_EQ(geometry.arrows, arrows);
    ASSERT_GE(geometry.highlighted.size(), 3u);
    const std::vector<CellPosition> firstHighlighted(geometry.highlighted.begin(), geometry.highlighted.begin() + 3);
    EXPECT_EQ(firstHighlighted, Cells(1, 32, 3));
}

// A failed guard shows "ERROR!" on dark red at (30, 0) in one drawing only. BOP
// equation 1, a = b*c, solved for b with c = 0.
TEST_F(PagePixels, StatusMessageIsDrawnOnce) {
    auto page = OpenPage();
    Cell(0, BOP, "a") = 1;
    page->Play({"Eq>", "Vr>", "Slv"});
    EXPECT_EQ(pageStatus(page->display.Page()), kError);
    Pixels pixels = page->Draw();
    EXPECT_GT(CountInCell(pixels, 10, 16, {30, 0}, kErrorBackground), 0);
    EXPECT_EQ(pageStatus(page->display.Page()), kSolved);
    pixels = page->Draw();
    EXPECT_EQ(CountInCell(pixels, 10, 16, {30, 0}, kErrorBackground), 0);
}

// Every drawing makes its two pens, brush and two fonts and deletes them: the
// module's own GDI calls are counted, and every handle is gone afterwards. The
// process's count, where the system keeps one, ends where it started.
TEST_F(PagePixels, DrawingLeavesNoGdiObjects) {
    auto page = OpenPage();
    page->Draw();  // the host's default font and pen are made once, and are the host's
    const DWORD processObjects = ProcessGdiObjects();
    GdiLedger ledger(Handle());
    ASSERT_EQ(ledger.Redirected(), 4);
    const std::vector<std::vector<std::string>> scenes = {
        {}, {"Hlp"}, {"Hlp", "Dr>", "Eq>", "All"}, {"Dr>", "Dr>", "Dr>", "Dr>", "Dr>", "Dr>", "Dr>"}, {"Slv"}};
    long drawings = 0;
    for (const auto& scene : scenes) {
        page->Play(scene);
        page->Draw();
        ++drawings;
        EXPECT_EQ(ledger.Created(), 5 * drawings);
        EXPECT_EQ(ledger.Deleted(), 5 * drawings);
    }
    EXPECT_FALSE(ledger.Handles().empty());
    // GDI answers a null pen with its stock NULL_PEN, which deleting leaves alone.
    for (const HGDIOBJ handle : ledger.Handles()) {
        if (handle != GetStockObject(NULL_PEN)) {
            EXPECT_EQ(GetObjectType(handle), 0u) << handle;
        }
    }
    EXPECT_EQ(ProcessGdiObjects(), processObjects);
}

}  // namespace
}  // namespace kalvo::test
