// The page's keys, buttons and input box, driven through the stand-in host as the
// simulator drives them. Expected selections and variable lists come from the
// catalogue (ORB equation 1 is "Vt=sqrt(p*G*M)/r" with r p Vt M).
#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>

#include "sim/gdi/gdi.h"
#include "tests/support/loaded_kalvo.h"

namespace kalvo::test {
namespace {

// The fifteen buttons as the page's button table gives them, written out here so
// that a fault in the module's own table shows; the keys are the DirectInput scan
// codes in which the host delivers key presses.
struct ButtonRow {
    int button;
    const char* label;
    const char* menuLine;
    char selectCharacter;
    DWORD key;
};
constexpr ButtonRow kButtonTable[] = {
    // clang-format off
    {0, "Dr>", "Next Directory", '+', 13},     {1, "Dr<", "Prev Directory", '-', 12},
    {2, "Eq>", "Next Equation", ']', 27},      {3, "Eq<", "Prev Equation", '[', 26},
    {4, "VSt", "Select Variable Set", 'R', 19}, {5, "Vr>", "Next Variable", '>', 52},
    {6, "Vr<", "Prev Variable", '<', 51},      {7, "Inp", "Input Value", 'L', 38},
    {8, "Slv", "Solve for Variable", 'S', 31}, {9, "All", "Get All Values", 'A', 30},
    {10, "Cpy", "Copy to Clipboard", 'C', 46}, {11, "Pst", "Paste from Clipboard", 'V', 47},
    {12, "Get", "Get System Value", 'G', 34},  {13, "Hlp", "Variable Help", 'H', 35},
    {14, "0->", "Zero Value", 'Z', 44},
    // clang-format on
};

class Commands : public LoadedKalvo {
protected:
    // Whether the page draws long names (from column 8 of the first variable row).
    static bool ShowsHelp(sim::Display& display) {
        sim::DeviceContext dc(400, 400);
        display.Draw(dc);
        const auto texts = dc.DrawingsOf<sim::DrawnText>();
        return std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.at == sim::Point{85, 144}; });
    }
    static int ButtonOf(DWORD key) {
        for (const ButtonRow& row : kButtonTable)
            if (row.key == key) return row.button;
        return -1;
    }
};

// What the host shows of each button; that a click does what its key does is
// checked command by command below.
TEST_F(Commands, ButtonsShowTheirLabelsAndMenu) {
    auto display = OpenPage();
    const MFDBUTTONMENU* menu = nullptr;
    ASSERT_EQ(display->ButtonMenu(&menu), 15);
    ASSERT_EQ(display->ButtonLabels().size(), 15u);
    for (const ButtonRow& row : kButtonTable) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(display->ButtonLabels()[row.button], row.label);
        // The records are packed: read each field by value, never bind to it.
        const char* line1 = menu[row.button].line1;
        const char* line2 = menu[row.button].line2;
        const char selectCharacter = menu[row.button].selchar;
        EXPECT_STREQ(line1, row.menuLine);
        EXPECT_EQ(line2, nullptr);
        EXPECT_EQ(selectCharacter, row.selectCharacter);
    }
}

// Every command, by its key and by its button, on a module loaded afresh with the
// cells `given` and the keys `before` pressed: the redraw it asks for, the status
// it leaves, every cell it changes, and the selection after.
TEST_F(Commands, EachCommandChangesOnlyWhatItSays) {
    const DWORD dr = OAPI_KEY_EQUALS, dl = OAPI_KEY_MINUS, eq = OAPI_KEY_RBRACKET, el = OAPI_KEY_LBRACKET,
                vr = OAPI_KEY_PERIOD, vl = OAPI_KEY_COMMA, set = OAPI_KEY_R, help = OAPI_KEY_H, solve = OAPI_KEY_S,
                copy = OAPI_KEY_C, paste = OAPI_KEY_V, zero = OAPI_KEY_Z;
    const std::vector<DWORD> toGld(8, dr), toLastOrbEquation{dr, eq, eq, eq, eq, eq, eq, eq, eq, eq, eq};
    const std::vector<std::string> orb0{"r", "p", "e", "v"}, orb1{"r", "p", "Vt", "M"}, bop{"a", "b", "c"};
    const CellName a{0, BOP, "a"}, b{0, BOP, "b"}, c{0, BOP, "c"}, a2{1, BOP, "a"}, b2{1, BOP, "b"}, c2{1, BOP, "c"};
    using Values = std::vector<std::pair<CellName, double>>;
    const struct {
        const char* name = "";
        Values given = {};
        std::vector<DWORD> before = {};
        DWORD key = 0;
        bool redraw = false;
        int status = 0;
        Values changed = {};
        CellName selected = {-1, -1, ""};        // not compared when left so
        std::vector<std::string> equation = {};  // the symbols of the equation selected after, when given
        bool showsHelp = false;
    } cases[] = {
        // clang-format off
        {.name = "next directory from BOP 3 b", .before = {eq, eq, eq, vr}, .key = dr, .redraw = true, .selected = {0, ORB, "r"}, .equation = orb0},
        {.name = "prev directory at BOP", .key = dl, .selected = {0, BOP, "a"}, .equation = bop},
        {.name = "prev directory from ORB 2", .before = {dr, eq, eq, vr, vr}, .key = dl, .redraw = true, .selected = {0, BOP, "a"}, .equation = bop},
        {.name = "next directory at GLD", .before = toGld, .key = dr, .selected = {0, GLD, "Vd"}, .equation = {"Vd", "Vh", "a"}},
        {.name = "next equation from ORB 3 p", .before = {dr, eq, eq, eq, vr}, .key = eq, .redraw = true, .selected = {0, ORB, "Vt"}, .equation = {"Vt", "Vr", "V"}},
        {.name = "next equation at the last", .before = toLastOrbEquation, .key = eq, .selected = {0, ORB, "M"}, .equation = {"M", "ra", "rp", "t"}},
        {.name = "prev equation", .before = {dr, eq, eq, vr}, .key = el, .redraw = true, .selected = {0, ORB, "r"}, .equation = orb1},
        {.name = "prev equation to the first", .before = {dr, eq, vr}, .key = el, .redraw = true, .selected = {0, ORB, "r"}, .equation = orb0},
        {.name = "prev equation at the first", .before = {dr, vr}, .key = el, .selected = {0, ORB, "p"}, .equation = orb0},
        {.name = "next variable", .before = {dr, eq}, .key = vr, .redraw = true, .selected = {0, ORB, "p"}, .equation = orb1},
        {.name = "next variable at the last", .before = {dr, eq, vr, vr, vr}, .key = vr, .selected = {0, ORB, "M"}, .equation = orb1},
        {.name = "prev variable", .before = {dr, eq, vr, vr}, .key = vl, .redraw = true, .selected = {0, ORB, "p"}, .equation = orb1},
        {.name = "prev variable at the first", .before = {dr, eq}, .key = vl, .selected = {0, ORB, "r"}, .equation = orb1},
        {.name = "select variable set", .key = set, .redraw = true, .selected = {1, BOP, "a"}, .equation = bop},
        {.name = "select variable set twice", .before = {set}, .key = set, .redraw = true, .selected = {0, BOP, "a"}},
        {.name = "variable set kept across directories", .before = {set}, .key = dr, .redraw = true, .selected = {1, ORB, "r"}},
        {.name = "variable help", .before = {dr}, .key = help, .redraw = true, .selected = {0, ORB, "r"}, .showsHelp = true},
        {.name = "variable help off again", .before = {dr, help}, .key = help, .redraw = true, .selected = {0, ORB, "r"}},
        {.name = "zero value", .given = {{a, 5}, {a2, 6}}, .key = zero, .redraw = true, .changed = {{a, 0}}},
        {.name = "copy: the depth is shown at the next refresh", .before = {dr, dr, dr, copy, vr}, .key = copy},
        {.name = "paste what was copied", .given = {{a, 9}}, .before = {copy, vr}, .key = paste, .redraw = true, .changed = {{b, 9}}},
        {.name = "copy in the second set, paste in the first", .given = {{a2, 3}}, .before = {set, copy, set}, .key = paste, .redraw = true, .changed = {{a, 3}}},
        {.name = "solve a = b * c", .given = {{b, 1.5}, {c, 4}, {b2, 2}}, .before = {eq}, .key = solve, .changed = {{a, 6}}},
        {.name = "solve in the second set", .given = {{b2, 1.5}, {c2, 4}, {b, 2}, {c, 2}}, .before = {set, eq}, .key = solve, .changed = {{a2, 6}}},
        {.name = "solve guarded: b = a / c with c = 0", .given = {{a, 6}, {b, 7}}, .before = {eq, vr}, .key = solve, .status = 1},
        {.name = "a solve clears the failure before it", .given = {{a, 6}, {b, 7}}, .before = {eq, vr, solve, vl}, .key = solve, .changed = {{a, 0}}},
        {.name = "no formula for M in ORB 1", .before = {dr, eq, vr, vr, vr}, .key = solve, .status = 2},
        {.name = "Get reads one value (the host's empty world: a ship of no mass, no engines)", .before = {dr, dr, dr, vr, copy}, .key = OAPI_KEY_G, .selected = {0, FUE, "ms"}},
        {.name = "Get All adds up Isp's not applicable there", .before = {dr, dr, dr}, .key = OAPI_KEY_A, .status = 4},
        // clang-format on
    };
    for (const auto& t : cases)
        for (const bool click : {false, true}) {
            SCOPED_TRACE(::testing::Message() << t.name << (click ? ", clicked" : ""));
            Reload();
            auto display = OpenPage();
            for (const auto& [cell, value] : t.given) Cell(cell) = value;
            for (const DWORD key : t.before) Press(*display, key);
            display->TakeRedrawRequest();
            std::vector<double> old;
            for (const auto& [cell, value] : t.changed) old.push_back(Cell(cell));
            const StoreSnapshot before = Snapshot();
            EXPECT_TRUE(click ? display->PressButton(ButtonOf(t.key)) : display->PressKey(t.key));
            EXPECT_EQ(display->TakeRedrawRequest(), t.redraw);
            EXPECT_EQ(pageStatus(display->Page()), t.status);
            for (std::size_t i = 0; i < t.changed.size(); ++i) {
                EXPECT_EQ(Cell(t.changed[i].first), t.changed[i].second) << t.changed[i].first;
                Cell(t.changed[i].first) = old[i];
            }
            EXPECT_EQ(Snapshot(), before);
            EXPECT_EQ(ShowsHelp(*display), t.showsHelp);
            if (t.selected.set >= 0) {
                EXPECT_EQ(SelectedCell(*display), t.selected);
            }
            if (!t.equation.empty()) {
                EXPECT_EQ(EquationSymbols(*display), t.equation);
            }
        }
}

TEST_F(Commands, KeysButtonsAndEventsThatAreNoCommandDoNothing) {
    auto display = OpenPage();
    Cell(0, BOP, "a") = 3;
    Press(*display, OAPI_KEY_C);
    const StoreSnapshot before = Snapshot();
    std::vector<DWORD> others{0xFFFFFFFFu, 0x80000000u, 0x100u + OAPI_KEY_EQUALS};
    for (DWORD key = 0; key < 256; ++key)
        if (ButtonOf(key) < 0) others.push_back(key);
    for (const DWORD key : others) EXPECT_FALSE(display->PressKey(key)) << "key " << key;
    for (const int event : {0, 2, 4, 6, 0x80, 0x7FFFFFFE}) EXPECT_FALSE(display->ClickButton(0, event)) << event;
    for (const int button : {-1, -15, INT_MIN, 15, 16, INT_MAX}) {
        EXPECT_FALSE(display->ClickButton(button, PANEL_MOUSE_LBDOWN)) << "button " << button;
        EXPECT_EQ(display->Page()->ButtonLabel(button), nullptr) << "button " << button;
    }
    EXPECT_FALSE(display->TakeRedrawRequest());
    EXPECT_FALSE(sim::InputBox().open);
    EXPECT_EQ(pageStatus(display->Page()), 0);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(SelectedCell(*display), (CellName{0, BOP, "a"}));
    Press(*display, OAPI_KEY_V);  // the clipboard still holds the one value copied
    EXPECT_EQ(Cell(0, BOP, "a"), 3);
    // Bit 0 of a button event decides, whatever else the event carries.
    EXPECT_TRUE(display->ClickButton(0, 0x81));
    EXPECT_EQ(SelectedCell(*display), (CellName{0, ORB, "r"}));
}

TEST_F(Commands, ElevenCopiesKeepTheFirstTenAndPastesReturnThemInReverse) {
    auto display = OpenPage();
    for (int i = 1; i <= 11; ++i) {
        Cell(0, BOP, "a") = i * 1.5;
        Press(*display, OAPI_KEY_C);
    }
    for (int i = 10; i >= 1; --i) {
        Press(*display, OAPI_KEY_V);
        EXPECT_EQ(Cell(0, BOP, "a"), i * 1.5);
    }
    display->TakeRedrawRequest();
    Press(*display, OAPI_KEY_V);  // from the empty stack: no change, no redraw
    EXPECT_FALSE(display->TakeRedrawRequest());
    EXPECT_EQ(Cell(0, BOP, "a"), 1.5);
}

// Values and the clipboard are the module's: shared by displays, kept when a page
// closes; the selection and the status are the page's.
TEST_F(Commands, ValuesAndClipboardOutliveThePageTheSelectionDoesNot) {
    auto first = OpenPage(400, 400);
    auto second = OpenPage(300, 200);
    Press(*first, OAPI_KEY_EQUALS);
    Cell(0, ORB, "r") = 6.771e6;
    Press(*first, OAPI_KEY_C, 2);
    Press(*second, OAPI_KEY_V);  // the second display keeps its own selection: BOP a
    EXPECT_EQ(Cell(0, BOP, "a"), 6.771e6);
    EXPECT_EQ(SelectedCell(*first), (CellName{0, ORB, "r"}));

    for (const DWORD key : {OAPI_KEY_R, OAPI_KEY_RBRACKET, OAPI_KEY_PERIOD, OAPI_KEY_S}) Press(*first, key);
    ASSERT_EQ(pageStatus(first->Page()), 1);  // M = 0 fails the guard of p
    const StoreSnapshot values = Snapshot();
    first->LeaveMode();
    ASSERT_TRUE(first->SelectMode(kModeKey));
    EXPECT_EQ(Snapshot(), values);
    EXPECT_EQ(pageStatus(first->Page()), 0);
    EXPECT_EQ(SelectedCell(*first), (CellName{0, BOP, "a"}));
    EXPECT_EQ(EquationSymbols(*first), (std::vector<std::string>{"a", "b", "c"}));
    Press(*first, OAPI_KEY_V);  // on c, where the walk over the equation ended
    EXPECT_EQ(Cell(0, BOP, "c"), 6.771e6);
}

TEST_F(Commands, InputValueOpensTheSharedBoxOnTheSelectedVariable) {
    auto first = OpenPage();
    auto second = OpenPage();
    Press(*first, OAPI_KEY_EQUALS);
    Press(*first, OAPI_KEY_L);  // on ORB r
    Press(*first, OAPI_KEY_PERIOD);
    first->TakeRedrawRequest();
    EXPECT_TRUE(first->PressButton(ButtonOf(OAPI_KEY_L)));  // on ORB p, before the first box was confirmed
    EXPECT_FALSE(first->TakeRedrawRequest());
    EXPECT_EQ(sim::InputBox().visibleWidth, 20);
    EXPECT_EQ(sim::InputBox().userData, first->Page());
    // Moving on after opening, or closing the page, does not move the target.
    Press(*first, OAPI_KEY_PERIOD);
    Press(*first, OAPI_KEY_R);
    first->LeaveMode();
    ASSERT_TRUE(sim::TypeIntoInputBox("6.5e6"));
    EXPECT_FALSE(sim::InputBox().open);
    EXPECT_EQ(Cell(0, ORB, "p"), 6.5e6);
    EXPECT_EQ(Cell(0, ORB, "r"), 0);
    EXPECT_EQ(Cell(1, ORB, "p"), 0);

    Press(*second, OAPI_KEY_L);  // the other display retargets the shared box: BOP a
    ASSERT_TRUE(sim::TypeIntoInputBox("4"));
    EXPECT_EQ(Cell(0, BOP, "a"), 4);
    // Confirmed without text: nothing stored, the box closed.
    Press(*second, OAPI_KEY_L);
    const StoreSnapshot before = Snapshot();
    const sim::InputBoxState box = sim::InputBox();
    EXPECT_TRUE(box.callback(nullptr, nullptr, box.userData));
    EXPECT_EQ(Snapshot(), before);
}

using TypedInput = LoadedKalvo;

// Typed numbers: the decimal number a text begins with (worked by hand or with
// Python's correctly rounded float()); what follows it is ignored.
TEST_F(TypedInput, StoresTheLongestLeadingDecimalNumber) {
    // clang-format off
    const struct { const char* text; double stored; } cases[] = {
        // Plain numbers and what follows them.
        {"1e3", 1000}, {"12abc", 12}, {"  -1.5e3x", -1500}, {"+7", 7}, {".5", 0.5}, {"-.5", -0.5}, {"5.", 5},
        {"1E-2", 0.01}, {"1.5.5", 1.5}, {"1 2", 1}, {"1,5", 1}, {"1e3e4", 1000}, {"1e2.5", 100},
        {"123456789012345678901234567890", 1.2345678901234568e29},
        {"1e", 1}, {"1e+", 1}, {"1E-x", 1},  // an exponent letter counts only with digits after it
        {"\t\n\v\f\r 3", 3}, {"\xA0" "5", 0}, {"_5", 0},  // blanks before the number, and only those
        // No number at the start, and the C library's other spellings.
        {"abc", 0}, {"", 0}, {"   ", 0}, {".", 0}, {"-", 0}, {"+", 0}, {"--1", 0}, {"- 1", 0}, {".e5", 0},
        {"inf", 0}, {"infinity", 0}, {"nan", 0}, {"0x10", 0}, {"0x1p3", 0},
        // Beyond the range of a double: infinities above, zeros below, with the sign.
        {"1e400", INFINITY}, {"-1e400", -INFINITY}, {"0.1e310", INFINITY}, {"1e308", 1e308}, {"1e99999999999999999999", INFINITY},
        {"0.0000000001e99999999999999999999", INFINITY}, {"0e99999999999999999999", 0}, {"1e-400", 0},
        {"-1e-400", -0.0}, {"100000e-329", 0}, {"1e-99999999999999999999", 0}, {"99999999999999999999e-340", 1e-320},
        {"1e-320", 1e-320}, {"-0", -0.0},
        // Seventeen significant digits name a double exactly.
        {"0.10000000000000001", 0.1}, {"1.7976931348623157e+308", DBL_MAX}, {"2.2250738585072014e-308", DBL_MIN},
        {"-4.9406564584124654e-324", -4.9406564584124654e-324}, {"0.33333333333333331", 1.0 / 3},
    };
    // clang-format on
    // Handed to the callback as they are: the host's box would take printable
    // characters only.
    auto display = OpenPage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Cell(0, BOP, "a") = -777.25;
        ASSERT_TRUE(display->PressKey(OAPI_KEY_L));
        const sim::InputBoxState box = sim::InputBox();
        std::string text = c.text;
        ASSERT_TRUE(box.callback(nullptr, text.data(), box.userData));
        const double stored = Cell(0, BOP, "a");
        EXPECT_EQ(std::memcmp(&stored, &c.stored, sizeof stored), 0)
            << stored << " stored, " << c.stored << " expected";
    }
}

}  // namespace
}  // namespace kalvo::test
