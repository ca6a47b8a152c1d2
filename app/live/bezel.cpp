#include "app/live/bezel.h"

#include <algorithm>
#include <utility>

namespace kalvo::app {

namespace {

enum class Side { Left, Right, Below };

char SelectCharacter(std::span<const MFDBUTTONMENU> menu, std::size_t button) {
    return button < menu.size() ? menu[button].selchar : '\0';
}

// The select character goes on the outer side, away from the page.
std::string ButtonText(const std::string& label, char select, Side side) {
    if (select == '\0') return label;
    return side == Side::Left ? std::string(1, select) + " " + label : label + " " + std::string(1, select);
}

// Where item `index` of `count` goes when they are spread evenly over `extent` cells from `first`.
int Spread(int first, int extent, int index, int count) { return first + (2 * index + 1) * extent / (2 * count); }

}  // namespace

std::variant<BezelLayout, TerminalTooSmall> LayOutBezel(std::span<const std::string> labels,
                                                        std::span<const MFDBUTTONMENU> menu, int pageColumns,
                                                        int pageRows, int terminalColumns, int terminalRows) {
    const int buttonCount = static_cast<int>(labels.size());
    const int perSide = buttonCount / 2;
    const auto sideOf = [&](int b) {
        return b < perSide ? Side::Left : b < 2 * perSide ? Side::Right : Side::Below;
    };

    std::vector<BezelButton> buttons;
    int itemWidth = 1;
    for (int b = 0; b < buttonCount; ++b) {
        buttons.push_back({b, 0, 0, ButtonText(labels[b], SelectCharacter(menu, b), sideOf(b))});
        itemWidth = std::max(itemWidth, static_cast<int>(buttons.back().text.size()));
    }

    // Buttons, a blank, the frame and the page, and the same again on the right;
    // the frame's top and bottom, and the key line.
    const int width = 2 * itemWidth + pageColumns + 4;
    const int height = pageRows + 3;
    if (terminalColumns < width || terminalRows < height) return TerminalTooSmall{width, height};

    BezelLayout layout{};
    layout.left = (terminalColumns - width) / 2;
    layout.top = (terminalRows - height) / 2;
    layout.width = width;
    layout.height = height;
    layout.pageColumn = layout.left + itemWidth + 2;
    layout.pageRow = layout.top + 1;
    layout.pageColumns = pageColumns;
    layout.pageRows = pageRows;
    layout.keyLineRow = layout.pageRow + pageRows + 1;

    const int belowCount = buttonCount - 2 * perSide;
    for (BezelButton& button : buttons) {
        const int length = static_cast<int>(button.text.size());
        switch (sideOf(button.button)) {
            case Side::Left:
                button.column = layout.left + itemWidth - length;
                button.row = Spread(layout.pageRow, pageRows, button.button, perSide);
                break;
            case Side::Right:
                button.column = layout.pageColumn + pageColumns + 2;
                button.row = Spread(layout.pageRow, pageRows, button.button - perSide, perSide);
                break;
            case Side::Below:
                // In the frame's bottom edge, spread under the page.
                button.column =
                    Spread(layout.pageColumn, pageColumns, button.button - 2 * perSide, belowCount) - length / 2;
                button.row = layout.keyLineRow - 1;
                break;
        }
    }
    layout.buttons = std::move(buttons);
    return layout;
}

std::string BezelTitle(std::string_view scenario, std::string_view displaySize) {
    return " Kalvo MFD on " + std::string(scenario) + ", display " + std::string(displaySize) + " px ";
}

std::optional<int> ButtonAt(const BezelLayout& layout, int column, int row) {
    for (const BezelButton& button : layout.buttons)
        if (row == button.row && column >= button.column &&
            column < button.column + static_cast<int>(button.text.size()))
            return button.button;
    return std::nullopt;
}

std::string TooSmallMessage(const TerminalTooSmall& needed, int terminalColumns, int terminalRows) {
    return "Kalvo MFD needs a terminal of at least " + std::to_string(needed.neededColumns) + "x" +
           std::to_string(needed.neededRows) + " characters; this one is " + std::to_string(terminalColumns) + "x" +
           std::to_string(terminalRows) + ". Please enlarge it, or press q to quit.";
}

std::vector<std::string> WrapWords(std::string_view text, int width) {
    const std::size_t limit = static_cast<std::size_t>(std::max(width, 1));
    std::vector<std::string> lines;
    std::string line;
    const auto endLine = [&] {
        if (!line.empty()) lines.push_back(std::exchange(line, ""));
    };
    for (std::size_t at = 0; (at = text.find_first_not_of(' ', at)) != std::string_view::npos;) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        std::string_view word = text.substr(at, end - at);
        at = end;
        if (!line.empty() && line.size() + 1 + word.size() > limit) endLine();
        for (; word.size() > limit; word.remove_prefix(limit)) lines.emplace_back(word.substr(0, limit));
        if (!word.empty()) line += (line.empty() ? "" : " ") + std::string(word);
    }
    endLine();
    return lines;
}

}  // namespace kalvo::app
