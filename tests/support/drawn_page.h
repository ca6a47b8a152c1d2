// A page drawn on a device context of its display's size, read back by cell.
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "sim/gdi/gdi.h"
#include "sim/gdi/render_text.h"
#include "sim/host/display.h"
#include "sim/host/host.h"
#include "ui/solver_mfd.h"

namespace kalvo::test {

class DrawnPage {
public:
    explicit DrawnPage(SolverMFD& page)
        : page_(page),
          cellWidth_(MfdHostAccess::CellWidth(page)),
          cellHeight_(MfdHostAccess::CellHeight(page)),
          dc_(static_cast<int>(MfdHostAccess::Width(page)), static_cast<int>(MfdHostAccess::Height(page))) {}

    // Draws the page afresh as the host does, forgetting the previous drawing.
    void Draw() { sim::DrawPage(page_, dc_); }

    // The text run drawn last with its top-left corner in cell (column, row).
    std::optional<sim::DrawnText> TextAt(int column, int row) const {
        std::optional<sim::DrawnText> found;
        for (const sim::DrawnText& text : dc_.DrawingsOf<sim::DrawnText>())
            if (text.at.x / cellWidth_ == column && text.at.y / cellHeight_ == row) found = text;
        return found;
    }

    // The page as a character grid, row by row.
    std::vector<std::string> Rows() const {
        std::istringstream grid(sim::RenderTextGrid(dc_, {cellWidth_, cellHeight_}));
        std::vector<std::string> rows;
        for (std::string row; std::getline(grid, row);) rows.push_back(row);
        return rows;
    }

    sim::DeviceContext& Context() { return dc_; }

private:
    SolverMFD& page_;
    int cellWidth_, cellHeight_;
    sim::DeviceContext dc_;
};

}  // namespace kalvo::test
