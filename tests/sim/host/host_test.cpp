// The stand-in host's own operations at their edges: dates, display sizes, and the
// simulation queries out of range or without bodies (the values
// they give are checked through the page's readings).
#include "sim/host/host.h"

#include <gtest/gtest.h>

#include <numbers>
#include <string>

#include "sim/host/display.h"
#include "sim/world/world.h"

namespace {

// The host's interface passes texts it only reads as char*: each case is a copy.
TEST(Date2Int, ReadsCompilerStyleDates) {
    // clang-format off
    const std::pair<std::string, int> cases[] = {
        {"Apr 25 2006", 20060425}, {"Jan  1 2000", 20000101}, {"Dec 31 1999", 19991231},
        {"Foo 25 2006", 0}, {"Apr", 0}, {"", 0}};
    // clang-format on
    for (auto [date, number] : cases) EXPECT_EQ(Date2Int(date.data()), number) << date;
    EXPECT_EQ(Date2Int(nullptr), 0);
}

OAPI_MSGTYPE NoPage(UINT, UINT, WPARAM, LPARAM) { return 0; }

// Sizes a message procedure's 16-bit halves can carry; without a mode, or with one
// that gives no page, nothing.
TEST(Display, SizesAndNoMode) {
    for (const auto& [width, height] : {std::pair<DWORD, DWORD>{0, 100}, {100, 0}, {65536, 100}, {100, 65536}})
        EXPECT_THROW(sim::Display(width, height), std::invalid_argument) << width << "x" << height;
    sim::Display display(65535, 65535);
    EXPECT_FALSE(display.SelectMode(0xABCD));
    char name[] = "Pageless";
    MFDMODESPEC mode{name, 0x72, NoPage};
    const int pageless = oapiRegisterMFDMode(mode);
    EXPECT_FALSE(display.SelectMode(0x72));
    EXPECT_EQ(display.ModeId(), 0);
    EXPECT_TRUE(oapiUnregisterMFDMode(pageless));
    EXPECT_FALSE(oapiUnregisterMFDMode(pageless));
    EXPECT_FALSE(display.PressKey(13));
    EXPECT_FALSE(display.ClickButton(0));
    EXPECT_TRUE(display.ButtonLabels().empty());
    EXPECT_EQ(display.ButtonMenu(nullptr), 0);
    EXPECT_FALSE(display.TakeRedrawRequest());
    display.Draw(nullptr);
}

class Blank : public MFD {
public:
    using MFD::MFD;
    void Update(HDC) override {}
};

// A cell is a fortieth of the width and a twenty-fourth of the height, at least a pixel.
TEST(MfdBase, CellsOfAtLeastAPixel) {
    const Blank tiny(39, 23, nullptr);
    EXPECT_EQ((std::pair{MfdHostAccess::CellWidth(tiny), MfdHostAccess::CellHeight(tiny)}), (std::pair{1, 1}));
}

TEST(Queries, HandlesOutOfRangeTheTurningEarthAndNoBodies) {
    sim::World& world = sim::TheWorld();
    world = sim::World{};
    world.bodies = {{"Earth", 5.9736e24, 6.371e6, 86164, {0, 0, 0}, {0, 0, 0}}};
    world.focus.tank = {4000, 0.9};
    world.focus.mainThrusters = {{100000, 30000}};
    world.focus.position = {7e6, 0, 0};
    const OBJHANDLE ship = oapiGetFocusObject();
    EXPECT_EQ(oapiGetGbodyByIndex(1), nullptr);
    EXPECT_EQ(oapiGetGbodyByIndex(-1), nullptr);
    EXPECT_EQ(oapiGetPropellantHandle(ship, 1), nullptr);
    VESSEL* vessel = oapiGetFocusInterface();
    EXPECT_EQ(vessel->GetGroupThrusterCount(THGROUP_RETRO), 0u);
    EXPECT_EQ(vessel->GetGroupThruster(THGROUP_MAIN, 1), nullptr);
    // A quarter of a day on the vessel stands a quarter turn west of where it was.
    double longitude, latitude, radius;
    world.time = 86164 / 4.0;
    ASSERT_TRUE(oapiGetFocusEquPos(&longitude, &latitude, &radius));
    EXPECT_NEAR(longitude, -std::numbers::pi / 2, 1e-12);
    // Without bodies, none, and the outputs untouched.
    world.bodies.clear();
    double a = 1;
    VECTOR3 air{4, 0, 0};
    EXPECT_FALSE(oapiGetFocusEquPos(&a, &a, &a));
    EXPECT_FALSE(oapiGetFocusAltitude(&a));
    EXPECT_FALSE(oapiGetFocusAirspeedVector(&air));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(air.x, 4);
    world = sim::World{};
}

}  // namespace
