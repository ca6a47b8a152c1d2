// The live page's keys: which key clicks which button, which is pressed as which
// scan code (the page's own key codes, and the keyboard's: E 18, X 45), and the
// live page's own keys.
#include "app/live_keys.h"

#include <gtest/gtest.h>

#include <limits>
#include <variant>

#include "tests/support/front_end_page.h"

namespace kalvo::test {
namespace {

using namespace app;

std::string Describe(const LiveCommand& command) {
    if (std::holds_alternative<QuitLivePage>(command)) return "quit";
    if (std::holds_alternative<CycleTimeAcceleration>(command)) return "time";
    if (std::holds_alternative<app::ToggleMenu>(command)) return "menu";
    if (const auto* click = std::get_if<ClickOnButton>(&command)) return "button " + std::to_string(click->button);
    if (const auto* press = std::get_if<PressKeyCode>(&command)) return "key " + std::to_string(press->scanCode);
    return "nothing";
}

using LiveKeys = FrontEndPage;

// The keys of the buttons whose select characters are shifted or capital, shifted
// brackets and minus, and keys the page has no command for (it refuses them) are
// pressed as their keys; the live page's own keys come first; the select
// characters of the page's own menu click their buttons.
TEST_F(LiveKeys, WhatEachKeyDoesOnThePage) {
    // clang-format off
    const std::pair<int, std::string> cases[] = {
        {'=', "key 13"}, {'.', "key 52"}, {',', "key 51"}, {'r', "key 19"}, {'l', "key 38"}, {'s', "key 31"},
        {'a', "key 30"}, {'c', "key 46"}, {'v', "key 47"}, {'g', "key 34"}, {'h', "key 35"}, {'z', "key 44"},
        {'{', "key 26"}, {'}', "key 27"}, {'_', "key 12"},
        {'e', "key 18"}, {'E', "key 18"}, {'x', "key 45"}, {'1', "key 2"}, {' ', "key 57"},
        {'q', "quit"}, {'Q', "quit"}, {keys::kEscape, "quit"}, {keys::kInterrupt, "quit"}, {'t', "time"},
        {'T', "time"}, {'?', "menu"}, {'\t', "nothing"}, {keys::kReturn, "nothing"}, {keys::kLeft, "nothing"},
        {0, "nothing"}, {-1, "nothing"}, {0xE9, "nothing"}};
    // clang-format on
    for (const auto& [key, command] : cases) EXPECT_EQ(Describe(CommandOfKey(key, menu)), command) << "key " << key;
    for (std::size_t button = 0; button < menu.size(); ++button)
        EXPECT_EQ(Describe(CommandOfKey(menu[button].selchar, menu)), "button " + std::to_string(button)) << button;
}

// With the menu shown, Escape and ? close it and every other key does what it does
// on the page (the live page then closes the menu); behind the message that the
// terminal is too small, only the keys that quit act.
TEST_F(LiveKeys, WhatAKeyDoesDependsOnWhatIsShown) {
    using app::LiveView;
    const struct {
        int key;
        const char* onMenu;
        const char* whenTooSmall;
    } cases[] = {
        {keys::kEscape, "menu", "quit"}, {'?', "menu", "nothing"},           {'q', "quit", "quit"},
        {'Q', "quit", "quit"},           {keys::kInterrupt, "quit", "quit"}, {'T', "time", "nothing"},
        {'S', "button 8", "nothing"},    {'+', "button 0", "nothing"},       {'s', "key 31", "nothing"},
        {'=', "key 13", "nothing"},      {'x', "key 45", "nothing"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(CommandOfKey(c.key, menu, LiveView::Menu)), c.onMenu) << "key " << c.key;
        EXPECT_EQ(Describe(CommandOfKey(c.key, menu, LiveView::TooSmall)), c.whenTooSmall) << "key " << c.key;
    }
}

TEST(HostKeys, HintLineNamesEveryKeyOfTheLivePage) { EXPECT_EQ(app::HostKeysHint(), "T: faster   ?: menu   q: quit"); }

// The menu as the simulator's menu button shows it, from the module's own button
// menu: select character, label and menu text in button order (the texts are the
// page's button table's, checked there); then what Hlp does and the live page's
// keys. At the default page's 46 columns nothing is cut.
TEST_F(LiveKeys, MenuListsTheButtonsAndTheHostKeys) {
    std::vector<std::string> lines = app::MenuLines(labels, menu, 46);
    ASSERT_EQ(lines.size(), 22u);
    lines.erase(lines.begin() + 2, lines.begin() + 15);
    const std::vector<std::string> expected = {
        "Buttons (select character, label, menu):",
        " +  Dr>  Next Directory",
        " Z  0->  Zero Value",
        "Hlp shows the long names in place of the",
        "values until pressed again.",
        "",
        " T  faster: 1x, 10x, 100x, 1000x, then 1x",
        " ?  the button menu; ? or Esc closes it",
        " q  quit; Q, Esc and Ctrl-C quit too",
    };
    EXPECT_EQ(lines, expected);
    // Narrower, no line is wider.
    for (const std::string& line : app::MenuLines(labels, menu, 20)) EXPECT_LE(line.size(), 20u) << line;
}

TEST(TimeAndItsRates, CyclesThroughFourRatesAndShowsDaysHoursMinutesSeconds) {
    for (const auto& [rate, next] : {std::pair{1, 10}, {10, 100}, {100, 1000}, {1000, 1}, {7, 1}})
        EXPECT_EQ(app::NextTimeAcceleration(rate), next) << rate;
    const struct {
        double seconds;
        const char* text;
    } cases[] = {
        {0, "T+0d 00:00:00"},      {59.999, "T+0d 00:00:59"},  // whole seconds, never rounded up
        {3661.5, "T+0d 01:01:01"}, {86399, "T+0d 23:59:59"},
        {86400, "T+1d 00:00:00"},  {3 * 86400 + 2 * 3600 + 2 * 60 + 2, "T+3d 02:02:02"},
        {1e8, "T+1157d 09:46:40"},  // 1e8 s = 1157 days and 35200 s
        {-5, "T+0d 00:00:00"},     {std::numeric_limits<double>::quiet_NaN(), "T+0d 00:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(app::SimulatedTimeText(c.seconds), c.text) << c.seconds;
}

}  // namespace
}  // namespace kalvo::test
