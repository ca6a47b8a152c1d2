// The page's colours in a terminal's palettes, its characters in ASCII, and the
// terminals it can be shown in. The expected palette indices are worked by hand: in the 256-colour palette, cube
// colour 16 + 36r + 6g + b for the nearest levels of 0, 95, 135, 175, 215, 255, or
// grey 232 + k (level 8 + 10k) when that is nearer; of 8 colours, the corner of the
// RGB cube with each channel at or above 128 taken as full (red 1, green 2, blue 4).
#include "app/terminal_cells.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/terminal_type.h"

namespace kalvo::test {
namespace {

TEST(TerminalColours, ThePageColours) {
    const struct {
        const char* name;
        COLORREF colour;  // 0x00BBGGRR
        int of256;
        int of8;
    } cases[] = {
        {"black", 0x00000000, 16, 0},
        {"text green 0,192,0: 175 is nearer than 215", 0x0000C000, 16 + 6 * 3, 2},
        {"band grey 160: grey 158 (k 15) beats cube 175", 0x00A0A0A0, 232 + 15, 7},
        {"dark red 192,0,0", 0x000000C0, 16 + 36 * 3, 1},
        {"host title 224,255,224: cube 215,255,215", 0x00E0FFE0, 16 + 36 * 4 + 6 * 5 + 4, 7},
        {"grey 128: grey 128 itself (k 12)", 0x00808080, 232 + 12, 7},
        {"grey 127: just below half", 0x007F7F7F, 232 + 12, 0},
        {"grey 3: cube black is nearer than grey 8", 0x00030303, 16, 0},
        {"grey 6: grey 8 is nearer", 0x00060606, 232, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::NearestOf256(c.colour), c.of256) << c.name;
        EXPECT_EQ(app::NearestOf8(c.colour), c.of8) << c.name;
    }
}

// For a terminal without UTF-8: each character by its stand-in, of one to four
// bytes; rows keep their newlines.
TEST(TerminalCharacters, AsciiStandIns) {
    EXPECT_EQ(app::AsciiOf(""), "?");
    EXPECT_EQ(app::AsciiOfText("~ DR: BOP ORB→←\n─│·\n"), "~ DR: BOP ORB><\n-|.\n");
    EXPECT_EQ(app::AsciiOfText("é€😀x"), "???x");  // two, three and four bytes
    EXPECT_EQ(app::AsciiOfText(""), "");
}

// The live page needs a terminal type known here that can put the cursor anywhere.
TEST(TerminalType, KnownTypesThatPlaceTheCursor) {
    const char* const before = std::getenv("TERM");
    const std::string kept = before != nullptr ? before : "";
    const struct {
        const char* type;
        std::string shortcoming;
    } cases[] = {
        {"xterm-256color", ""},
        {"vt100", ""},
        {"dumb", "this terminal (TERM=dumb) cannot place the cursor, which the live page needs"},
        {"no-such-terminal", "this terminal (TERM=no-such-terminal) is of a type unknown here"},
    };
    for (const auto& c : cases) {
        setenv("TERM", c.type, 1);
        EXPECT_EQ(app::TerminalShortcoming(), c.shortcoming) << c.type;
    }
    if (before != nullptr)
        setenv("TERM", kept.c_str(), 1);
    else
        unsetenv("TERM");
}

}  // namespace
}  // namespace kalvo::test
