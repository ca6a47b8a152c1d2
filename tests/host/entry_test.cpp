// The module as the host sees it: loading and unloading, registration of the mode,
// the message procedure, the version, and what it lends to tests: the value cells,
// a page's status and selection.
#include <dlfcn.h>

#include <tuple>

#include "catalogue/value_store.h"
#include "sim/host/keyboard.h"
#include "tests/support/loaded_kalvo.h"

namespace kalvo::test {
namespace {

using Entry = LoadedKalvo;

const sim::RegisteredMode* KalvoMode() { return sim::FindModeByKey(kModeKey); }

// Every field of a selection, in the order of its declaration.
auto Fields(const KalvoSelection& s) {
    return std::tuple(s.directory, s.equation, s.variable, s.variableSet, s.variablePosition, s.helpView, s.status,
                      s.scrollOffset);
}

TEST_F(Entry, LoadingCallsInitLibOnceAndRegistersOneModeNamedKalvoMfdOnTheEKey) {
    Unload();
    const int initCalls = sim::InitLibCalls(), dateCalls = sim::Date2IntCalls();
    Load();
    EXPECT_EQ(sim::InitLibCalls(), initCalls + 1);
    EXPECT_EQ(sim::InitLibModule(), module->Handle());
    const sim::RegisteredMode* mode = KalvoMode();
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(module->ModeIds(), std::vector{mode->id});
    EXPECT_EQ(mode->name, "Kalvo MFD");
    EXPECT_EQ(mode->key, sim::ScanCodeOfCharacter('E'));  // the key as the keyboard gives it
    // Date2Int of "Apr 25 2006", (2006 % 100) * 10000 + 4 * 100 + 25, computed once and kept.
    EXPECT_EQ((std::pair{module->Version(), module->Version()}), (std::pair{60425, 60425}));
    EXPECT_EQ(sim::Date2IntCalls(), dateCalls + 1);
}

TEST_F(Entry, UnloadingUnloadsTheLibraryAndUnregistersExactlyItsMode) {
    const auto noPage = [](UINT, UINT, WPARAM, LPARAM) -> OAPI_MSGTYPE {
        return 0;
    };
    char otherName[] = "Other";
    MFDMODESPEC other{otherName, 19, noPage};
    Unload();
    const int before = oapiRegisterMFDMode(other);
    Load();
    const int kalvo = module->ModeIds().at(0);
    const int after = oapiRegisterMFDMode(other);

    auto display = OpenPage();
    display->PressKey(OAPI_KEY_L);
    ASSERT_TRUE(sim::InputBox().open);
    Unload();  // the exit hook found at load runs as the library is unloaded
    // Gone from the process, so a load afresh starts with fresh values and an empty clipboard.
    EXPECT_EQ(dlopen(KALVO_MODULE_PATH, RTLD_LAZY | RTLD_NOLOAD), nullptr);
    // Displays are taken off the mode and its input box is closed.
    EXPECT_EQ(display->Page(), nullptr);
    EXPECT_EQ(display->ModeId(), 0);
    EXPECT_FALSE(sim::InputBox().open);
    EXPECT_FALSE(display->PressKey(OAPI_KEY_EQUALS));
    std::vector<int> remaining;
    for (const sim::RegisteredMode& mode : sim::RegisteredModes()) remaining.push_back(mode.id);
    EXPECT_EQ(remaining, (std::vector<int>{before, after}));
    EXPECT_NE(kalvo, before);
    oapiUnregisterMFDMode(before);
    oapiUnregisterMFDMode(after);
}

TEST_F(Entry, MessageOneAloneCreatesAPageOfTheSizeInWparam) {
    const sim::RegisteredMode* mode = KalvoMode();
    ASSERT_NE(mode, nullptr);
    VESSEL* vessel = oapiGetFocusInterface();
    // The width in the low word, the height in the high word.
    for (const auto& size : {std::tuple<WPARAM, DWORD, DWORD>{0x01000190, 400, 256}, {0xFFFFFFFF, 65535, 65535}}) {
        const auto [wparam, width, height] = size;
        const OAPI_MSGTYPE result = mode->messageProc(1, 3, wparam, reinterpret_cast<LPARAM>(vessel));
        ASSERT_NE(result, 0);
        std::unique_ptr<MFD> page(reinterpret_cast<MFD*>(result));
        EXPECT_EQ((std::tuple{MfdHostAccess::Width(*page), MfdHostAccess::Height(*page), MfdHostAccess::Vessel(*page),
                              pageStatus(page.get())}),
                  (std::tuple{width, height, vessel, 0}));
    }
    for (const UINT message : {0u, 2u, 3u, 0xFFFFFFFFu}) EXPECT_EQ(mode->messageProc(message, 0, 0x01000190, 0), 0);
}

TEST_F(Entry, ValueCellsAreReachableOnlyInRange) {
    for (const int set : {0, 1}) {
        EXPECT_EQ(*valueCell(set, ORB, FindVariable(ORB, "G")), 6.67259e-11);
        EXPECT_EQ(*valueCell(set, LNC, FindVariable(LNC, "G")), 6.67259e-11);
        EXPECT_NE(valueCell(set, GLD, VariableCount(GLD) - 1), nullptr);
    }
    const std::array<int, 3> outside[] = {{-1, 0, 0}, {2, 0, 0},   {0, -1, 0},   {0, 9, 0},
                                          {0, 0, -1}, {0, BOP, 3}, {1, ORB, 13}, {0, GLD, 5}};
    for (const auto& [set, d, v] : outside) EXPECT_EQ(valueCell(set, d, v), nullptr) << set << " " << d << " " << v;
}

// A page of another mode, which draws nothing.
class ForeignPage : public MFD {
public:
    ForeignPage() : MFD(400, 400, nullptr) {}
    void Update(HDC) override {}
};

TEST_F(Entry, PageSelectionTellsWhatAPageOfThisModuleHasSelected) {
    auto display = OpenPage();
    // A new page: BOP, its first equation, a, the first set.
    EXPECT_EQ(Fields(Selection(*display)), std::tuple(0, 0, 0, 0, 0, 0, 0, 0));

    // ORB equation 1 lists r, p, Vt and M: the fourth position is M, variable index 8.
    // No formula gives M there: status 2.
    Press(*display, OAPI_KEY_EQUALS);
    Press(*display, OAPI_KEY_RBRACKET);
    Press(*display, OAPI_KEY_PERIOD, 3);
    Press(*display, OAPI_KEY_R);
    Press(*display, OAPI_KEY_H);
    Press(*display, OAPI_KEY_S);
    EXPECT_EQ(Fields(Selection(*display)), std::tuple(ORB, 1, 8, 1, 3, 1, 2, 0));

    // On GLD, the ninth directory, a drawing scrolls the row of eight codes by one
    // and shows (so clears) the status; the set stays, the help view is turned off.
    Press(*display, OAPI_KEY_EQUALS, 7);
    Press(*display, OAPI_KEY_H);
    sim::DeviceContext dc(400, 400);
    display->Draw(dc);
    EXPECT_EQ(Fields(Selection(*display)), std::tuple(GLD, 0, FindVariable(GLD, "Vd"), 1, 0, 0, 0, 1));
}

TEST_F(Entry, InspectionOfAPageNotOfThisModuleTellsNothing) {
    ForeignPage foreign;
    for (const MFD* page : {static_cast<const MFD*>(&foreign), static_cast<const MFD*>(nullptr)}) {
        KalvoSelection selection{7, 7, 7, 7, 7, 7, 7, 7};
        EXPECT_FALSE(pageSelection(page, &selection));
        EXPECT_EQ(Fields(selection), std::tuple(7, 7, 7, 7, 7, 7, 7, 7));
        EXPECT_EQ(pageStatus(page), -1);
    }
}

}  // namespace
}  // namespace kalvo::test
