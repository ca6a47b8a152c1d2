// Commands, solvers and readings run on the simulator's thread between two frames
// and allocate nothing: every text and list is found by index, every result goes
// into a cell. Counted through the test program's one replaced operator new; a
// drawing's GDI objects are counted through the host's account.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "catalogue/status.h"
#include "readings/readings.h"
#include "sim/gdi.h"
#include "sim/host.h"
#include "sim/scenario.h"
#include "sim/world.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/drawn_page.h"
#include "tests/support/page_probe.h"
#include "ui/clipboard.h"
#include "ui/command_keys.h"
#include "ui/typed_input.h"

namespace kalvo {
namespace {

using test::AllocationCount;
using test::PageProbe;

// Heap allocations made while `run` runs.
template <typename Run>
std::size_t AllocationsDuring(Run run) {
    const std::size_t before = AllocationCount();
    run();
    return AllocationCount() - before;
}

// The keys of the fifteen commands, in button order.
constexpr DWORD kCommandKeys[] = {
    kKeyNextDirectory, kKeyPrevDirectory, kKeyNextEquation,   kKeyPrevEquation,  kKeySelectVariableSet,
    kKeyNextVariable,  kKeyPrevVariable,  kKeyInputValue,     kKeySolve,         kKeyGetAllValues,
    kKeyCopy,          kKeyPaste,         kKeyGetSystemValue, kKeyVariableHelp,  kKeyZeroValue};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class AllocationFree : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetValueStore();
        savedClipboard_ = Clipboard;
        savedWorld_ = sim::TheWorld();
        Clipboard = {};
        ASSERT_EQ(sim::LoadScenario(sim::kDefaultScenario), "");
    }
    void TearDown() override {
        sim::CancelInputBox();
        sim::TheWorld() = savedWorld_;
        Clipboard = savedClipboard_;
        test::ResetValueStore();
    }

    // Every (directory, equation, variable) the page can select, in catalogue order.
    template <typename Visit>
    static void ForEverySelection(PageProbe& page, Visit visit) {
        for (int d = 0; d < kDirectoryCount; ++d)
            for (int e = 0; e < EquationCount(d); ++e)
                for (int k = 0; k < page.VariablesOfEquation(d, e); ++k) {
                    const int v = page.EquationVariableNumber(d, e, k) - 1;
                    page.Select(d, e, page.Symbol(d, v));
                    visit(d, e, v);
                }
    }

    static std::string Where(const PageProbe& page) {
        return std::string(page.DirectoryCode(page.CurrentDirectory())) + " " + std::to_string(page.CurrentEquation()) +
               " " + page.Symbol(page.CurrentDirectory(), page.CurrentVariable());
    }

    PageProbe page;

private:
    ClipboardStack savedClipboard_{};
    sim::World savedWorld_;
};

TEST_F(AllocationFree, TheCounterSeesAnAllocation) {
    EXPECT_EQ(AllocationsDuring([] {
                  void* volatile memory = ::operator new(16);
                  ::operator delete(memory);
              }),
              1u);
}

TEST_F(AllocationFree, EveryCommandKeyOnEveryVariable) {
    ForEverySelection(page, [&](int d, int e, int v) {
        for (const DWORD key : kCommandKeys) {
            if (key == kKeyInputValue) continue;  // the host's box keeps its title: below
            page.Select(d, e, page.Symbol(d, v));
            EXPECT_EQ(AllocationsDuring([&] { EXPECT_TRUE(page.ConsumeKeyBuffered(key)); }), 0u)
                << "key " << key << " on " << Where(page);
        }
    });
}

TEST_F(AllocationFree, ButtonsKeysThatAreNoCommandsAndTheMenu) {
    const MFDBUTTONMENU* menu = nullptr;
    const std::size_t allocations = AllocationsDuring([&] {
        for (int button = -1; button <= 16; ++button) {
            if (button != 7) page.ConsumeButton(button, PANEL_MOUSE_LBDOWN);  // 7 opens the input box
            page.ConsumeButton(button, 0);
            page.ButtonLabel(button);
        }
        for (const DWORD key : {0u, 11u, 14u, 53u, 255u, 0xFFFFFFFFu}) page.ConsumeKeyBuffered(key);
        page.ButtonMenu(&menu);
        page.ButtonMenu(nullptr);
    });
    EXPECT_EQ(allocations, 0u);
}

TEST_F(AllocationFree, TheClipboardStackFilledPastItsTopAndEmptiedPastItsBottom) {
    const std::size_t allocations = AllocationsDuring([&] {
        for (int i = 0; i < ClipboardStack::kSlots + 1; ++i) page.ConsumeKeyBuffered(kKeyCopy);
        for (int i = 0; i < ClipboardStack::kSlots + 1; ++i) page.ConsumeKeyBuffered(kKeyPaste);
    });
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(Clipboard.depth, 0);
}

// Input Value allocates nothing of its own: what is allocated is the host's copy
// of the box's title, exactly as much as the host's box takes for that title.
TEST_F(AllocationFree, InputValueAllocatesOnlyWhatTheHostsBoxKeeps) {
    ForEverySelection(page, [&](int d, int, int v) {
        std::string title = page.LongName(d, v);
        const std::size_t hostsOwn =
            AllocationsDuring([&] { oapiOpenInputBox(title.data(), InputCallback, nullptr, 20, &page); });
        sim::CancelInputBox();
        EXPECT_EQ(AllocationsDuring([&] { page.ConsumeKeyBuffered(kKeyInputValue); }), hostsOwn) << Where(page);
        EXPECT_EQ(sim::InputBox().title, page.LongName(d, v));
        sim::CancelInputBox();
    });
}

TEST_F(AllocationFree, TypedTextOfEveryShape) {
    std::string longDigits(400, '7');
    char number[] = "1e3";
    char signedWithTail[] = "  -12.5e-3xyz";
    char letters[] = "abc";
    char empty[] = "";
    char hugeExponent[] = "1e99999999999999999999";
    char* texts[] = {number, signedWithTail, letters, empty, hugeExponent, longDigits.data()};
    TypedInputTarget = {0, BOP, 0};
    for (char* text : texts)
        EXPECT_EQ(AllocationsDuring([&] { EXPECT_TRUE(InputCallback(nullptr, text, nullptr)); }), 0u)
            << std::strlen(text) << " characters";
}

// Each solver with inputs that reach its guards, its formula, NaN and infinities.
TEST_F(AllocationFree, EverySolverOfTheCatalogue) {
    const double fills[] = {0.0, 1.0, 0.5, -2.0, 1e7, kNaN, kInf, -kInf};
    ForEverySelection(page, [&](int d, int, int) {
        for (const double fill : fills) {
            for (int v = 0; v < VariableCount(d); ++v)
                if (kCatalogue[d].variables[v].symbol != "G") ValueStore[0][d][v] = fill;
            EXPECT_EQ(AllocationsDuring([&] { page.ConsumeKeyBuffered(kKeySolve); }), 0u)
                << Where(page) << " with every input " << fill;
        }
    });
}

TEST_F(AllocationFree, TheLongestAnomalySearch) {
    // A time far beyond a hyperbola's reach: the search runs all its 10000 steps.
    page.Select(ORB, 9, "v");
    auto& orbit = ValueStore[0][ORB];
    orbit[Var(ORB, "p")] = 1e7;
    orbit[Var(ORB, "e")] = 2;
    orbit[Var(ORB, "t")] = -1e9;
    orbit[Var(ORB, "M")] = 5.9736e24;
    EXPECT_EQ(AllocationsDuring([&] { page.ConsumeKeyBuffered(kKeySolve); }), 0u);
    EXPECT_EQ(page.Status(), kSolved);
}

// In the host's scenarios, and in a world that has lost its bodies.
TEST_F(AllocationFree, EveryReadingGetAndGetAllInEveryDirectory) {
    std::vector<sim::World> worlds;
    for (const sim::BuiltInScenario& scenario : sim::BuiltInScenarios()) {
        ASSERT_EQ(sim::LoadScenario(scenario.name), "");
        worlds.push_back(sim::TheWorld());
    }
    worlds.push_back(worlds.front());
    worlds.back().bodies.clear();
    worlds.back().focus.reference = -1;

    for (const sim::World& world : worlds) {
        sim::TheWorld() = world;
        SCOPED_TRACE(world.bodies.size() == 0 ? "no bodies" : world.focus.name);
        for (const ReadingEntry& entry : kReadings)
            EXPECT_EQ(AllocationsDuring([&] { (page.*entry.read)(); }), 0u)
                << page.Symbol(entry.directory, entry.variable);
        ForEverySelection(page, [&](int, int, int) {
            EXPECT_EQ(AllocationsDuring([&] { page.ConsumeKeyBuffered(kKeyGetSystemValue); }), 0u) << Where(page);
            EXPECT_EQ(AllocationsDuring([&] { page.ConsumeKeyBuffered(kKeyGetAllValues); }), 0u) << Where(page);
        });
    }
}

// The page's five GDI objects (two pens, a brush, two fonts) on the smallest and
// the largest display a message procedure can be given, where a cell is one pixel
// or spans hundreds.
TEST_F(AllocationFree, ADrawingOnEveryDisplaySizeCreatesAndDeletesItsFiveGdiObjects) {
    for (const auto& [width, height] : {std::pair{1u, 1u}, std::pair{65535u, 65535u}, std::pair{39u, 23u}}) {
        PageProbe sized(width, height);
        sized.Select(ORB, 9, "t");
        test::DrawnPage drawn(sized);
        sim::ClearGdiFaults();
        const sim::GdiAccount before = sim::GdiAccounting();
        drawn.Draw();
        const sim::GdiAccount after = sim::GdiAccounting();
        EXPECT_EQ(after.created - before.created, 5) << width << " x " << height;
        EXPECT_EQ(after.deleted - before.deleted, 5) << width << " x " << height;
        EXPECT_TRUE(sim::GdiFaults().empty()) << width << " x " << height;
    }
}

}  // namespace
}  // namespace kalvo
