// A recorded drawing as a grid of characters: one line per row of cells, one
// column per cell, so that a page can be read in a terminal and compared in a test.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/gdi/gdi.h"

namespace sim {

struct TextGridOptions {
    int cellWidth;
    int cellHeight;
    bool colour = false;  // 24-bit ANSI colour escapes for text, lines and backgrounds
};

// A text run starts in the cell of its top-left corner and takes one column per
// character, whatever its font; a symbol font's arrows show as ← and →. Lines show
// as ─, │ or · in the cells their pixels cross; a filled path colours the
// background of the cells whose centres it covers (with colour only). Every row
// ends with a newline; trailing blanks are dropped.
std::string RenderTextGrid(const DeviceContext& dc, const TextGridOptions& options);

// One cell of the grid: the character shown (UTF-8), the colour it is drawn in and
// the cell's background, each absent where nothing set it.
struct TextCell {
    std::string glyph = " ";
    std::optional<COLORREF> ink;
    std::optional<COLORREF> paper;
};
// Rows of cells, each as wide as the display's columns or as far as text reaches
// beyond them; for a front end that shows the grid in colours of its own.
using TextCells = std::vector<std::vector<TextCell>>;
TextCells RenderTextCells(const DeviceContext& dc, const TextGridOptions& options);

}  // namespace sim
