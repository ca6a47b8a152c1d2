// The page's keys and buttons, driven through the stand-in host as the simulator
// drives them: a loaded module, a display switched to the mode, key presses and
// button clicks. Expected selections and variable lists come from the catalogue
// as the page documents it (ORB equation 1 is "Vt=sqrt(p*G*M)/r" with r p Vt M).
#include <algorithm>
#include <climits>

#include "tests/support/loaded_kalvo.h"

namespace kalvo::test {
namespace {

// The page's key codes, as its button table gives them.
enum Key : DWORD {
    kPrevDirectory = 12,
    kNextDirectory = 13,
    kSelectSet = 19,
    kPrevEquation = 26,
    kNextEquation = 27,
    kGetAll = 30,
    kSolve = 31,
    kGet = 34,
    kHelp = 35,
    kInput = 38,
    kZero = 44,
    kCopy = 46,
    kPaste = 47,
    kPrevVariable = 51,
    kNextVariable = 52,
};

struct ButtonRow {
    const char* label;
    const char* menuLine;
    char selectCharacter;
    DWORD key;
};

// Buttons 0 to 14, in order.
const ButtonRow kButtonTable[] = {
    {"Dr>", "Next Directory", '+', 13},      {"Dr<", "Prev Directory", '-', 12},
    {"Eq>", "Next Equation", ']', 27},       {"Eq<", "Prev Equation", '[', 26},
    {"VSt", "Select Variable Set", 'R', 19}, {"Vr>", "Next Variable", '>', 52},
    {"Vr<", "Prev Variable", '<', 51},       {"Inp", "Input Value", 'L', 38},
    {"Slv", "Solve for Variable", 'S', 31},  {"All", "Get All Values", 'A', 30},
    {"Cpy", "Copy to Clipboard", 'C', 46},   {"Pst", "Paste from Clipboard", 'V', 47},
    {"Get", "Get System Value", 'G', 34},    {"Hlp", "Variable Help", 'H', 35},
    {"0->", "Zero Value", 'Z', 44},
};

// Everything a command can change that the host can see.
struct Outcome {
    bool consumed;
    bool redraw;
    int status;
    bool inputBoxOpen;
    std::string inputBoxTitle;
    StoreSnapshot cells;
    CellName selected;
    double pastedAfterwards;  // what a Paste then puts in the selected cell
    bool operator==(const Outcome&) const = default;
};

class Commands : public LoadedKalvo {
protected:
    // From ORB equation 1 with p selected, typed values and one value on the
    // clipboard, every command has an effect of its own. The module is loaded
    // afresh, so that clicks and presses start from the same state.
    Outcome AfterCommand(bool click, int button) {
        Reload();
        auto display = OpenPage();
        Press(*display, kNextDirectory);
        Press(*display, kNextEquation);
        Press(*display, kNextVariable);
        Cell(0, ORB, "p") = 111;
        Press(*display, kCopy);
        Cell(0, ORB, "r") = 7e6;
        Cell(0, ORB, "p") = 6.5e6;
        Cell(0, ORB, "Vt") = 7.5e3;
        Cell(0, ORB, "M") = 6e24;
        display->TakeRedrawRequest();

        Outcome outcome{};
        outcome.consumed = click ? display->ClickButton(button) : display->PressKey(kButtonTable[button].key);
        outcome.redraw = display->TakeRedrawRequest();
        outcome.status = pageStatus(display->Page());
        outcome.inputBoxOpen = sim::InputBox().open;
        outcome.inputBoxTitle = sim::InputBox().title;
        outcome.cells = Snapshot();
        outcome.selected = SelectedCell(*display);
        Press(*display, kPaste);
        outcome.pastedAfterwards = Cell(outcome.selected);
        return outcome;
    }
};

TEST_F(Commands, ButtonsShowTheirLabelsAndStopAtFifteen) {
    auto display = OpenPage();
    std::vector<std::string> expected;
    for (const ButtonRow& row : kButtonTable) expected.emplace_back(row.label);
    EXPECT_EQ(display->ButtonLabels(), expected);
    for (const int button : {-1, -15, INT_MIN, 15, 16, INT_MAX})
        EXPECT_EQ(display->Page()->ButtonLabel(button), nullptr) << "button " << button;
}

TEST_F(Commands, ButtonMenuListsEveryButtonWithAndWithoutAPointer) {
    auto display = OpenPage();
    const MFDBUTTONMENU* menu = nullptr;
    ASSERT_EQ(display->ButtonMenu(&menu), 15);
    ASSERT_NE(menu, nullptr);
    for (int b = 0; b < 15; ++b) {
        SCOPED_TRACE(b);
        // The records are packed: read each field by value, never bind to it.
        const char* line1 = menu[b].line1;
        const char* line2 = menu[b].line2;
        const char selectCharacter = menu[b].selchar;
        EXPECT_STREQ(line1, kButtonTable[b].menuLine);
        EXPECT_EQ(line2, nullptr);
        EXPECT_EQ(selectCharacter, kButtonTable[b].selectCharacter);
    }
    EXPECT_EQ(display->Page()->ButtonMenu(nullptr), 15);
}

TEST_F(Commands, EveryButtonDoesWhatItsKeyDoes) {
    for (int button = 0; button < 15; ++button) {
        SCOPED_TRACE(kButtonTable[button].label);
        const Outcome clicked = AfterCommand(true, button);
        const Outcome pressed = AfterCommand(false, button);
        EXPECT_TRUE(clicked.consumed);
        EXPECT_TRUE(clicked == pressed);
    }
}

struct SelectionCase {
    const char* name;
    std::vector<DWORD> before;  // keys pressed first, from a new page
    DWORD key;
    bool redraw;
    CellName selected;
    std::vector<std::string> equation;  // the symbols of the equation selected after
};

TEST_F(Commands, SelectionCommandsMoveWithinTheirBounds) {
    const std::vector<DWORD> toGld(8, kNextDirectory);
    const std::vector<DWORD> toLastOrbEquation{13, 27, 27, 27, 27, 27, 27, 27, 27, 27, 27};
    const SelectionCase cases[] = {
        {"next directory from BOP", {}, 13, true, {0, ORB, "r"}, {"r", "p", "e", "v"}},
        {"next directory from BOP 3 b", {27, 27, 27, 52}, 13, true, {0, ORB, "r"}, {"r", "p", "e", "v"}},
        {"prev directory at BOP", {}, 12, false, {0, BOP, "a"}, {"a", "b", "c"}},
        {"prev directory from ORB equation 2", {13, 27, 27, 52, 52}, 12, true, {0, BOP, "a"}, {"a", "b", "c"}},
        {"next directory at GLD", toGld, 13, false, {0, GLD, "Vd"}, {"Vd", "Vh", "a"}},
        {"prev directory from GLD", toGld, 12, true, {0, RNT, "la"}, {"la", "lb", "wa", "wb", "t", "to", "loa", "lob"}},
        {"next equation", {13}, 27, true, {0, ORB, "r"}, {"r", "p", "Vt", "M"}},
        {"next equation from ORB 3 p", {13, 27, 27, 27, 52}, 27, true, {0, ORB, "Vt"}, {"Vt", "Vr", "V"}},
        {"next equation at the last", toLastOrbEquation, 27, false, {0, ORB, "M"}, {"M", "ra", "rp", "t"}},
        {"prev equation", {13, 27, 27, 52}, 26, true, {0, ORB, "r"}, {"r", "p", "Vt", "M"}},
        {"prev equation at the first", {13, 52}, 26, false, {0, ORB, "p"}, {"r", "p", "e", "v"}},
        {"next variable", {13, 27}, 52, true, {0, ORB, "p"}, {"r", "p", "Vt", "M"}},
        {"next variable at the last", {13, 27, 52, 52, 52}, 52, false, {0, ORB, "M"}, {"r", "p", "Vt", "M"}},
        {"prev variable", {13, 27, 52, 52}, 51, true, {0, ORB, "p"}, {"r", "p", "Vt", "M"}},
        {"prev variable at the first", {13, 27}, 51, false, {0, ORB, "r"}, {"r", "p", "Vt", "M"}},
        {"select variable set", {}, 19, true, {1, BOP, "a"}, {"a", "b", "c"}},
        {"select variable set twice", {19}, 19, true, {0, BOP, "a"}, {"a", "b", "c"}},
        {"variable set kept across directories", {19}, 13, true, {1, ORB, "r"}, {"r", "p", "e", "v"}},
        {"variable help", {13}, 35, true, {0, ORB, "r"}, {"r", "p", "e", "v"}},
        {"variable help off again", {13, 35}, 35, true, {0, ORB, "r"}, {"r", "p", "e", "v"}},
    };
    for (const SelectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto display = OpenPage();
        for (const DWORD key : c.before) Press(*display, key);
        display->TakeRedrawRequest();
        const StoreSnapshot before = Snapshot();
        EXPECT_TRUE(display->PressKey(c.key));
        EXPECT_EQ(display->TakeRedrawRequest(), c.redraw);
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(SelectedCell(*display), c.selected);
        EXPECT_EQ(EquationSymbols(*display), c.equation);
    }
}

TEST_F(Commands, KeysThatAreNoCommandAreNotConsumed) {
    const std::vector<DWORD> commandKeys{12, 13, 19, 26, 27, 30, 31, 34, 35, 38, 44, 46, 47, 51, 52};
    auto display = OpenPage();
    Cell(0, BOP, "a") = 3;
    Press(*display, kCopy);
    const StoreSnapshot before = Snapshot();
    std::vector<DWORD> others{0xFFFFFFFFu, 0x80000000u, 0x100u + 13};
    for (DWORD key = 0; key < 256; ++key)
        if (std::find(commandKeys.begin(), commandKeys.end(), key) == commandKeys.end()) others.push_back(key);
    for (const DWORD key : others) EXPECT_FALSE(display->PressKey(key)) << "key " << key;
    EXPECT_FALSE(display->TakeRedrawRequest());
    EXPECT_FALSE(sim::InputBox().open);
    EXPECT_EQ(pageStatus(display->Page()), 0);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(SelectedCell(*display), (CellName{0, BOP, "a"}));
    // The clipboard still holds the one value copied.
    Press(*display, kPaste);
    EXPECT_EQ(Cell(0, BOP, "a"), 3);
}

TEST_F(Commands, ButtonEventsWithoutAPressAndButtonsOutOfRangeDoNothing) {
    auto display = OpenPage();
    for (const int event : {0, 2, 4, 6, 0x80, 0x7FFFFFFE})
        EXPECT_FALSE(display->ClickButton(0, event)) << "event " << event;
    for (const int button : {-1, -2, -15, INT_MIN, 15, 16, INT_MAX})
        EXPECT_FALSE(display->ClickButton(button, PANEL_MOUSE_LBDOWN)) << "button " << button;
    EXPECT_FALSE(display->TakeRedrawRequest());
    EXPECT_EQ(SelectedCell(*display), (CellName{0, BOP, "a"}));
    // Bit 0 decides, whatever else the event carries.
    for (const int event : {1, 3, 0x81}) {
        display->LeaveMode();
        display->SelectMode(kKalvoModeKey);
        EXPECT_TRUE(display->ClickButton(0, event)) << "event " << event;
        EXPECT_TRUE(display->TakeRedrawRequest());
        EXPECT_EQ(SelectedCell(*display), (CellName{0, ORB, "r"}));
    }
}

TEST_F(Commands, ZeroValueClearsTheSelectedCellOfTheCurrentSet) {
    auto display = OpenPage();
    Press(*display, kNextDirectory);
    Press(*display, kNextVariable);
    Cell(0, ORB, "p") = 6.5e6;
    Cell(1, ORB, "p") = 4.25e6;
    StoreSnapshot expected = Snapshot();
    display->TakeRedrawRequest();
    EXPECT_TRUE(display->PressKey(kZero));
    EXPECT_TRUE(display->TakeRedrawRequest());
    EXPECT_EQ(Cell(0, ORB, "p"), 0.0);
    Cell(0, ORB, "p") = 6.5e6;
    EXPECT_EQ(Snapshot(), expected);
}

TEST_F(Commands, ElevenCopiesKeepTheFirstTenAndPastesReturnThemInReverse) {
    auto display = OpenPage();
    for (int i = 1; i <= 11; ++i) {
        Cell(0, BOP, "a") = i * 1.5;
        EXPECT_TRUE(display->PressKey(kCopy));
        EXPECT_FALSE(display->TakeRedrawRequest()) << "copy " << i;
    }
    Press(*display, kNextVariable);
    for (int i = 10; i >= 1; --i) {
        Cell(0, BOP, "b") = -1;
        EXPECT_TRUE(display->PressKey(kPaste));
        EXPECT_TRUE(display->TakeRedrawRequest()) << "paste " << i;
        EXPECT_EQ(Cell(0, BOP, "b"), i * 1.5);
    }
    const StoreSnapshot before = Snapshot();
    EXPECT_TRUE(display->PressKey(kPaste));
    EXPECT_FALSE(display->TakeRedrawRequest());
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(Commands, CopyAndPasteWorkOnTheCurrentVariableSet) {
    auto display = OpenPage();
    Cell(0, BOP, "a") = 1;
    Cell(1, BOP, "a") = 2;
    Press(*display, kSelectSet);
    Press(*display, kCopy);
    Press(*display, kSelectSet);
    Press(*display, kNextVariable);
    Press(*display, kPaste);
    EXPECT_EQ(Cell(0, BOP, "b"), 2);
    EXPECT_EQ(Cell(1, BOP, "b"), 0);
}

TEST_F(Commands, ClipboardAndValuesAreSharedByDisplaysAndOutliveThePage) {
    auto first = OpenPage(400, 400);
    auto second = OpenPage(300, 200);
    Press(*first, kNextDirectory);
    Cell(0, ORB, "r") = 6.771e6;
    Press(*first, kCopy);
    // The second display keeps its own selection: BOP a.
    Press(*second, kPaste);
    EXPECT_EQ(Cell(0, BOP, "a"), 6.771e6);
    EXPECT_EQ(SelectedCell(*first), (CellName{0, ORB, "r"}));

    Press(*first, kCopy);
    first->LeaveMode();
    ASSERT_TRUE(first->SelectMode(kKalvoModeKey));
    Press(*first, kNextVariable);
    Press(*first, kPaste);
    EXPECT_EQ(Cell(0, BOP, "b"), 6.771e6);
}

TEST_F(Commands, ReopeningThePageKeepsValuesAndStartsAFreshSelection) {
    auto display = OpenPage();
    Press(*display, kSelectSet);
    Press(*display, kNextDirectory);
    Press(*display, kNextEquation);
    Press(*display, kNextVariable);
    Cell(1, ORB, "p") = 6.5e6;
    Press(*display, kSolve);  // M = 0 fails the guard of p: status 1
    ASSERT_EQ(pageStatus(display->Page()), 1);
    const StoreSnapshot values = Snapshot();

    display->LeaveMode();
    EXPECT_EQ(display->Page(), nullptr);
    ASSERT_TRUE(display->SelectMode(kKalvoModeKey));
    EXPECT_EQ(Snapshot(), values);
    EXPECT_EQ(pageStatus(display->Page()), 0);
    EXPECT_EQ(SelectedCell(*display), (CellName{0, BOP, "a"}));
    EXPECT_EQ(EquationSymbols(*display), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(Commands, SolveReplacesTheStatusAndAsksForNoRedraw) {
    auto display = OpenPage();
    Press(*display, kNextEquation);  // BOP 1 "a=b*c"
    Press(*display, kNextVariable);  // b
    Cell(0, BOP, "a") = 6;
    display->TakeRedrawRequest();
    EXPECT_TRUE(display->PressKey(kSolve));  // c = 0: b = a / c is guarded
    EXPECT_EQ(pageStatus(display->Page()), 1);
    EXPECT_EQ(Cell(0, BOP, "b"), 0);
    Cell(0, BOP, "c") = 4;
    EXPECT_TRUE(display->PressKey(kSolve));
    EXPECT_EQ(pageStatus(display->Page()), 0);
    EXPECT_EQ(Cell(0, BOP, "b"), 1.5);  // 6 / 4
    EXPECT_FALSE(display->TakeRedrawRequest());

    // ORB 1 has no formula for M: " N/Av ", and a second solve replaces rather than adds.
    Press(*display, kNextDirectory);
    Press(*display, kNextEquation);
    Press(*display, kNextVariable, 3);
    Press(*display, kSolve, 2);
    EXPECT_EQ(pageStatus(display->Page()), 2);
}

TEST_F(Commands, GetAndGetAllInADirectoryWithoutReadingsChangeNothing) {
    auto display = OpenPage();
    Press(*display, kNextEquation);
    Press(*display, kNextVariable);
    Cell(0, BOP, "a") = 1;
    Press(*display, kSolve);  // b = a / c with c = 0: status 1
    const StoreSnapshot before = Snapshot();
    display->TakeRedrawRequest();
    for (const DWORD key : {kGet, kGetAll}) {
        EXPECT_TRUE(display->PressKey(key));
        EXPECT_FALSE(display->TakeRedrawRequest());
        EXPECT_EQ(pageStatus(display->Page()), 1);
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(Commands, InputValueOpensTheBoxOnTheSelectedVariable) {
    auto display = OpenPage();
    Press(*display, kNextDirectory);
    Press(*display, kNextVariable);
    display->TakeRedrawRequest();
    EXPECT_TRUE(display->PressKey(kInput));
    EXPECT_FALSE(display->TakeRedrawRequest());
    EXPECT_TRUE(sim::InputBox().open);
    EXPECT_EQ(sim::InputBox().title, "Semi-Latus");
    EXPECT_EQ(sim::InputBox().visibleWidth, 20);
    EXPECT_EQ(sim::InputBox().userData, display->Page());

    EXPECT_TRUE(sim::TypeIntoInputBox("6.5e6"));
    EXPECT_FALSE(sim::InputBox().open);
    EXPECT_EQ(Cell(0, ORB, "p"), 6.5e6);
    EXPECT_FALSE(display->TakeRedrawRequest());
}

TEST_F(Commands, OpeningTheBoxAgainRetargetsIt) {
    auto display = OpenPage();
    Press(*display, kNextDirectory);
    Press(*display, kInput);  // on ORB r
    Press(*display, kNextVariable);
    Press(*display, kInput);  // on ORB p, before the first box was confirmed
    EXPECT_EQ(sim::InputBox().title, "Semi-Latus");
    // Moving on after opening does not move the target.
    Press(*display, kNextVariable);
    Press(*display, kSelectSet);
    ASSERT_TRUE(sim::TypeIntoInputBox("7"));
    EXPECT_EQ(Cell(0, ORB, "p"), 7);
    EXPECT_EQ(Cell(0, ORB, "r"), 0);
    EXPECT_EQ(Cell(1, ORB, "p"), 0);
}

TEST_F(Commands, TheInputTargetIsSharedAndOutlivesThePage) {
    auto first = OpenPage();
    auto second = OpenPage();
    Press(*first, kInput);  // on BOP a
    first->LeaveMode();
    ASSERT_TRUE(sim::TypeIntoInputBox("2.5"));
    EXPECT_EQ(Cell(0, BOP, "a"), 2.5);

    Press(*second, kNextDirectory);
    Press(*second, kInput);  // on ORB r
    ASSERT_TRUE(first->SelectMode(kKalvoModeKey));
    Press(*first, kInput);  // the first display retargets the shared box: BOP a
    ASSERT_TRUE(sim::TypeIntoInputBox("4"));
    EXPECT_EQ(Cell(0, BOP, "a"), 4);
    EXPECT_EQ(Cell(0, ORB, "r"), 0);
}

TEST_F(Commands, InputCallbackWithoutTextStoresNothingAndClosesTheBox) {
    auto display = OpenPage();
    Cell(0, BOP, "a") = 9;
    Press(*display, kInput);
    const StoreSnapshot before = Snapshot();
    const sim::InputBoxState box = sim::InputBox();
    EXPECT_TRUE(box.callback(nullptr, nullptr, box.userData));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(Commands, ValuesOfTheOtherSetAreUntouchedByEveryCommand) {
    auto display = OpenPage();
    Press(*display, kNextDirectory);
    Press(*display, kNextEquation);
    for (const char* symbol : {"r", "p", "Vt", "M"}) Cell(1, ORB, symbol) = 1000 + symbol[0];
    Cell(0, ORB, "r") = 7e6;
    Cell(0, ORB, "Vt") = 7.5e3;
    Cell(0, ORB, "M") = 6e24;
    auto setTwo = [&] {
        StoreSnapshot cells;
        for (int v = 0; v < VariableCount(ORB); ++v) cells.push_back(*valueCell(1, ORB, v));
        return cells;
    };
    const StoreSnapshot before = setTwo();
    Press(*display, kNextVariable);  // p
    for (const DWORD key : {kSolve, kCopy, kZero, kPaste, kGet, kGetAll, kHelp, kInput}) Press(*display, key);
    ASSERT_TRUE(sim::TypeIntoInputBox("3"));
    EXPECT_EQ(Cell(0, ORB, "p"), 3);
    EXPECT_EQ(setTwo(), before);
}

}  // namespace
}  // namespace kalvo::test
