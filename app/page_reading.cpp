#include "app/page_reading.h"

#include <charconv>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "ui/colours.h"
#include "ui/page_rows.h"

namespace kalvo::app {

namespace {

// The texts of the row's runs of highlighted cells, left to right.
std::vector<std::string> HighlightedRuns(const sim::TextCells& cells, int row) {
    std::vector<std::string> runs;
    if (row >= static_cast<int>(cells.size())) return runs;
    bool inRun = false;
    for (const sim::TextCell& cell : cells[row]) {
        const bool highlighted = cell.paper == kHighlightBlue;
        if (highlighted && !inRun) runs.emplace_back();
        if (highlighted) runs.back() += cell.glyph;
        inRun = highlighted;
    }
    return runs;
}

// A number shown on the page, from 0 up to `count` - 1 once `shownFrom` is taken off.
int ShownNumber(const std::string& text, int shownFrom, int count, const char* what) {
    int number = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || number - shownFrom < 0 ||
        number - shownFrom >= count)
        throw std::runtime_error(std::string("the page shows no ") + what + " selected (highlighted: \"" + text +
                                 "\")");
    return number - shownFrom;
}

}  // namespace

PageSelection ReadSelection(const sim::TextCells& cells) {
    PageSelection selection{-1, -1, -1, -1};
    const std::vector<std::string> directory = HighlightedRuns(cells, kDirectoryRow);
    for (int d = 0; d < kDirectoryCount; ++d)
        if (directory.size() == 1 && directory[0] == kCatalogue[d].code) selection.directory = d;
    if (selection.directory < 0) throw std::runtime_error("the page shows no directory selected");

    // The equation's number, then the variable set's, which the page shows from 1.
    const std::vector<std::string> numbers = HighlightedRuns(cells, kEquationRow);
    if (numbers.size() != 2) throw std::runtime_error("the page shows no equation and variable set selected");
    selection.equation = ShownNumber(numbers[0], 0, EquationCount(selection.directory), "equation");
    selection.variableSet = ShownNumber(numbers[1], 1, kVariableSetCount, "variable set");

    for (int v = 0; v < VariableCount(selection.directory); ++v)
        if (!HighlightedRuns(cells, kFirstVariableRow + v).empty()) {
            selection.variable = v;
            break;
        }
    if (selection.variable < 0) throw std::runtime_error("the page shows no variable selected");
    return selection;
}

}  // namespace kalvo::app
