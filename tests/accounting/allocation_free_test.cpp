// Commands, solvers and readings run on the simulator's thread between two frames
// and allocate nothing: every text and list is found by index, every result goes
// into a cell. Counted through the test program's one replaced operator new.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "sim/host/host.h"
#include "sim/world/scenario.h"
#include "sim/world/world.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/page_probe.h"
#include "ui/buttons.h"
#include "ui/clipboard.h"
#include "ui/command_keys.h"
#include "ui/typed_input.h"

namespace kalvo {
namespace {

using test::PageProbe;

template <typename Run>
std::size_t AllocationsDuring(Run run) {
    const std::size_t before = test::AllocationCount();
    run();
    return test::AllocationCount() - before;
}

// Every (directory, equation, variable) the page can select, in catalogue order.
template <typename Visit>
void ForEverySelection(PageProbe& page, Visit visit) {
    for (int d = 0; d < kDirectoryCount; ++d)
        for (int e = 0; e < EquationCount(d); ++e)
            for (int k = 0; k < page.VariablesOfEquation(d, e); ++k) {
                const int v = page.EquationVariableNumber(d, e, k) - 1;
                SCOPED_TRACE(::testing::Message() << kCatalogue[d].code << " " << e << " " << page.Symbol(d, v));
                page.Select(d, e, page.Symbol(d, v));
                visit(d, e, v);
            }
}

class AllocationFree : public ::testing::Test {
protected:
    void TearDown() override { sim::CancelInputBox(); }

    PageProbe page;

private:
    test::FreshModuleState fresh_;
};

TEST_F(AllocationFree, TheCounterSeesAnAllocation) {
    EXPECT_EQ(AllocationsDuring([] { ::operator delete(::operator new(16)); }), 1u);
}

// Every button but Input Value (below) on every variable, and Solve with inputs that
// reach guards, formulas, NaN and infinities, in every scenario and in one without bodies.
TEST_F(AllocationFree, EveryCommandSolverAndReadingOnEveryVariable) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
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
        SCOPED_TRACE(world.bodies.empty() ? "no bodies" : world.focus.name);
        ForEverySelection(page, [&](int d, int e, int v) {
            for (int button = 0; button < kButtonCount; ++button) {
                if (kButtons[button].key == kKeyInputValue) continue;
                page.Select(d, e, page.Symbol(d, v));
                EXPECT_EQ(AllocationsDuring([&] { EXPECT_TRUE(page.ConsumeButton(button, PANEL_MOUSE_LBDOWN)); }), 0u)
                    << page.ButtonLabel(button);
            }
            page.Select(d, e, page.Symbol(d, v));
            for (const double fill : {0.0, 1.0, 0.5, -2.0, 1e7, nan, inf, -inf}) {
                for (int u = 0; u < VariableCount(d); ++u)
                    if (kCatalogue[d].variables[u].symbol != "G") ValueStore[0][d][u] = fill;
                EXPECT_EQ(AllocationsDuring([&] { page.ConsumeKeyBuffered(kKeySolve); }), 0u) << "every input " << fill;
            }
        });
    }
}

// Buttons out of range, keys that are no command, the menu, the clipboard stack
// filled past its top and emptied past its bottom, typed text of every shape.
TEST_F(AllocationFree, ButtonsMenuClipboardAndTypedText) {
    std::string longDigits(400, '7');
    char number[] = "1e3", signedWithTail[] = "  -12.5e-3xyz", letters[] = "abc", empty[] = "",
         hugeExponent[] = "1e99999999999999999999";
    TypedInputTarget = {0, BOP, 0};
    const MFDBUTTONMENU* menu = nullptr;
    EXPECT_EQ(AllocationsDuring([&] {
                  for (const int button : {-1, kButtonCount, 16}) page.ConsumeButton(button, PANEL_MOUSE_LBDOWN);
                  for (int button = -1; button <= 16; ++button) {
                      page.ConsumeButton(button, 0);
                      page.ButtonLabel(button);
                  }
                  for (const DWORD key : {0u, 11u, 14u, 53u, 255u, 0xFFFFFFFFu}) page.ConsumeKeyBuffered(key);
                  page.ButtonMenu(&menu);
                  for (int i = 0; i < ClipboardStack::kSlots + 1; ++i) page.ConsumeKeyBuffered(kKeyCopy);
                  for (int i = 0; i < ClipboardStack::kSlots + 1; ++i) page.ConsumeKeyBuffered(kKeyPaste);
                  for (char* text : {number, signedWithTail, letters, empty, hugeExponent, longDigits.data()})
                      InputCallback(nullptr, text, nullptr);
              }),
              0u);
    EXPECT_EQ(Clipboard.depth, 0);
}

// Input Value allocates only what the host's box takes for its copy of the title.
TEST_F(AllocationFree, InputValueAllocatesOnlyWhatTheHostsBoxKeeps) {
    ForEverySelection(page, [&](int d, int, int v) {
        std::string title = page.LongName(d, v);
        const std::size_t hostsOwn =
            AllocationsDuring([&] { oapiOpenInputBox(title.data(), InputCallback, nullptr, 20, &page); });
        sim::CancelInputBox();
        EXPECT_EQ(AllocationsDuring([&] { page.ConsumeKeyBuffered(kKeyInputValue); }), hostsOwn);
        EXPECT_EQ(sim::InputBox().title, title);
        sim::CancelInputBox();
    });
}

}  // namespace
}  // namespace kalvo
