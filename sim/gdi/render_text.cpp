#include "sim/gdi/render_text.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sim/gdi/fonts.h"

namespace sim {

namespace {

class Grid {
public:
    Grid(int columns, int rows) : columns_(columns), cells_(rows, std::vector<TextCell>(columns)) {}

    // The cell at (column, row), growing the grid to reach it; null left of or above it.
    TextCell* At(int column, int row) {
        if (column < 0 || row < 0) return nullptr;
        if (row >= static_cast<int>(cells_.size())) cells_.resize(row + 1, std::vector<TextCell>(columns_));
        std::vector<TextCell>& line = cells_[row];
        if (column >= static_cast<int>(line.size())) line.resize(column + 1);
        return &line[column];
    }

    const TextCells& Rows() const { return cells_; }

private:
    int columns_;
    TextCells cells_;
};

// Even-odd rule over the edges of every figure.
bool Covers(const DrawnFill& fill, double x, double y) {
    bool inside = false;
    for (const auto& figure : fill.figures)
        for (std::size_t i = 0, j = figure.size() - 1; i < figure.size(); j = i++) {
            const Point a = figure[i];
            const Point b = figure[j];
            if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y))
                inside = !inside;
        }
    return inside;
}

std::string Escape(const std::optional<COLORREF>& ink, const std::optional<COLORREF>& paper) {
    const auto rgb = [](COLORREF c) {
        return std::to_string(c & 0xFF) + ";" + std::to_string((c >> 8) & 0xFF) + ";" +
               std::to_string((c >> 16) & 0xFF);
    };
    std::string escape = "\x1b[0";
    if (ink) escape += ";38;2;" + rgb(*ink);
    if (paper) escape += ";48;2;" + rgb(*paper);
    return escape + "m";
}

class TextGridPainter {
public:
    TextGridPainter(const DeviceContext& dc, const TextGridOptions& options)
        : dc_(dc),
          options_(options),
          grid_((dc.Width() + options.cellWidth - 1) / options.cellWidth,
                (dc.Height() + options.cellHeight - 1) / options.cellHeight) {}

    void operator()(const DrawnLine& line) {
        const int dx = line.to.x - line.from.x;
        const int dy = line.to.y - line.from.y;
        const int steps = std::max(std::abs(dx), std::abs(dy));
        const char* glyph = dy == 0 ? "─" : dx == 0 ? "│" : "·";
        // Every pixel from the start up to, not including, the end point.
        for (int step = 0; step < steps; ++step) {
            const int x = line.from.x + dx * step / steps;
            const int y = line.from.y + dy * step / steps;
            if (x < 0 || y < 0 || x >= dc_.Width() || y >= dc_.Height()) continue;
            TextCell* cell = grid_.At(x / options_.cellWidth, y / options_.cellHeight);
            cell->glyph = glyph;
            cell->ink = line.colour;
        }
    }

    void operator()(const DrawnFill& fill) {
        const auto& rows = grid_.Rows();
        for (int row = 0; row < static_cast<int>(rows.size()); ++row)
            for (int column = 0; column < static_cast<int>(rows[row].size()); ++column) {
                const double x = column * options_.cellWidth + options_.cellWidth / 2.0;
                const double y = row * options_.cellHeight + options_.cellHeight / 2.0;
                if (x < dc_.Width() && y < dc_.Height() && Covers(fill, x, y))
                    grid_.At(column, row)->paper = fill.colour;
            }
    }

    void operator()(const DrawnText& text) {
        if (text.at.x < 0 || text.at.y < 0) return;
        const int column = text.at.x / options_.cellWidth;
        const int row = text.at.y / options_.cellHeight;
        const bool symbols = IsSymbolFont(text.font);
        for (std::size_t k = 0; k < text.text.size(); ++k) {
            const auto character = static_cast<unsigned char>(text.text[k]);
            TextCell* cell = grid_.At(column + static_cast<int>(k), row);
            cell->glyph = !symbols                         ? Utf8Of(character)
                          : character == kSymbolLeftArrow  ? "←"
                          : character == kSymbolRightArrow ? "→"
                                                           : "?";
            cell->ink = text.colour;
            if (text.backgroundMode == OPAQUE) cell->paper = text.background;
        }
    }

    const TextCells& Cells() const { return grid_.Rows(); }

    std::string Text() const {
        std::string out;
        for (const auto& line : grid_.Rows()) {
            auto end = line.end();
            while (end != line.begin() && (end - 1)->glyph == " " && (!options_.colour || !(end - 1)->paper)) --end;
            std::optional<COLORREF> ink, paper;
            for (auto cell = line.begin(); cell != end; ++cell) {
                if (options_.colour && (cell->ink != ink || cell->paper != paper)) {
                    ink = cell->ink;
                    paper = cell->paper;
                    out += Escape(ink, paper);
                }
                out += cell->glyph;
            }
            if (ink || paper) out += "\x1b[0m";
            out += '\n';
        }
        return out;
    }

private:
    const DeviceContext& dc_;
    const TextGridOptions& options_;
    Grid grid_;
};

TextGridPainter Painted(const DeviceContext& dc, const TextGridOptions& options) {
    TextGridPainter painter(dc, options);
    for (const DrawnItem& item : dc.Drawing()) std::visit(painter, item);
    return painter;
}

}  // namespace

std::string RenderTextGrid(const DeviceContext& dc, const TextGridOptions& options) {
    return Painted(dc, options).Text();
}

TextCells RenderTextCells(const DeviceContext& dc, const TextGridOptions& options) {
    return Painted(dc, options).Cells();
}

}  // namespace sim
