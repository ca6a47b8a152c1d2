// Measuring a drawn page from its pixels, and writing pixels as BMP.
#include "sim/page_geometry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using sim::CellPosition;
using sim::PixelOf;
using sim::Pixels;

constexpr std::uint32_t kGreen = PixelOf(0x0000FF00);
constexpr std::uint32_t kGrey = PixelOf(0x00A0A0A0);
constexpr std::uint32_t kBlue = PixelOf(0x00C00000);
constexpr std::uint32_t kYellow = PixelOf(0x0000FFFF);
constexpr std::uint32_t kWhite = 0x00FFFFFF;

// A 400 x 400 display: cells of 10 x 16 pixels, cell (c, r) from x = 10c + 5, y = 16r.
constexpr int kCellWidth = 10;
constexpr int kCellHeight = 16;

class Page {
public:
    Page() : pixels_{400, 400, std::vector<std::uint32_t>(400 * 400, 0)} {}
    void Fill(int left, int top, int right, int bottom, std::uint32_t colour) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) pixels_.rgb[static_cast<std::size_t>(y) * 400 + x] = colour;
    }
    // Fills the boxes of `count` cells from (column, row).
    void FillCells(int column, int row, int count, std::uint32_t colour) {
        Fill(kCellWidth * column + kCellWidth / 2, kCellHeight * row, kCellWidth * (column + count) + kCellWidth / 2,
             kCellHeight * (row + 1), colour);
    }
    const sim::Pixels& Image() const { return pixels_; }

private:
    sim::Pixels pixels_;
};

TEST(PageGeometry, FindsSeparatorsBandHighlightsAndArrows) {
    Page page;
    page.Fill(0, 60, 399, 61, kGreen);    // as GDI draws from x = 0 to 399, leaving the end point
    page.Fill(1, 125, 400, 126, kGreen);  // and back from 399 to 0
    page.Fill(0, 61, 399, 125, kGrey);
    page.Fill(20, 70, 200, 80, 0);      // help text on the band
    page.FillCells(4, 1, 3, kBlue);     // "BOP" white on blue
    page.Fill(45, 16, 53, 26, kWhite);  // a glyph covering 80 of the cell's 160 pixels
    page.FillCells(3, 2, 1, kBlue);
    page.FillCells(4, 9, 2, kBlue);
    page.Fill(357, 20, 362, 28, kYellow);  // the right arrow in cell (35, 1)
    page.Fill(35, 150, 41, 156, kYellow);  // arrow marks in cells (3, 9) and (3, 11)
    page.Fill(35, 182, 41, 188, kYellow);
    page.Fill(45, 182, 47, 188, kYellow);  // a glyph's spill into the next cell

    const sim::PageGeometry geometry = sim::MeasurePage(page.Image(), kCellWidth, kCellHeight);
    EXPECT_EQ(geometry.separatorRows, (std::vector<int>{60, 125}));
    EXPECT_EQ(geometry.bandRows, (std::vector<sim::PixelRows>{{61, 124}}));
    EXPECT_EQ(geometry.highlighted, (std::vector<CellPosition>{{4, 1}, {5, 1}, {6, 1}, {3, 2}, {4, 9}, {5, 9}}));
    EXPECT_EQ(geometry.arrows, (std::vector<CellPosition>{{35, 1}, {3, 9}, {3, 11}}));
    EXPECT_EQ(sim::DescribeGeometry(geometry),
              "separators: 60 125\n"
              "band: 61-124\n"
              "highlighted: row 1: 4-6; row 2: 3; row 9: 4-5\n"
              "arrows: (35,1) (3,9) (3,11)\n");
}

TEST(PageGeometry, NearMissesDoNotCount) {
    Page page;
    page.Fill(0, 60, 399, 61, kGreen);
    page.Fill(200, 60, 201, 61, kGrey);  // a line with a gap is no separator
    page.Fill(0, 61, 199, 70, kGrey);    // a band under half the width is no band
    page.Fill(5, 32, 8, 48, kBlue);      // a spill of 3 of a cell's 10 columns is no highlight
    page.Fill(15, 64, 25, 69, kBlue);    // nor are 5 of its 16 rows
    const sim::PageGeometry geometry = sim::MeasurePage(page.Image(), kCellWidth, kCellHeight);
    EXPECT_TRUE(geometry.separatorRows.empty());
    EXPECT_TRUE(geometry.bandRows.empty());
    EXPECT_TRUE(geometry.highlighted.empty());
    EXPECT_TRUE(geometry.arrows.empty());
    EXPECT_EQ(sim::DescribeGeometry(geometry), "separators:\nband:\nhighlighted:\narrows:\n");
}

// A 2 x 2 image: 14 + 40 header bytes, then rows bottom-up of blue, green, red,
// each of 6 bytes padded to 8.
TEST(Bmp, WritesHeadersAndPaddedRowsBottomUp) {
    const Pixels pixels{2, 2, {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC}};
    const std::string path = (std::filesystem::temp_directory_path() / "kalvo-bmp-test.bmp").string();
    sim::WriteBmp(pixels, path);
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
    std::remove(path.c_str());
    ASSERT_EQ(bytes.size(), 54u + 16u);
    const auto word = [&](std::size_t at) {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24;
    };
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(word(2), 70);    // file size
    EXPECT_EQ(word(10), 54);   // where the pixels start
    EXPECT_EQ(word(18), 2);    // width
    EXPECT_EQ(word(22), 2);    // height, positive: bottom-up
    EXPECT_EQ(bytes[28], 24);  // bits per pixel
    EXPECT_EQ(word(34), 16);   // image bytes
    const std::vector<unsigned char> rows(bytes.begin() + 54, bytes.end());
    EXPECT_EQ(rows, (std::vector<unsigned char>{0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0, 0, 0x33, 0x22, 0x11, 0x66, 0x55,
                                                0x44, 0, 0}));
}

TEST(Bmp, NamesAFileItCannotWrite) {
    const Pixels pixels{1, 1, {0}};
    EXPECT_THROW(sim::WriteBmp(pixels, "/no-such-directory/page.bmp"), std::runtime_error);
}

}  // namespace
