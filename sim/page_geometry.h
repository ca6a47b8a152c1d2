// Where a drawn Kalvo page put its parts, measured from its pixels alone, so that
// pages drawn by different GDIs and fonts can be compared: the separator lines,
// the grey help band, the cells of the highlighted (white on blue) items and the
// cells of the yellow arrows.
#pragma once

#include <string>
#include <vector>

#include "sim/pixels.h"

namespace sim {

struct CellPosition {
    int column = 0, row = 0;
    bool operator==(const CellPosition&) const = default;
};

struct PixelRows {
    int first = 0, last = 0;
    bool operator==(const PixelRows&) const = default;
};

struct PageGeometry {
    std::vector<int> separatorRows;         // rows in line green from x = 1 to the width − 2
    std::vector<PixelRows> bandRows;        // runs of rows at least half band grey
    std::vector<CellPosition> highlighted;  // cells at least a third highlight blue
    std::vector<CellPosition> arrows;       // cells holding most of a yellow arrow
    bool operator==(const PageGeometry&) const = default;
};

// Measures a page drawn in cells of cellWidth × cellHeight pixels. The cell
// (column, row) is the box whose top-left corner is the page's text point for it,
// (cellWidth × column + cellWidth / 2, cellHeight × row).
PageGeometry MeasurePage(const Pixels& page, int cellWidth, int cellHeight);

// The geometry as lines of text, for people and for comparing two pages:
//   separators: 60 125
//   band: 61-124
//   highlighted: row 1: 4-6; row 2: 3 25
//   arrows: (35,1) (3,9)
std::string DescribeGeometry(const PageGeometry& geometry);

}  // namespace sim
