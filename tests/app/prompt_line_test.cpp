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
        {"Backspace removes before the cursor", "123", {kBackspace}, "12", 2},
        {"the terminal's Delete character is Backspace", "123", {kDeleteCharacter}, "12", 2},
        {"Backspace at the start does nothing", "12", {kHome, kBackspace}, "12", 0},
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
    // The live page's own keys are text here.
    PromptLine line;
    for (const int key : Typed("qQtT")) EXPECT_EQ(line.Apply(key), PromptOutcome::Editing);
    EXPECT_EQ(line.Text(), "qQtT");
    EXPECT_EQ(line.Apply(keys::kEscape), PromptOutcome::Cancelled);
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
    using namespace keys;
    const std::pair<std::vector<int>, std::size_t> steps[] = {
        {Typed("1234"), 0},                       // four characters and the cursor fit
        {{'5'}, 1},                               // the cursor at 5 is the field's last cell
        {{'6'}, 2},         {{kLeft, kLeft}, 2},  // still inside: no move
        {{kHome}, 0},       {{kEnd}, 2},         {{kBackspace, kBackspace}, 0},  // "1234" fits again
    };
    PromptLine line;
    for (const auto& [then, first] : steps) {
        for (const int key : then) line.Apply(key);
        EXPECT_EQ(line.FirstShown(5), first) << line.Text() << " at " << line.Cursor();
    }
}

}  // namespace
}  // namespace kalvo::test
