#include "ui/text_grid.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace kalvo {

namespace {

// Module-wide, since the grid operations are plain functions of the drawing; it
// need not outlive a page, as every drawing first sets its own display's size.
int gridCellWidth = 1;
int gridCellHeight = 1;

}  // namespace

void InitTextGrid(HDC hdc, int cellWidth, int cellHeight) {
    gridCellWidth = cellWidth;
    gridCellHeight = cellHeight;
    SetTextAlign(hdc, TA_LEFT | TA_TOP | TA_UPDATECP);
    MoveToCell(hdc, 0, 0);
}

void MoveToCell(HDC hdc, int column, int row) {
    MoveToEx(hdc, gridCellWidth * column + gridCellWidth / 2, gridCellHeight * row, nullptr);
}

void SetTextColourTransparent(HDC hdc, COLORREF text) {
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, text);
}

void SetTextColourOpaque(HDC hdc, COLORREF text, COLORREF background) {
    SetBkMode(hdc, OPAQUE);
    SetBkColor(hdc, background);
    SetTextColor(hdc, text);
}

void PrintAtCell(HDC hdc, int column, int row, const char* format, ...) {
    char text[kPrintBuffer];
    va_list arguments;
    va_start(arguments, format);
    const int wanted = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (wanted < 0) return;
    MoveToCell(hdc, column, row);
    TextOut(hdc, 0, 0, text, std::min(wanted, kPrintBuffer - 1));
}

}  // namespace kalvo
