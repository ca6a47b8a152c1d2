// A recorded drawing as a grid of characters: one line per row of cells, one
// column per cell, so that a page can be read in a terminal and compared in a test.
#pragma once

#include <string>

#include "sim/gdi.h"

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

}  // namespace sim
