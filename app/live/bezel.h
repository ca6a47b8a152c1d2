// The live page's bezel: the page in a frame, the page's buttons beside it as on a
// display's bezel (the first half down the left, the second half down the right,
// one left over below), and a line of keys under it, laid out in terminal cells.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/host_api.h"

namespace kalvo::app {

// A button's place: the text shown (its label with its select character on the
// outer side) starting at a terminal cell.
struct BezelButton {
    int button;
    int column;
    int row;
    std::string text;
};

struct BezelLayout {
    int left, top;            // the terminal cell of the whole bezel's top-left corner
    int width, height;        // in cells: buttons, frame and key line
    int pageColumn, pageRow;  // the terminal cell showing the page's cell (0, 0)
    int pageColumns, pageRows;
    int keyLineRow;  // under the frame, from column `left`
    std::vector<BezelButton> buttons;
};

// The size the bezel needs and the terminal does not have.
struct TerminalTooSmall {
    int neededColumns, neededRows;
};

// Lays the bezel out in the middle of a terminal of the given size, for a page of
// `pageColumns` x `pageRows` cells and the buttons of `labels` with the select
// characters of `menu` (in button order; a button without one shows its label alone).
std::variant<BezelLayout, TerminalTooSmall> LayOutBezel(std::span<const std::string> labels,
                                                        std::span<const MFDBUTTONMENU> menu, int pageColumns,
                                                        int pageRows, int terminalColumns, int terminalRows);

// The frame's title: the page, the scenario its world started from and the
// display's size in pixels, which sets the page's cell but not its grid of cells.
std::string BezelTitle(std::string_view scenario, std::string_view displaySize);

// The button whose text covers the terminal cell, if any.
std::optional<int> ButtonAt(const BezelLayout& layout, int column, int row);

// What the terminal shows when the bezel does not fit.
std::string TooSmallMessage(const TerminalTooSmall& needed, int terminalColumns, int terminalRows);

// `text` in lines of at most `width` characters, broken at blanks; a word longer
// than a line is cut.
std::vector<std::string> WrapWords(std::string_view text, int width);

}  // namespace kalvo::app
