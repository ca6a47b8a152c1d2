// The stand-in host's own operations: dates, mode registry, input box, MFD base.
#include "sim/host/host.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The host's interface passes texts it only reads as char*.
int DateNumber(std::string date) { return Date2Int(date.data()); }

TEST(Date2Int, ReadsCompilerStyleDates) {
    EXPECT_EQ(DateNumber("Apr 25 2006"), 20060425);
    EXPECT_EQ(DateNumber("Jan  1 2000"), 20000101);
    EXPECT_EQ(DateNumber("Dec 31 1999"), 19991231);
    EXPECT_EQ(DateNumber("Foo 25 2006"), 0);
    EXPECT_EQ(DateNumber("Apr"), 0);
    EXPECT_EQ(DateNumber(""), 0);
    EXPECT_EQ(Date2Int(nullptr), 0);
}

OAPI_MSGTYPE NoInstance(UINT, UINT, WPARAM, LPARAM) { return 0; }

TEST(ModeRegistry, RegistersAndUnregistersById) {
    sim::ResetHostState();
    char firstName[] = "First";
    char secondName[] = "Second";
    MFDMODESPEC first{firstName, 18, NoInstance};
    MFDMODESPEC second{secondName, 19, NoInstance};
    const int a = oapiRegisterMFDMode(first);
    const int b = oapiRegisterMFDMode(second);
    EXPECT_NE(a, b);
    ASSERT_NE(sim::FindModeByKey(18), nullptr);
    EXPECT_EQ(sim::FindModeByKey(18)->name, "First");
    EXPECT_TRUE(oapiUnregisterMFDMode(a));
    EXPECT_FALSE(oapiUnregisterMFDMode(a));
    EXPECT_EQ(sim::FindModeByKey(18), nullptr);
    ASSERT_EQ(sim::RegisteredModes().size(), 1u);
    EXPECT_EQ(sim::RegisteredModes()[0].id, b);
    sim::ResetHostState();
}

struct Typed {
    std::string text;
    int calls = 0;
    bool close = true;
};

bool Remember(void*, char* text, void* user) {
    auto* typed = static_cast<Typed*>(user);
    typed->text = text;
    ++typed->calls;
    return typed->close;
}

TEST(InputBox, KeepsTitleAndCallbackUntilTyped) {
    sim::ResetHostState();
    Typed typed;
    EXPECT_FALSE(sim::TypeIntoInputBox("1"));
    char title[] = "Semi-Latus";
    oapiOpenInputBox(title, Remember, nullptr, 20, &typed);
    EXPECT_TRUE(sim::InputBox().open);
    EXPECT_EQ(sim::InputBox().title, "Semi-Latus");
    EXPECT_EQ(sim::InputBox().visibleWidth, 20);
    EXPECT_TRUE(sim::TypeIntoInputBox("6.5e6"));
    EXPECT_EQ(typed.text, "6.5e6");
    EXPECT_EQ(typed.calls, 1);
    EXPECT_FALSE(sim::InputBox().open);
}

TEST(InputBox, StaysOpenWhenTheCallbackSaysSo) {
    sim::ResetHostState();
    Typed typed;
    typed.close = false;
    char title[] = "Mass";
    oapiOpenInputBox(title, Remember, nullptr, 20, &typed);
    EXPECT_TRUE(sim::TypeIntoInputBox("x"));
    EXPECT_TRUE(sim::InputBox().open);
    sim::CancelInputBox();
    EXPECT_FALSE(sim::InputBox().open);
    EXPECT_EQ(typed.calls, 1);
}

class Blank : public MFD {
public:
    using MFD::MFD;
    void Update(HDC) override {}
    void AskForRedraw() { InvalidateDisplay(); }
};

TEST(MfdBase, CellSizeIsAFortiethAndATwentyFourthAtLeastAPixel) {
    Blank page(400, 256, nullptr);
    EXPECT_EQ(MfdHostAccess::CellWidth(page), 10);
    EXPECT_EQ(MfdHostAccess::CellHeight(page), 10);
    Blank tiny(10, 10, nullptr);
    EXPECT_EQ(MfdHostAccess::CellWidth(tiny), 1);
    EXPECT_EQ(MfdHostAccess::CellHeight(tiny), 1);
    EXPECT_FALSE(tiny.ConsumeKeyBuffered(13));
    EXPECT_EQ(tiny.ButtonLabel(0), nullptr);
    EXPECT_EQ(tiny.ButtonMenu(nullptr), 0);
}

TEST(MfdBase, RecordsRedrawRequests) {
    Blank page(400, 400, nullptr);
    EXPECT_EQ(MfdHostAccess::RedrawRequests(page), 0u);
    page.AskForRedraw();
    page.AskForRedraw();
    EXPECT_EQ(MfdHostAccess::RedrawRequests(page), 2u);
    MfdHostAccess::ClearRedrawRequests(page);
    EXPECT_EQ(MfdHostAccess::RedrawRequests(page), 0u);
}

}  // namespace
