// The page's grid of character cells.
//
// Cell (column, row) is the pixel point (cell width × column + cell width / 2,
// cell height × row): the top-left corner of text printed there. Text output
// starts at the current position and advances it, so a print lands exactly where
// the last move put it.
#pragma once

#include "catalogue/constants.h"
#include "host/host_api.h"

namespace kalvo {

// Records the cell size for the grid operations below, makes text start at and
// advance the current position, and moves to cell (0, 0).
void InitTextGrid(HDC hdc, int cellWidth, int cellHeight);

// Moves the current position to a cell.
void MoveToCell(HDC hdc, int column, int row);

void SetTextColourTransparent(HDC hdc, COLORREF text);
void SetTextColourOpaque(HDC hdc, COLORREF text, COLORREF background);

// Formats by printf rules into a buffer of kPrintBuffer characters (the
// terminating zero included; longer text is cut) and prints at the cell.
#if defined(__GNUC__)
__attribute__((format(printf, 4, 5)))
#endif
void PrintAtCell(HDC hdc, int column, int row, const char* format, ...);

}  // namespace kalvo
