#include "sim/page_geometry.h"

#include <algorithm>
#include <sstream>

#include "ui/colours.h"

namespace sim {

namespace {

constexpr std::uint32_t kLine = PixelOf(kalvo::kLineGreen);
constexpr std::uint32_t kBand = PixelOf(kalvo::kBandGrey);
constexpr std::uint32_t kHighlight = PixelOf(kalvo::kHighlightBlue);
constexpr std::uint32_t kArrow = PixelOf(kalvo::kYellow);

// A cell is highlighted when at least this share of it is highlight blue: the
// glyph covers the rest, and at small sizes reaches every edge of the cell.
constexpr int kHighlightShareDivisor = 3;

// A cell holds an arrow when it has at least this share of the yellow pixels of
// the fullest cell: a glyph wider than its cell spills a little into the next.
constexpr int kArrowShareDivisor = 3;

int CountInRow(const Pixels& page, int y, int from, int to, std::uint32_t colour) {
    int count = 0;
    for (int x = std::max(from, 0); x < std::min(to, page.width); ++x) count += page.At(x, y) == colour;
    return count;
}

std::vector<int> SeparatorRows(const Pixels& page) {
    std::vector<int> rows;
    const int span = page.width - 2;
    for (int y = 0; y < page.height; ++y)
        if (span > 0 && CountInRow(page, y, 1, page.width - 1, kLine) == span) rows.push_back(y);
    return rows;
}

std::vector<PixelRows> BandRows(const Pixels& page) {
    std::vector<PixelRows> runs;
    for (int y = 0; y < page.height; ++y) {
        if (2 * CountInRow(page, y, 0, page.width, kBand) < page.width) continue;
        if (!runs.empty() && runs.back().last == y - 1)
            runs.back().last = y;
        else
            runs.push_back({y, y});
    }
    return runs;
}

}  // namespace

PageGeometry MeasurePage(const Pixels& page, int cellWidth, int cellHeight) {
    PageGeometry geometry{SeparatorRows(page), BandRows(page), {}, {}};
    if (cellWidth < 1 || cellHeight < 1) return geometry;
    const int columns = (page.width - cellWidth / 2) / cellWidth;
    const int rows = page.height / cellHeight;
    std::vector<int> yellow;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int left = cellWidth * column + cellWidth / 2;
            const int top = cellHeight * row;
            int blue = 0;
            int arrow = 0;
            for (int y = top; y < top + cellHeight; ++y) {
                blue += CountInRow(page, y, left, left + cellWidth, kHighlight);
                arrow += CountInRow(page, y, left, left + cellWidth, kArrow);
            }
            if (kHighlightShareDivisor * blue >= cellWidth * cellHeight) geometry.highlighted.push_back({column, row});
            yellow.push_back(arrow);
        }
    }
    const int fullest = yellow.empty() ? 0 : *std::max_element(yellow.begin(), yellow.end());
    for (std::size_t cell = 0; cell < yellow.size(); ++cell)
        if (fullest > 0 && kArrowShareDivisor * yellow[cell] >= fullest)
            geometry.arrows.push_back({static_cast<int>(cell) % columns, static_cast<int>(cell) / columns});
    return geometry;
}

std::string DescribeGeometry(const PageGeometry& geometry) {
    std::ostringstream out;
    out << "separators:";
    for (const int y : geometry.separatorRows) out << ' ' << y;
    out << "\nband:";
    for (const PixelRows& run : geometry.bandRows) out << ' ' << run.first << '-' << run.last;
    out << "\nhighlighted:";
    // Runs of adjacent cells, row by row: "row 9: 4-5 11-23 26".
    const auto& cells = geometry.highlighted;
    for (std::size_t i = 0; i < cells.size();) {
        const int row = cells[i].row;
        out << (i == 0 ? " row " : "; row ") << row << ':';
        while (i < cells.size() && cells[i].row == row) {
            std::size_t end = i;
            while (end + 1 < cells.size() && cells[end + 1].row == row &&
                   cells[end + 1].column == cells[end].column + 1)
                ++end;
            out << ' ' << cells[i].column;
            if (end > i) out << '-' << cells[end].column;
            i = end + 1;
        }
    }
    out << "\narrows:";
    for (const CellPosition& cell : geometry.arrows) out << " (" << cell.column << ',' << cell.row << ')';
    out << '\n';
    return out.str();
}

}  // namespace sim
