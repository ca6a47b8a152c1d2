// The live page's parts that need no terminal: the bezel, what each key does, the
// button menu, the time line, the input box's editing, the display sizes, and the
// page's colours and characters in a terminal, with the built module for the page's
// own labels and menu; and a soak of the live page.
#include <gtest/gtest.h>
#include <malloc.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <tuple>
#include <variant>

#include "app/live/bezel.h"
#include "app/live/live_keys.h"
#include "app/live/prompt_line.h"
#include "app/live/terminal_cells.h"
#include "app/live/terminal_type.h"
#include "app/page_session.h"
#include "sim/gdi/render_text.h"
#include "sim/world/world.h"
#include "ui/buttons.h"

namespace kalvo::test {
namespace {

using namespace app;

struct Page {
    PageSession session{KALVO_MODULE_PATH, kDefaultDisplaySize};
    std::vector<std::string> labels = session.ButtonLabels();
    std::span<const MFDBUTTONMENU> menu = session.ButtonMenu();

    // The default page in the live view: 47 columns (its widest help line) by 25
    // rows (400 px in rows of 400/24 = 16 px). With buttons shown as "+ Dr>", 5
    // cells, the bezel needs 5 + 1 + 1 + 47 + 1 + 1 + 5 = 61 columns and 25 + 3 = 28 rows.
    auto LayOut(int columns, int rows) const { return LayOutBezel(labels, menu, 47, 25, columns, rows); }
};

// A terminal smaller than that is told the size needed. In one large enough: the
// frame from column 6, the page from (7, 1); the seven buttons of a side in rows
// 1 + (2i+1)*25/14; the right side from column 7 + 47 + 2 = 56; the last button in
// the frame's bottom edge, centred under the page: 7 + 47/2 - 5/2 = 28. In a larger
// terminal the whole is centred. A click hits the button whose text is under it.
TEST(Bezel, ButtonsDownTheSidesAndOneBelowAndTheClicksOnThem) {
    const Page page;
    for (const auto& [columns, rows] : {std::pair{60, 28}, {61, 27}, {0, 0}}) {
        const auto fitted = page.LayOut(columns, rows);
        const auto* needed = std::get_if<TerminalTooSmall>(&fitted);
        ASSERT_NE(needed, nullptr) << columns << "x" << rows;
        EXPECT_EQ((std::pair{needed->neededColumns, needed->neededRows}), (std::pair{61, 28}));
    }
    const std::vector<std::string> expected = {
        "0 0 2 + Dr>",    "1 0 6 - Dr<",    "2 0 9 ] Eq>",    "3 0 13 [ Eq<",   "4 0 17 R VSt",
        "5 0 20 > Vr>",   "6 0 24 < Vr<",   "7 56 2 Inp L",   "8 56 6 Slv S",   "9 56 9 All A",
        "10 56 13 Cpy C", "11 56 17 Pst V", "12 56 20 Get G", "13 56 24 Hlp H", "14 28 26 0-> Z",
    };
    const auto placed = [](const BezelLayout& layout) {  // each as "button column row text"
        std::vector<std::string> all;
        for (const BezelButton& b : layout.buttons)
            all.push_back(std::to_string(b.button) + " " + std::to_string(b.column - layout.left) + " " +
                          std::to_string(b.row - layout.top) + " " + b.text);
        return all;
    };
    const BezelLayout exact = std::get<BezelLayout>(page.LayOut(61, 28));
    const BezelLayout centred = std::get<BezelLayout>(page.LayOut(120, 40));
    EXPECT_EQ(placed(exact), expected);
    EXPECT_EQ((std::vector{exact.left, exact.top, exact.pageColumn, exact.pageRow, exact.keyLineRow}),
              (std::vector{0, 0, 7, 1, 27}));
    EXPECT_EQ(placed(centred), expected);
    EXPECT_EQ((std::vector{centred.left, centred.top, centred.pageColumn, centred.pageRow}),
              (std::vector{29, 6, 36, 7}));

    for (const BezelButton& b : exact.buttons) {
        const int length = static_cast<int>(b.text.size());
        for (int column = b.column; column < b.column + length; ++column)
            EXPECT_EQ(ButtonAt(exact, column, b.row), b.button) << b.text << " at " << column;
        for (const auto& [column, row] :
             {std::pair{b.column - 1, b.row}, {b.column + length, b.row}, {b.column, b.row - 1}, {b.column, b.row + 1}})
            EXPECT_EQ(ButtonAt(exact, column, row), std::nullopt) << b.text << " beside, at " << column << ", " << row;
    }
    // The page, the frame and the key line are no buttons.
    for (const auto& [column, row] : {std::pair{7, 1}, {30, 13}, {6, 2}, {27, 26}, {33, 26}, {0, 27}, {-1, -1}})
        EXPECT_EQ(ButtonAt(exact, column, row), std::nullopt) << column << ", " << row;

    // The texts around the page.
    EXPECT_EQ(TooSmallMessage({61, 28}, 80, 24),
              "Kalvo MFD needs a terminal of at least 61x28 characters; this one is 80x24. Please enlarge it, or "
              "press q to quit.");
    EXPECT_EQ(BezelTitle("docs/scenarios/launch-pad.json", "640x480"),
              " Kalvo MFD on docs/scenarios/launch-pad.json, display 640x480 px ");
    EXPECT_EQ(HostKeysHint(), "T: faster   ?: menu   q: quit");
}

TEST(WrapWords, BreaksAtBlanksAndCutsLongWords) {
    const std::tuple<const char*, int, std::vector<std::string>> cases[] = {
        {"exactly twelve", 14, {"exactly twelve"}}, {"exactly twelve", 13, {"exactly", "twelve"}},
        {"  spaced   out  ", 20, {"spaced out"}},   {"abcdefghij xy", 4, {"abcd", "efgh", "ij", "xy"}},
        {"ab abcdefgh", 4, {"ab", "abcd", "efgh"}}, {"word", 0, {"w", "o", "r", "d"}},
    };
    for (const auto& [text, width, lines] : cases) EXPECT_EQ(WrapWords(text, width), lines) << text << " in " << width;
}

// As named by the alternatives of a LiveCommand, in their order.
std::string Describe(const LiveCommand& command) {
    if (const auto* click = std::get_if<ClickOnButton>(&command)) return "button " + std::to_string(click->button);
    if (const auto* press = std::get_if<PressKeyCode>(&command)) return "key " + std::to_string(press->scanCode);
    return std::array{"quit", "time", "menu", "", "", "nothing"}[command.index()];
}

// On the page, the live page's own keys come first; the select characters of the
// page's own menu click their buttons; other keys, the keys of the buttons whose
// select characters are shifted or capital among them, are pressed as the
// keyboard's scan codes (E 18); keys without one do nothing. With the menu shown,
// Escape and ? close it and every other key does what it does on the page (the live
// page then closes the menu); behind the message that the terminal is too small,
// only the keys that quit act.
TEST(LiveKeys, WhatEachKeyDoesOnThePageTheMenuAndTheTooSmallMessage) {
    const Page page;
    // clang-format off
    const std::pair<int, std::string> cases[] = {
        {'=', "key 13"}, {'s', "key 31"}, {'r', "key 19"}, {'a', "key 30"}, {'z', "key 44"}, {'.', "key 52"},
        {',', "key 51"}, {'{', "key 26"}, {'_', "key 12"}, {'E', "key 18"}, {'1', "key 2"}, {' ', "key 57"},
        {'q', "quit"}, {'Q', "quit"}, {keys::kEscape, "quit"}, {keys::kInterrupt, "quit"}, {'t', "time"},
        {'T', "time"}, {'?', "menu"}, {'S', "button 8"}, {'+', "button 0"}, {'\t', "nothing"},
        {keys::kReturn, "nothing"}, {keys::kLeft, "nothing"}, {0, "nothing"}, {0x80, "nothing"}};
    // clang-format on
    for (const auto& [key, command] : cases) {
        const bool closesTheMenu = key == keys::kEscape || key == '?';
        EXPECT_EQ(Describe(CommandOfKey(key, page.menu)), command) << key;
        EXPECT_EQ(Describe(CommandOfKey(key, page.menu, LiveView::Menu)), closesTheMenu ? "menu" : command) << key;
        EXPECT_EQ(Describe(CommandOfKey(key, page.menu, LiveView::TooSmall)), command == "quit" ? "quit" : "nothing")
            << key;
    }
    for (std::size_t button = 0; button < page.menu.size(); ++button)
        EXPECT_EQ(Describe(CommandOfKey(page.menu[button].selchar, page.menu)), "button " + std::to_string(button));
}

// The menu as the simulator's menu button shows it, from the module's own button
// menu: select character, label and menu text in button order (the texts are the
// page's button table's, checked there); then what Hlp does and the live page's
// keys. At the default page's 46 columns nothing is cut.
TEST(LiveKeys, MenuListsTheButtonsAndTheHostKeys) {
    const Page page;
    std::vector<std::string> lines = MenuLines(page.labels, page.menu, 46);
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
    for (const std::string& line : MenuLines(page.labels, page.menu, 20)) EXPECT_LE(line.size(), 20u) << line;
}

// The time in whole seconds, never rounded up.
TEST(TimeAndItsRates, CyclesThroughFourRatesAndShowsDaysHoursMinutesSeconds) {
    for (const auto& [rate, next] : {std::pair{1, 10}, {10, 100}, {100, 1000}, {1000, 1}, {7, 1}})
        EXPECT_EQ(NextTimeAcceleration(rate), next) << rate;
    const std::pair<double, const char*> cases[] = {
        {59.999, "T+0d 00:00:59"}, {86399, "T+0d 23:59:59"},
        {86400, "T+1d 00:00:00"},  {3 * 86400 + 2 * 3600 + 2 * 60 + 2, "T+3d 02:02:02"},
        {-5, "T+0d 00:00:00"},     {std::numeric_limits<double>::quiet_NaN(), "T+0d 00:00:00"}};
    for (const auto& [seconds, text] : cases) EXPECT_EQ(SimulatedTimeText(seconds), text) << seconds;
}

// Keys typed into the input box: what the field holds, where the cursor stands,
// and what the last key did (Enter confirms, Escape cancels, the rest edit).
TEST(PromptLine, EditingKeys) {
    using namespace keys;
    using enum PromptOutcome;
    const struct {
        const char* name;
        std::string typed;
        std::vector<int> then;
        std::string text;
        std::size_t cursor;
        PromptOutcome last = Editing;
    } cases[] = {
        // clang-format off
        {"typing appends", "6771000", {}, "6771000", 7},
        {"Left then a character inserts before the last", "123", {kLeft, 'x'}, "12x3", 3},
        {"Left stops at the start", "12", {kLeft, kLeft, kLeft}, "12", 0},
        {"Right stops at the end", "12", {kRight}, "12", 2},
        {"Backspace removes before the cursor", "123", {kBackspace}, "12", 2},
        {"the terminal's Delete character is Backspace", "123", {kDeleteCharacter}, "12", 2},
        {"Backspace at the start does nothing", "12", {kHome, kBackspace}, "12", 0},
        {"Delete removes at the cursor", "123", {kHome, kDelete}, "23", 0},
        {"Delete at the end does nothing", "123", {kDelete}, "123", 3},
        {"Ctrl-U clears", "123", {kCtrlU}, "", 0},
        {"control and non-ASCII characters are refused", "1", {1, 0x7F + 1, 0xE9, '\t'}, "1", 1},
        {"blanks are text", " 1 ", {}, " 1 ", 3},
        {"the text is bounded", std::string(300, '9'), {}, std::string(PromptLine::kLongestText, '9'),
         PromptLine::kLongestText},
        {"Return confirms", "12", {kReturn}, "12", 2, Confirmed},
        {"line feed confirms", "12", {kLineFeed}, "12", 2, Confirmed},
        {"Enter confirms", "12", {kEnter}, "12", 2, Confirmed},
        {"the live page's keys are text, and Escape cancels", "qQtT", {kEscape}, "qQtT", 4, Cancelled},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::vector<int> pressed(c.typed.begin(), c.typed.end());
        pressed.insert(pressed.end(), c.then.begin(), c.then.end());
        PromptLine line;
        for (std::size_t i = 0; i + 1 < pressed.size(); ++i) ASSERT_EQ(line.Apply(pressed[i]), Editing) << c.name;
        EXPECT_EQ(line.Apply(pressed.back()), c.last) << c.name;
        EXPECT_EQ(line.Text(), c.text) << c.name;
        EXPECT_EQ(line.Cursor(), c.cursor) << c.name;
    }
}

// A field of 5 cells: the cursor, which may stand after the last character, is
// always inside it, and the window moves only when the cursor would leave it. Four
// characters and the cursor fit; at 5 the cursor is in the field's last cell; two
// steps left are still inside; "1234" left after two Backspaces fits again.
TEST(PromptLine, FieldFollowsTheCursor) {
    using namespace keys;
    const std::pair<std::vector<int>, std::size_t> steps[] = {{{'1', '2', '3', '4'}, 0},    {{'5'}, 1},   {{'6'}, 2},
                                                              {{kLeft, kLeft}, 2},          {{kHome}, 0}, {{kEnd}, 2},
                                                              {{kBackspace, kBackspace}, 0}};
    PromptLine line;
    for (const auto& [then, first] : steps) {
        for (const int key : then) line.Apply(key);
        EXPECT_EQ(line.FirstShown(5), first) << line.Text() << " at " << line.Cursor();
    }
}

// Bounds and shapes beyond the two kalvo play refuses in its own tests, and the
// cells of a display of the size.
TEST(DisplaySize, WidthByHeightInPixelsAndTheCellsOfTheDisplay) {
    for (const std::string text : {"40x24", "4096x4096"}) EXPECT_EQ(DisplaySizeText(ParseDisplaySize(text)), text);
    const std::string range = " out of range (width 40 to 4096 and height 24 to 4096 pixels)";
    const std::string format = "\" is not WIDTHxHEIGHT in pixels (for example 400x400)";
    // Refused as out of range (true) or as not WIDTHxHEIGHT.
    const std::pair<std::string, bool> bad[] = {{"39x400", true},          {"400x23", true},      {"4097x400", true},
                                                {"99999999999x400", true}, {"400X400", false},    {"400x", false},
                                                {"+400x400", false},       {"400x400x400", false}};
    for (const auto& [text, shaped] : bad) {
        try {
            ParseDisplaySize(text);
            ADD_FAILURE() << text << " was taken";
        } catch (const UsageError& error) {
            EXPECT_EQ(error.what(), "display size " + (shaped ? text + range : "\"" + text + format));
        }
    }

    // The host's cell is a 40th of the width and a 24th of the height, rounded down;
    // the grid covers the display with whole cells, the last one possibly cut.
    const std::pair<DisplaySize, std::vector<int>> cells[] = {
        {{400, 400}, {10, 16, 40, 25}},  // 400/24 = 16 rem 16: a 25th row
        {{419, 400}, {10, 16, 42, 25}},  // 419/10 = 41.9: 42 columns
        {{40, 24}, {1, 1, 40, 24}},
    };
    for (const auto& [size, cellAndGrid] : cells) {
        PageSession session(KALVO_MODULE_PATH, size);
        const sim::TextGridOptions grid = session.GridOptions(false);
        EXPECT_EQ((std::vector{grid.cellWidth, grid.cellHeight, session.DisplayColumns(), session.DisplayRows()}),
                  cellAndGrid);
    }
}

// The expected palette indices are worked by hand: in the 256-colour palette, cube
// colour 16 + 36r + 6g + b for the nearest levels of 0, 95, 135, 175, 215, 255, or
// grey 232 + k (level 8 + 10k) when that is nearer; of 8 colours, the corner of the
// RGB cube with each channel at or above 128 taken as full (red 1, green 2, blue 4).
// Colours are given as 0x00BBGGRR.
TEST(TerminalCells, ThePageColoursAndAsciiStandIns) {
    const std::tuple<const char*, COLORREF, int, int> cases[] = {
        {"text green 0,192,0: 175 is nearer than 215", 0x0000C000, 16 + 6 * 3, 2},
        {"band grey 160: grey 158 (k 15) beats cube 175", 0x00A0A0A0, 232 + 15, 7},
        {"dark red 192,0,0", 0x000000C0, 16 + 36 * 3, 1},
        {"pale green 224,255,224: cube 215,255,215", 0x00E0FFE0, 16 + 36 * 4 + 6 * 5 + 4, 7},
        {"grey 128: grey 128 itself (k 12)", 0x00808080, 232 + 12, 7},
        {"grey 127: just below half", 0x007F7F7F, 232 + 12, 0},
        {"grey 3: cube black is nearer than grey 8", 0x00030303, 16, 0},
        {"grey 6: grey 8 is nearer", 0x00060606, 232, 0},
    };
    for (const auto& [name, colour, of256, of8] : cases) {
        EXPECT_EQ(NearestOf256(colour), of256) << name;
        EXPECT_EQ(NearestOf8(colour), of8) << name;
    }
    // For a terminal without UTF-8: each character by its stand-in, of one to four
    // bytes; rows keep their newlines.
    EXPECT_EQ(AsciiOf(""), "?");
    EXPECT_EQ(AsciiOfText("~ DR: BOP ORB→←\n─│·\n"), "~ DR: BOP ORB><\n-|.\n");
    EXPECT_EQ(AsciiOfText("é€😀x"), "???x");  // two, three and four bytes
}

// The live page needs a terminal type known here that can put the cursor anywhere
// (a dumb terminal is told so in the front end's own test).
TEST(TerminalType, KnownTypesThatPlaceTheCursor) {
    const char* const before = std::getenv("TERM");
    const std::optional<std::string> kept = before ? std::optional<std::string>(before) : std::nullopt;
    setenv("TERM", "xterm-256color", 1);
    EXPECT_EQ(TerminalShortcoming(), "");
    setenv("TERM", "no-such-terminal", 1);
    EXPECT_EQ(TerminalShortcoming(), "this terminal (TERM=no-such-terminal) is of a type unknown here");
    kept ? setenv("TERM", kept->c_str(), 1) : unsetenv("TERM");  // as it was, unset included
}

// A soak of the live page without a terminal: two days of simulated time at the
// fastest rate, in ticks as long as the live page's wait for a key (50 ms), each
// with a press and its drawing, and readings and a solve every tenth. Memory must
// stay flat after the first simulated minute, every drawing must give back its GDI
// objects, and the orbit must keep its energy, as two-body propagation promises.
constexpr double kTick = 0.05 * app::kTimeAccelerations[std::size(app::kTimeAccelerations) - 1];

double OrbitalEnergy() {
    const sim::World& world = sim::TheWorld();
    const int reference = world.focus.reference;
    const sim::State s = sim::RelativeState(world, sim::kFocusNode, reference);
    const double mu = sim::kGravitationalConstant * world.bodies[reference].mass;
    return Dot(s.velocity, s.velocity) / 2 - mu / Length(s.position);
}

TEST(Soak, TwoDaysAtTheFastestRateKeepMemoryGdiAndTheOrbit) {
    app::StartScenario("leo");
    app::PageSession session(KALVO_MODULE_PATH, app::kDefaultDisplaySize);
    // ORB equation 1: Get All then Slv each time round solves Vt from the world.
    session.ClickButton(0);
    session.ClickButton(2);
    const double energy = OrbitalEnergy();
    const long liveObjects = sim::GdiAccounting().Live();
    std::size_t settled = 0;
    int tick = 0;
    for (double t = 0; t < 48 * 3600; t += kTick, ++tick) {
        ASSERT_TRUE(sim::AdvanceTime(kTick)) << t;
        // Every button but the directory and equation moves, round and round.
        session.ClickButton(4 + tick % (kButtonCount - 4));
        if (tick % 10 == 0) {
            session.ClickButton(9);
            session.ClickButton(8);
        }
        sim::RenderTextCells(session.Draw(), session.GridOptions(false));
        ASSERT_EQ(sim::GdiAccounting().Live(), liveObjects) << t;
        if (t < 60) settled = mallinfo2().uordblks;
    }
    EXPECT_LE(mallinfo2().uordblks, settled + 64 * 1024);  // allocator noise, not a leak
    EXPECT_TRUE(sim::GdiFaults().empty());
    EXPECT_NEAR(OrbitalEnergy(), energy, 1e-9 * std::fabs(energy));  // NaN fails too
}

}  // namespace
}  // namespace kalvo::test
