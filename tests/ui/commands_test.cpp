// The page's keys and buttons, driven through the stand-in host as the simulator
// drives them: a loaded module, a display switched to the mode, key presses and
// button clicks. Expected selections and variable lists come from the catalogue
// as the page documents it (ORB equation 1 is "Vt=sqrt(p*G*M)/r" with r p Vt M).
#include <algorithm>
#include <climits>

#include "sim/gdi/gdi.h"
#include "tests/support/loaded_kalvo.h"
#include "ui/command_keys.h"

namespace kalvo::test {
namespace {

// Buttons 0 to 14 as the host shows them, and the key each stands for.
const struct {
    const char* label;
    const char* menuLine;
    char selectCharacter;
    CommandKey key;
} kButtonTable[] = {
    {"Dr>", "Next Directory", '+', kKeyNextDirectory},
    {"Dr<", "Prev Directory", '-', kKeyPrevDirectory},
    {"Eq>", "Next Equation", ']', kKeyNextEquation},
    {"Eq<", "Prev Equation", '[', kKeyPrevEquation},
    {"VSt", "Select Variable Set", 'R', kKeySelectVariableSet},
    {"Vr>", "Next Variable", '>', kKeyNextVariable},
    {"Vr<", "Prev Variable", '<', kKeyPrevVariable},
    {"Inp", "Input Value", 'L', kKeyInputValue},
    {"Slv", "Solve for Variable", 'S', kKeySolve},
    {"All", "Get All Values", 'A', kKeyGetAllValues},
    {"Cpy", "Copy to Clipboard", 'C', kKeyCopy},
    {"Pst", "Paste from Clipboard", 'V', kKeyPaste},
    {"Get", "Get System Value", 'G', kKeyGetSystemValue},
    {"Hlp", "Variable Help", 'H', kKeyVariableHelp},
    {"0->", "Zero Value", 'Z', kKeyZeroValue},
};

// Everything a command can change that the host can see.
struct Outcome {
    bool consumed, redraw;
    int status;
    bool inputBoxOpen;
    std::string inputBoxTitle;
    StoreSnapshot cells;
    CellName selected;
    double pastedAfterwards;  // what a Paste then puts in the selected cell
    bool showsHelp;
    bool operator==(const Outcome&) const = default;
};

class Commands : public LoadedKalvo {
protected:
    // Whether the page draws long names (from column 8 of the first variable row).
    static bool ShowsHelp(sim::Display& display) {
        sim::DeviceContext dc(400, 400);
        display.Draw(dc.Handle());
        const auto texts = dc.DrawingsOf<sim::DrawnText>();
        return std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.at == sim::Point{85, 144}; });
    }

    // From ORB equation 1 with p selected, typed values and one value on the
    // clipboard, every command has an effect of its own. The module is loaded
    // afresh, so that clicks and presses start from the same state.
    Outcome AfterCommand(bool click, int button) {
        Reload();
        auto display = OpenPage();
        for (const DWORD key : {kKeyNextDirectory, kKeyNextEquation, kKeyNextVariable}) Press(*display, key);
        Cell(0, ORB, "p") = 111;
        Press(*display, kKeyCopy);
        for (const auto& [symbol, value] : {std::pair{"r", 7e6}, {"p", 6.5e6}, {"Vt", 7.5e3}, {"M", 6e24}})
            Cell(0, ORB, symbol) = value;
        display->TakeRedrawRequest();

        Outcome outcome{};
        outcome.consumed = click ? display->ClickButton(button) : display->PressKey(kButtonTable[button].key);
        outcome.redraw = display->TakeRedrawRequest();
        outcome.status = pageStatus(display->Page());
        outcome.inputBoxOpen = sim::InputBox().open;
        outcome.inputBoxTitle = sim::InputBox().title;
        outcome.cells = Snapshot();
        outcome.showsHelp = ShowsHelp(*display);
        outcome.selected = SelectedCell(*display);
        Press(*display, kKeyPaste);
        outcome.pastedAfterwards = Cell(outcome.selected);
        return outcome;
    }
};

TEST_F(Commands, ButtonsTheirMenuAndTheirKeys) {
    {
        auto display = OpenPage();
        const MFDBUTTONMENU* menu = nullptr;
        ASSERT_EQ(display->ButtonMenu(&menu), 15);
        EXPECT_EQ(display->Page()->ButtonMenu(nullptr), 15);
        ASSERT_EQ(display->ButtonLabels().size(), 15u);
        for (int b = 0; b < 15; ++b) {
            SCOPED_TRACE(kButtonTable[b].label);
            EXPECT_EQ(display->ButtonLabels()[b], kButtonTable[b].label);
            // The records are packed: read each field by value, never bind to it.
            const char* line1 = menu[b].line1;
            const char* line2 = menu[b].line2;
            const char selectCharacter = menu[b].selchar;
            EXPECT_STREQ(line1, kButtonTable[b].menuLine);
            EXPECT_EQ(line2, nullptr);
            EXPECT_EQ(selectCharacter, kButtonTable[b].selectCharacter);
        }
    }
    for (int b = 0; b < 15; ++b) {
        SCOPED_TRACE(kButtonTable[b].label);
        const Outcome clicked = AfterCommand(true, b);
        EXPECT_TRUE(clicked.consumed);
        EXPECT_TRUE(clicked == AfterCommand(false, b));
    }
}

TEST_F(Commands, SelectionCommandsMoveWithinTheirBounds) {
    // Short names for the keys, so that each case fits a line.
    const DWORD dr = kKeyNextDirectory, dl = kKeyPrevDirectory, eq = kKeyNextEquation, el = kKeyPrevEquation,
                vr = kKeyNextVariable, vl = kKeyPrevVariable, set = kKeySelectVariableSet, help = kKeyVariableHelp;
    const std::vector<DWORD> toGld(8, dr), toLastOrbEquation{dr, eq, eq, eq, eq, eq, eq, eq, eq, eq, eq};
    const std::vector<std::string> orb0{"r", "p", "e", "v"}, orb1{"r", "p", "Vt", "M"}, bop{"a", "b", "c"};
    const struct {
        const char* name;
        std::vector<DWORD> before;  // keys pressed first, from a new page
        DWORD key;
        bool redraw;
        CellName selected;
        std::vector<std::string> equation;  // the symbols of the equation selected after
        bool showsHelp;
    } cases[] = {
        // clang-format off
        {"next directory from BOP 3 b", {eq, eq, eq, vr}, dr, true, {0, ORB, "r"}, orb0, false},
        {"prev directory at BOP", {}, dl, false, {0, BOP, "a"}, bop, false},
        {"prev directory from ORB 2", {dr, eq, eq, vr, vr}, dl, true, {0, BOP, "a"}, bop, false},
        {"next directory at GLD", toGld, dr, false, {0, GLD, "Vd"}, {"Vd", "Vh", "a"}, false},
        {"prev directory from GLD", toGld, dl, true, {0, RNT, "la"}, {"la", "lb", "wa", "wb", "t", "to", "loa", "lob"}, false},
        {"next equation from ORB 3 p", {dr, eq, eq, eq, vr}, eq, true, {0, ORB, "Vt"}, {"Vt", "Vr", "V"}, false},
        {"next equation at the last", toLastOrbEquation, eq, false, {0, ORB, "M"}, {"M", "ra", "rp", "t"}, false},
        {"prev equation", {dr, eq, eq, vr}, el, true, {0, ORB, "r"}, orb1, false},
        {"prev equation at the first", {dr, vr}, el, false, {0, ORB, "p"}, orb0, false},
        {"next variable", {dr, eq}, vr, true, {0, ORB, "p"}, orb1, false},
        {"next variable at the last", {dr, eq, vr, vr, vr}, vr, false, {0, ORB, "M"}, orb1, false},
        {"prev variable", {dr, eq, vr, vr}, vl, true, {0, ORB, "p"}, orb1, false},
        {"prev variable at the first", {dr, eq}, vl, false, {0, ORB, "r"}, orb1, false},
        {"select variable set", {}, set, true, {1, BOP, "a"}, bop, false},
        {"select variable set twice", {set}, set, true, {0, BOP, "a"}, bop, false},
        {"variable set kept across directories", {set}, dr, true, {1, ORB, "r"}, orb0, false},
        {"variable help", {dr}, help, true, {0, ORB, "r"}, orb0, true},
        {"variable help off again", {dr, help}, help, true, {0, ORB, "r"}, orb0, false},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto display = OpenPage();
        for (const DWORD key : c.before) Press(*display, key);
        display->TakeRedrawRequest();
        const StoreSnapshot before = Snapshot();
        EXPECT_TRUE(display->PressKey(c.key));
        EXPECT_EQ(display->TakeRedrawRequest(), c.redraw);
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(ShowsHelp(*display), c.showsHelp);
        EXPECT_EQ(SelectedCell(*display), c.selected);
        EXPECT_EQ(EquationSymbols(*display), c.equation);
    }
}

TEST_F(Commands, KeysButtonsAndEventsThatAreNoCommandDoNothing) {
    auto display = OpenPage();
    Cell(0, BOP, "a") = 3;
    Press(*display, kKeyCopy);
    const StoreSnapshot before = Snapshot();
    std::vector<DWORD> others{0xFFFFFFFFu, 0x80000000u, 0x100u + kKeyNextDirectory};
    for (DWORD key = 0; key < 256; ++key)
        if (std::none_of(std::begin(kButtonTable), std::end(kButtonTable), [&](auto& b) { return b.key == key; }))
            others.push_back(key);
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
    Press(*display, kKeyPaste);  // the clipboard still holds the one value copied
    EXPECT_EQ(Cell(0, BOP, "a"), 3);
    // Bit 0 of a button event decides, whatever else the event carries.
    for (const int event : {1, 3, 0x81}) {
        display = OpenPage();
        EXPECT_TRUE(display->ClickButton(0, event)) << "event " << event;
        EXPECT_EQ(SelectedCell(*display), (CellName{0, ORB, "r"}));
    }
}

TEST_F(Commands, ElevenCopiesKeepTheFirstTenAndPastesReturnThemInReverse) {
    auto display = OpenPage();
    for (int i = 1; i <= 11; ++i) {
        Cell(0, BOP, "a") = i * 1.5;
        EXPECT_TRUE(display->PressKey(kKeyCopy));
        EXPECT_FALSE(display->TakeRedrawRequest()) << "copy " << i;
    }
    Press(*display, kKeyNextVariable);
    for (int i = 10; i >= 1; --i) {
        Cell(0, BOP, "b") = -1;
        EXPECT_TRUE(display->PressKey(kKeyPaste));
        EXPECT_TRUE(display->TakeRedrawRequest()) << "paste " << i;
        EXPECT_EQ(Cell(0, BOP, "b"), i * 1.5);
    }
    const StoreSnapshot before = Snapshot();
    EXPECT_TRUE(display->PressKey(kKeyPaste));
    EXPECT_FALSE(display->TakeRedrawRequest());
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(Commands, ClipboardAndValuesAreSharedByDisplaysAndOutliveThePage) {
    auto first = OpenPage(400, 400);
    auto second = OpenPage(300, 200);
    Press(*first, kKeyNextDirectory);
    Cell(0, ORB, "r") = 6.771e6;
    Press(*first, kKeyCopy);
    Press(*second, kKeyPaste);  // the second display keeps its own selection: BOP a
    EXPECT_EQ(Cell(0, BOP, "a"), 6.771e6);
    EXPECT_EQ(SelectedCell(*first), (CellName{0, ORB, "r"}));

    Press(*first, kKeyCopy);
    first->LeaveMode();
    ASSERT_TRUE(first->SelectMode(kModeKey));
    Press(*first, kKeyNextVariable);
    Press(*first, kKeyPaste);
    EXPECT_EQ(Cell(0, BOP, "b"), 6.771e6);
}

TEST_F(Commands, ReopeningThePageKeepsValuesAndStartsAFreshSelection) {
    auto display = OpenPage();
    for (const DWORD key : {kKeySelectVariableSet, kKeyNextDirectory, kKeyNextEquation, kKeyNextVariable})
        Press(*display, key);
    Cell(1, ORB, "p") = 6.5e6;
    Press(*display, kKeySolve);  // M = 0 fails the guard of p: status 1
    ASSERT_EQ(pageStatus(display->Page()), 1);
    const StoreSnapshot values = Snapshot();

    display->LeaveMode();
    EXPECT_EQ(display->Page(), nullptr);
    ASSERT_TRUE(display->SelectMode(kModeKey));
    EXPECT_EQ(Snapshot(), values);
    EXPECT_EQ(pageStatus(display->Page()), 0);
    EXPECT_EQ(SelectedCell(*display), (CellName{0, BOP, "a"}));
    EXPECT_EQ(EquationSymbols(*display), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(Commands, SolveReplacesTheStatusAndGetWithoutReadingsKeepsIt) {
    auto display = OpenPage();
    Press(*display, kKeyNextEquation);  // BOP 1 "a=b*c"
    Press(*display, kKeyNextVariable);  // b
    Cell(0, BOP, "a") = 6;
    display->TakeRedrawRequest();
    EXPECT_TRUE(display->PressKey(kKeySolve));  // c = 0: b = a / c is guarded
    EXPECT_EQ(pageStatus(display->Page()), 1);
    EXPECT_EQ(Cell(0, BOP, "b"), 0);
    // BOP has no readings: Get and Get All change nothing, the status included.
    const StoreSnapshot before = Snapshot();
    for (const DWORD key : {kKeyGetSystemValue, kKeyGetAllValues}) {
        EXPECT_TRUE(display->PressKey(key));
        EXPECT_EQ(pageStatus(display->Page()), 1);
        EXPECT_EQ(Snapshot(), before);
    }
    Cell(0, BOP, "c") = 4;
    EXPECT_TRUE(display->PressKey(kKeySolve));
    EXPECT_EQ(pageStatus(display->Page()), 0);
    EXPECT_EQ(Cell(0, BOP, "b"), 1.5);  // 6 / 4
    EXPECT_FALSE(display->TakeRedrawRequest());

    // ORB 1 has no formula for M: " N/Av ", and a second solve replaces rather than adds.
    Press(*display, kKeyNextDirectory);
    Press(*display, kKeyNextEquation);
    Press(*display, kKeyNextVariable, 3);
    Press(*display, kKeySolve, 2);
    EXPECT_EQ(pageStatus(display->Page()), 2);
}

TEST_F(Commands, InputValueOpensTheSharedBoxOnTheSelectedVariable) {
    auto first = OpenPage();
    auto second = OpenPage();
    Press(*first, kKeyNextDirectory);
    Press(*first, kKeyInputValue);  // on ORB r
    Press(*first, kKeyNextVariable);
    first->TakeRedrawRequest();
    EXPECT_TRUE(first->PressKey(kKeyInputValue));  // on ORB p, before the first box was confirmed
    EXPECT_FALSE(first->TakeRedrawRequest());
    EXPECT_EQ(sim::InputBox().title, "Semi-Latus");
    EXPECT_EQ(sim::InputBox().visibleWidth, 20);
    EXPECT_EQ(sim::InputBox().userData, first->Page());
    // Moving on after opening, or closing the page, does not move the target.
    Press(*first, kKeyNextVariable);
    Press(*first, kKeySelectVariableSet);
    first->LeaveMode();
    ASSERT_TRUE(sim::TypeIntoInputBox("6.5e6"));
    EXPECT_FALSE(sim::InputBox().open);
    EXPECT_EQ(Cell(0, ORB, "p"), 6.5e6);
    EXPECT_EQ(Cell(0, ORB, "r"), 0);
    EXPECT_EQ(Cell(1, ORB, "p"), 0);

    Press(*second, kKeyInputValue);  // the other display retargets the shared box: BOP a
    ASSERT_TRUE(sim::TypeIntoInputBox("4"));
    EXPECT_EQ(Cell(0, BOP, "a"), 4);
    // Confirmed without text: nothing stored, the box closed.
    Press(*second, kKeyInputValue);
    const StoreSnapshot before = Snapshot();
    const sim::InputBoxState box = sim::InputBox();
    EXPECT_TRUE(box.callback(nullptr, nullptr, box.userData));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(Commands, CommandsTouchOnlyTheCurrentSet) {
    auto display = OpenPage();
    Press(*display, kKeyNextDirectory);
    Press(*display, kKeyNextEquation);
    for (const char* symbol : {"r", "p", "Vt", "M"}) Cell(1, ORB, symbol) = 1000 + symbol[0];
    for (const auto& [symbol, value] : {std::pair{"r", 7e6}, {"Vt", 7.5e3}, {"M", 6e24}}) Cell(0, ORB, symbol) = value;
    auto setTwo = [&] {
        StoreSnapshot cells;
        for (int v = 0; v < VariableCount(ORB); ++v) cells.push_back(*valueCell(1, ORB, v));
        return cells;
    };
    const StoreSnapshot before = setTwo();
    Press(*display, kKeyNextVariable);  // p
    for (const DWORD key : {kKeySolve, kKeyCopy, kKeyZeroValue, kKeyPaste, kKeyGetSystemValue, kKeyGetAllValues,
                            kKeyVariableHelp, kKeyInputValue})
        Press(*display, key);
    ASSERT_TRUE(sim::TypeIntoInputBox("3"));
    EXPECT_EQ(Cell(0, ORB, "p"), 3);
    EXPECT_EQ(setTwo(), before);

    // Zero Value clears the selected cell of the current set, and only that.
    StoreSnapshot expected = Snapshot();
    display->TakeRedrawRequest();
    Press(*display, kKeyZeroValue);
    EXPECT_TRUE(display->TakeRedrawRequest());
    EXPECT_EQ(Cell(0, ORB, "p"), 0.0);
    Cell(0, ORB, "p") = 3;
    EXPECT_EQ(Snapshot(), expected);
    // Copy in the second set, paste in the first.
    Press(*display, kKeySelectVariableSet);
    Press(*display, kKeyCopy);
    Press(*display, kKeySelectVariableSet);
    Press(*display, kKeyPaste);
    EXPECT_EQ(Cell(0, ORB, "p"), Cell(1, ORB, "p"));
    EXPECT_EQ(setTwo(), before);
}

}  // namespace
}  // namespace kalvo::test
