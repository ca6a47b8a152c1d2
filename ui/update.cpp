// Drawing of the page: title, status message, clipboard depth, the directory,
// equation and variable-set rows, the help band and one row per variable.
#include "catalogue/status.h"
#include "catalogue/value_store.h"
#include "ui/clipboard.h"
#include "ui/colours.h"
#include "ui/page_rows.h"
#include "ui/solver_mfd.h"
#include "ui/status_messages.h"
#include "ui/text_grid.h"
#include "ui/value_format.h"
#include "ui/version.h"

namespace kalvo {

namespace {

constexpr const char* kTitle = "Kalvo MFD  V" KALVO_VERSION;
constexpr int kShownDirectories = 8;  // directory codes the row shows at a time

// Characters of the arrow font.
constexpr unsigned char kLeftArrow = 0xE7;
constexpr unsigned char kRightArrow = 0xE8;

HFONT CreateArrowFont(int cellWidth, int cellHeight) {
    return CreateFont(cellHeight, cellWidth, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEVICE_PRECIS,
                      CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Wingdings");
}

// Taller and narrower than a cell, so a 49-character formula fits the band.
HFONT CreateHelpFont(int cellWidth, int cellHeight) {
    return CreateFont(cellHeight + (cellHeight >> 2), cellWidth - (cellWidth >> 2), 0, 0, FW_DONTCARE, TRUE, FALSE,
                      FALSE, ANSI_CHARSET, OUT_DEVICE_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, "Times New Roman");
}

void SetItemColours(HDC hdc, bool selected) {
    if (selected)
        SetTextColourOpaque(hdc, kWhite, kHighlightBlue);
    else
        SetTextColourTransparent(hdc, kTextGreen);
}

// A green line under the title rows, the grey help band and a green line under
// it, all across the display's own width; leaves the current position where the
// title starts.
void DrawSeparatorsAndBand(HDC hdc, int width, int cellHeight) {
    const int right = width - 1;
    const int upperLine = 4 * cellHeight - 4;
    const int bandTop = 4 * cellHeight - 3;
    const int lowerLine = 8 * cellHeight - 3;

    const HPEN invisible = CreatePen(PS_NULL, 1, kBlack);
    const HPEN green = CreatePen(PS_SOLID, 1, kLineGreen);
    const HGDIOBJ previousPen = SelectObject(hdc, invisible);
    LineTo(hdc, 0, upperLine);
    SelectObject(hdc, green);
    LineTo(hdc, right, upperLine);
    SelectObject(hdc, invisible);
    LineTo(hdc, right, lowerLine);
    SelectObject(hdc, green);
    LineTo(hdc, 0, lowerLine);
    SelectObject(hdc, invisible);
    LineTo(hdc, 0, lowerLine);

    const HBRUSH grey = CreateSolidBrush(kBandGrey);
    const HGDIOBJ previousBrush = SelectObject(hdc, grey);
    BeginPath(hdc);
    MoveToEx(hdc, 0, lowerLine, nullptr);
    LineTo(hdc, right, lowerLine);
    LineTo(hdc, right, bandTop);
    LineTo(hdc, 0, bandTop);
    EndPath(hdc);
    FillPath(hdc);
    LineTo(hdc, 3, 0);

    SelectObject(hdc, previousBrush);
    SelectObject(hdc, previousPen);
    DeleteObject(invisible);
    DeleteObject(green);
    DeleteObject(grey);
}

void DrawClipboardDepth(HDC hdc) {
    const bool full = Clipboard.depth == ClipboardStack::kSlots;
    SetTextColourTransparent(hdc, full ? kRed : kTextGreen);
    PrintAtCell(hdc, 29, kEquationRow, "CSP:");
    PrintAtCell(hdc, 33, kEquationRow, "%2d", Clipboard.depth);
}

}  // namespace

void SolverMFD::Update(HDC hdc) {
    // The host's cell, in pixels, as the grid and GDI's font sizes take it.
    const int cellWidth = static_cast<int>(cw);
    const int cellHeight = static_cast<int>(ch);
    InitTextGrid(hdc, cellWidth, cellHeight);
    SelectDefaultFont(hdc, 0);
    SelectDefaultPen(hdc, 0);

    // The display's own width: two displays of different sizes each draw their own lines.
    DrawSeparatorsAndBand(hdc, static_cast<int>(W), cellHeight);
    Title(hdc, kTitle);

    // The status of the last commands is shown by this drawing only.
    if (status != kSolved) {
        const StatusMessage message = MessageOfStatus(status);
        SetTextColourOpaque(hdc, message.textColour, message.background);
        PrintAtCell(hdc, 30, 0, "%s", message.text);
        status = kSolved;
    }

    DrawClipboardDepth(hdc);

    // Directory row: scrolls just far enough to show the current directory.
    SetTextColourTransparent(hdc, kTextGreen);
    PrintAtCell(hdc, 0, kDirectoryRow, "DR:");
    if (directory > kShownDirectories - 1) directoryScrollOffset = directory - (kShownDirectories - 1);
    if (directory < directoryScrollOffset) directoryScrollOffset = directory;
    for (int i = 0; i < directoryCount; ++i) {
        SetItemColours(hdc, i == directory);
        if (i >= directoryScrollOffset && i < directoryScrollOffset + kShownDirectories)
            PrintAtCell(hdc, 4 + 4 * (i - directoryScrollOffset), kDirectoryRow, "%s", DirectoryCode(i));
    }
    const HFONT arrowFont = CreateArrowFont(cellWidth, cellHeight);
    HGDIOBJ previousFont = SelectObject(hdc, arrowFont);
    SetTextColourTransparent(hdc, kYellow);
    if (directoryScrollOffset > 0) PrintAtCell(hdc, 3, kDirectoryRow, "%c", kLeftArrow);
    if (directoryScrollOffset + kShownDirectories < directoryCount)
        PrintAtCell(hdc, 35, kDirectoryRow, "%c", kRightArrow);
    SelectObject(hdc, previousFont);

    // Equation row, numbered from 0.
    SetTextColourTransparent(hdc, kTextGreen);
    PrintAtCell(hdc, 0, kEquationRow, "EQ:");
    for (int j = 0; j < EquationsOf(directory); ++j) {
        SetItemColours(hdc, j == equation);
        PrintAtCell(hdc, 3 + j, kEquationRow, "%d", j);
    }

    // The current equation's help lines on the band.
    const HFONT helpFont = CreateHelpFont(cellWidth, cellHeight);
    previousFont = SelectObject(hdc, helpFont);
    SetTextColourOpaque(hdc, kBlack, kBandGrey);
    PrintAtCell(hdc, 1, 4, "%s", HelpLine(1, directory, equation));
    PrintAtCell(hdc, 0, 5, "%s", HelpLine(2, directory, equation));
    PrintAtCell(hdc, 0, 6, "%s", HelpLine(3, directory, equation));
    SelectObject(hdc, previousFont);
    DeleteObject(helpFont);

    // Variable sets, shown from 1.
    SetTextColourTransparent(hdc, kTextGreen);
    PrintAtCell(hdc, 18, kEquationRow, "%s", "VARSET:");
    for (int k = 0; k < variableSetCount; ++k) {
        SetItemColours(hdc, k == variableSet);
        PrintAtCell(hdc, 25 + k, kEquationRow, "%d", k + 1);
    }

    // One row per variable: the current equation's variables in white, the
    // selected one white on blue. The walk relies on the list's ascending order.
    const int equationVariables = VariablesOfEquation(directory, equation);
    int listPosition = 0;
    for (int i = 0; i < VariablesOf(directory); ++i) {
        const int row = kFirstVariableRow + i;
        if (listPosition < equationVariables && i == EquationVariableNumber(directory, equation, listPosition) - 1) {
            SetTextColourTransparent(hdc, kWhite);
            ++listPosition;
        } else {
            SetTextColourTransparent(hdc, kTextGreen);
        }
        if (i == variable) SetTextColourOpaque(hdc, kWhite, kHighlightBlue);
        PrintAtCell(hdc, 4, row, "%s", Symbol(directory, i));
        PrintAtCell(hdc, 26, row, "%s", Unit(directory, i));
        if (helpFlag)
            PrintAtCell(hdc, 8, row, "%s", LongName(directory, i));
        else
            PrintAtCell(hdc, 11, row, "%s", FormatValue(ValueStore[variableSet][directory][i]).c_str());
    }

    // Arrow marks on the variables a reading of the simulation can supply.
    previousFont = SelectObject(hdc, arrowFont);
    SetTextColourTransparent(hdc, kYellow);
    int systemPosition = 0;
    for (int i = 0; i < VariablesOf(directory); ++i) {
        if (systemPosition < kMaxVariables && i == SystemValueNumber(directory, systemPosition) - 1) {
            PrintAtCell(hdc, 3, kFirstVariableRow + i, "%c", kRightArrow);
            ++systemPosition;
        }
    }
    SelectObject(hdc, previousFont);
    DeleteObject(arrowFont);
}

}  // namespace kalvo
