// Editing in the live page's input box: what a run of keys leaves in the field,
// where the cursor stands, and how the box closes.
#include "app/prompt_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/live_keys.h"

namespace kalvo::test {
namespace {

using app::PromptLine;
using app::PromptOutcome;
namespace keys = app::keys;

std::vector<int> Typed(const std::string& text) { return {text.begin(), text.end()}; }

// Typed text, then editing keys: what the field holds and where the cursor stands.
TEST(PromptLine, EditingKeys) {
    using namespace keys;
    const struct {
        const char* name;
        std::string typed;
        std::vector<int> then;
        std::string text;
        std::size_t cursor;
    } cases[] = {
        // clang-format off
        {"typing appends", "6771000", {}, "6771000", 7},
        {"Left then a character inserts before the last", "123", {kLeft, 'x'}, "12x3", 3},
        {"Left stops at the start", "12", {kLeft, kLeft, kLeft}, "12", 0},
        {"Right stops at the end", "12", {kRight}, "12", 2},
        {"Home then a character prepends", "12", {kHome, '-'}, "-12", 1},
        {"End after Home", "12", {kHome, kEnd}, "12", 2},
        {"Backspace removes before the cursor", "123", {kBackspace}, "12", 2},
        {"the terminal's Delete character is Backspace", "123", {kDeleteCharacter}, "12", 2},
        {"Backspace at the start does nothing", "12", {kHome, kBackspace}, "12", 0},
        {"Backspace in the middle", "123", {kLeft, kBackspace}, "13", 1},
        {"Delete removes at the cursor", "123", {kHome, kDelete}, "23", 0},
        {"Delete at the end does nothing", "123", {kDelete}, "123", 3},
        {"Ctrl-U clears", "123", {kCtrlU}, "", 0},
        {"control and non-ASCII characters are refused", "1", {1, 0x7F + 1, 0xE9, '\t'}, "1", 1},
        {"blanks are text", " 1 ", {}, " 1 ", 3},
        // clang-format on
    };
    for (const auto& c : cases) {
        PromptLine line;
        for (const int key : Typed(c.typed)) ASSERT_EQ(line.Apply(key), PromptOutcome::Editing) << c.name;
        for (const int key : c.then) ASSERT_EQ(line.Apply(key), PromptOutcome::Editing) << c.name;
        EXPECT_EQ(line.Text(), c.text) << c.name;
        EXPECT_EQ(line.Cursor(), c.cursor) << c.name;
    }
}

TEST(PromptLine, EnterConfirmsAndEscapeCancels) {
    for (const int key : {keys::kReturn, keys::kLineFeed, keys::kEnter}) {
        PromptLine line;
        for (const int typed : Typed("12")) line.Apply(typed);
        EXPECT_EQ(line.Apply(key), PromptOutcome::Confirmed) << key;
        EXPECT_EQ(line.Text(), "12");
    }
    PromptLine line;
    line.Apply('1');
    EXPECT_EQ(line.Apply(keys::kEscape), PromptOutcome::Cancelled);
    // The live page's own keys are text here.
    PromptLine letters;
    for (const int key : Typed("qQtT")) EXPECT_EQ(letters.Apply(key), PromptOutcome::Editing);
    EXPECT_EQ(letters.Text(), "qQtT");
}

TEST(PromptLine, TextIsBoundedInLength) {
    PromptLine line;
    for (int i = 0; i < 300; ++i) line.Apply('9');
    EXPECT_EQ(line.Text(), std::string(PromptLine::kLongestText, '9'));
    EXPECT_EQ(line.Cursor(), PromptLine::kLongestText);
}

// A field of 5 cells: the cursor, which may stand after the last character, is
// always inside it, and the window moves only when the cursor would leave it.
TEST(PromptLine, FieldFollowsTheCursor) {
    PromptLine line;
    for (const int key : Typed("1234")) line.Apply(key);
    EXPECT_EQ(line.FirstShown(5), 0u);  // four characters and the cursor fit
    line.Apply('5');
    EXPECT_EQ(line.FirstShown(5), 1u);  // cursor at 5 shows as the field's last cell
    line.Apply('6');
    EXPECT_EQ(line.FirstShown(5), 2u);
    line.Apply(keys::kLeft);
    line.Apply(keys::kLeft);
    EXPECT_EQ(line.FirstShown(5), 2u);  // still inside: no move
    line.Apply(keys::kHome);
    EXPECT_EQ(line.FirstShown(5), 0u);
    line.Apply(keys::kEnd);
    EXPECT_EQ(line.FirstShown(5), 2u);
    line.Apply(keys::kBackspace);
    line.Apply(keys::kBackspace);
    EXPECT_EQ(line.FirstShown(5), 0u);  // "1234" fits again
}

}  // namespace
}  // namespace kalvo::test
