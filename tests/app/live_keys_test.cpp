// The live page's keys: which key clicks which button, which is pressed as which
// scan code, and the live page's own keys. Expected buttons and scan codes are the
// page's button table (button, select character, key code):
//   0 + 13  1 - 12  2 ] 27  3 [ 26  4 R 19  5 > 52  6 < 51  7 L 38
//   8 S 31  9 A 30  10 C 46  11 V 47  12 G 34  13 H 35  14 Z 44
// and the keyboard's DirectInput scan codes (E 18, X 45, Q 16, T 20).
#include "app/live_keys.h"

#include <gtest/gtest.h>

#include <limits>
#include <variant>

#include "tests/support/front_end_page.h"

namespace kalvo::test {
namespace {

using app::ClickOnButton;
using app::CommandOfKey;
using app::CycleTimeAcceleration;
using app::LiveCommand;
using app::NoCommand;
using app::PressKeyCode;
using app::QuitLivePage;
namespace keys = app::keys;

std::string Describe(const LiveCommand& command) {
    if (std::holds_alternative<QuitLivePage>(command)) return "quit";
    if (std::holds_alternative<CycleTimeAcceleration>(command)) return "time";
    if (const auto* click = std::get_if<ClickOnButton>(&command)) return "button " + std::to_string(click->button);
    if (const auto* press = std::get_if<PressKeyCode>(&command)) return "key " + std::to_string(press->scanCode);
    return "nothing";
}

using LiveKeys = FrontEndPage;

TEST_F(LiveKeys, SelectCharactersClickTheirButtons) {
    const struct {
        int key;
        int button;
    } cases[] = {{'+', 0}, {'-', 1}, {']', 2},  {'[', 3},  {'R', 4},  {'>', 5},  {'<', 6}, {'L', 7},
                 {'S', 8}, {'A', 9}, {'C', 10}, {'V', 11}, {'G', 12}, {'H', 13}, {'Z', 14}};
    for (const auto& c : cases)
        EXPECT_EQ(Describe(CommandOfKey(c.key, menu)), "button " + std::to_string(c.button))
            << "key " << static_cast<char>(c.key);
}

TEST_F(LiveKeys, OtherCharactersArePressedAsTheirKeys) {
    const struct {
        int key;
        DWORD scanCode;
    } cases[] = {
        // The keys of the buttons whose select characters are shifted or capital.
        {'=', 13}, {'.', 52}, {',', 51}, {'r', 19}, {'l', 38}, {'s', 31}, {'a', 30}, {'c', 46}, {'v', 47}, {'g', 34},
        {'h', 35}, {'z', 44},
        // Shifted brackets and minus are the same keys.
        {'{', 26}, {'}', 27}, {'_', 12},
        // Keys the page has no command for still reach it, which refuses them.
        {'e', 18}, {'E', 18}, {'x', 45}, {'1', 2}, {' ', 57},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Describe(CommandOfKey(c.key, menu)), "key " + std::to_string(c.scanCode))
            << "key " << static_cast<char>(c.key);
}

TEST_F(LiveKeys, LivePageKeysComeFirst) {
    const struct {
        int key;
        const char* command;
    } cases[] = {
        {'q', "quit"},   {'Q', "quit"},     {keys::kEscape, "quit"},    {keys::kInterrupt, "quit"}, {'t', "time"},
        {'T', "time"},   {'\t', "nothing"}, {keys::kReturn, "nothing"}, {keys::kLeft, "nothing"},   {0, "nothing"},
        {-1, "nothing"}, {0xE9, "nothing"}};
    for (const auto& c : cases) EXPECT_EQ(Describe(CommandOfKey(c.key, menu)), c.command) << "key " << c.key;
}

// Every key of a command reaches the page, which takes it; other keys it refuses.
TEST_F(LiveKeys, ThePageTakesTheCommandsAndRefusesOtherKeys) {
    const auto carry = [&](char key) {
        const LiveCommand command = CommandOfKey(key, menu);
        if (const auto* click = std::get_if<ClickOnButton>(&command)) return session->ClickButton(click->button);
        if (const auto* press = std::get_if<PressKeyCode>(&command)) return session->PressKey(press->scanCode);
        ADD_FAILURE() << "key " << key << " is no command for the page";
        return false;
    };
    for (const char key : std::string("+=-_[]{}Rr<,>.LlSsAaCcVvGgHhZz")) EXPECT_TRUE(carry(key)) << key;
    for (const char key : std::string("ex1/")) EXPECT_FALSE(carry(key)) << key;
}

TEST(TimeAcceleration, CyclesThroughFourRates) {
    EXPECT_EQ(app::NextTimeAcceleration(1), 10);
    EXPECT_EQ(app::NextTimeAcceleration(10), 100);
    EXPECT_EQ(app::NextTimeAcceleration(100), 1000);
    EXPECT_EQ(app::NextTimeAcceleration(1000), 1);
    EXPECT_EQ(app::NextTimeAcceleration(7), 1);
}

TEST(SimulatedTime, DaysHoursMinutesSeconds) {
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
