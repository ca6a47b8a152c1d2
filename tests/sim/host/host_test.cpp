// The stand-in host's own operations: dates, mode registry, input box, MFD base,
// displays, and its answers to the simulation queries.
#include "sim/host/host.h"

#include <gtest/gtest.h>

#include <cmath>
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

// Modes by id and key; a display takes only a mode that gives it a page.
TEST(ModeRegistry, RegistersUnregistersAndOpensById) {
    sim::ResetHostState();
    char firstName[] = "First", secondName[] = "Second";
    MFDMODESPEC first{firstName, OAPI_KEY_E, NoPage}, second{secondName, OAPI_KEY_R, NoPage};
    const int a = oapiRegisterMFDMode(first);
    const int b = oapiRegisterMFDMode(second);
    EXPECT_NE(a, b);
    ASSERT_NE(sim::FindModeByKey(OAPI_KEY_E), nullptr);
    EXPECT_EQ(sim::FindModeByKey(OAPI_KEY_E)->name, "First");
    sim::Display display(400, 400);
    EXPECT_FALSE(display.SelectMode(18));
    EXPECT_EQ(display.ModeId(), 0);
    EXPECT_EQ(display.Page(), nullptr);
    EXPECT_TRUE(oapiUnregisterMFDMode(a));
    EXPECT_FALSE(oapiUnregisterMFDMode(a));
    EXPECT_EQ(sim::FindModeByKey(OAPI_KEY_E), nullptr);
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

// The box keeps its title and callback until typed into, and stays open when the
// callback says so.
TEST(InputBox, ClosesWhenTheCallbackSaysSo) {
    for (const bool close : {true, false}) {
        sim::ResetHostState();
        Typed typed{"", 0, close};
        EXPECT_FALSE(sim::TypeIntoInputBox("1"));
        char title[] = "Semi-Latus";
        oapiOpenInputBox(title, Remember, nullptr, 20, &typed);
        EXPECT_TRUE(sim::InputBox().open);
        EXPECT_EQ(sim::InputBox().title, "Semi-Latus");
        EXPECT_EQ(sim::InputBox().visibleWidth, 20);
        EXPECT_TRUE(sim::TypeIntoInputBox("6.5e6"));
        EXPECT_EQ(typed.text, "6.5e6");
        EXPECT_EQ(typed.calls, 1);
        EXPECT_EQ(sim::InputBox().open, !close);
        sim::CancelInputBox();
        EXPECT_FALSE(sim::InputBox().open);
        EXPECT_EQ(typed.calls, 1);
    }
}

class Blank : public MFD {
public:
    using MFD::MFD;
    void Update(HDC) override {}
    void AskForRedraw() { InvalidateDisplay(); }
};

// A cell is a fortieth of the width and a twenty-fourth of the height, at least a
// pixel; the base takes no key or button and counts the redraws asked for.
TEST(MfdBase, CellsAndRedrawRequests) {
    Blank page(400, 256, nullptr), tiny(10, 10, nullptr);
    EXPECT_EQ(MfdHostAccess::CellWidth(page), 10);
    EXPECT_EQ(MfdHostAccess::CellHeight(page), 10);
    EXPECT_EQ(MfdHostAccess::CellWidth(tiny), 1);
    EXPECT_EQ(MfdHostAccess::CellHeight(tiny), 1);
    EXPECT_FALSE(tiny.ConsumeKeyBuffered(13));
    EXPECT_EQ(tiny.ButtonLabel(0), nullptr);
    EXPECT_EQ(tiny.ButtonMenu(nullptr), 0);
    EXPECT_EQ(MfdHostAccess::RedrawRequests(page), 0u);
    page.AskForRedraw();
    page.AskForRedraw();
    EXPECT_EQ(MfdHostAccess::RedrawRequests(page), 2u);
    MfdHostAccess::ClearRedrawRequests(page);
    EXPECT_EQ(MfdHostAccess::RedrawRequests(page), 0u);
}

// Sizes a message procedure's 16-bit halves can carry; without a mode, nothing.
TEST(Display, SizesAndNoMode) {
    for (const auto& [width, height] : {std::pair<DWORD, DWORD>{0, 100}, {100, 0}, {65536, 100}, {100, 65536}})
        EXPECT_THROW(sim::Display(width, height), std::invalid_argument) << width << "x" << height;
    sim::Display display(65535, 65535);
    EXPECT_EQ(display.Width(), 65535u);
    EXPECT_FALSE(display.SelectMode(0xABCD));
    EXPECT_FALSE(display.PressKey(13));
    EXPECT_FALSE(display.ClickButton(0));
    EXPECT_TRUE(display.ButtonLabels().empty());
    EXPECT_EQ(display.ButtonMenu(nullptr), 0);
    EXPECT_FALSE(display.TakeRedrawRequest());
    display.Draw(nullptr);
}

class Queries : public ::testing::Test {
protected:
    void SetUp() override {
        sim::World& world = sim::TheWorld();
        world = sim::World{};
        world.bodies = {{"Sun", 1.989e30, 6.96e8, 2.2e6, {-1.496e11, 0, 0}, {0, -29780, 0}},
                        {"Earth", 5.9736e24, 6.371e6, 86164, {0, 0, 0}, {0, 0, 0}}};
        sim::Vessel& ship = world.focus;
        ship.emptyMass = 10000;
        ship.loadMass = 500;
        ship.tank = {4000, 0.9};
        ship.mainThrusters = {{100000, 30000}, {50000, 31000}};
        ship.position = {7e6, 0, 0};
        ship.velocity = {0, 7500, 100};
    }
    void TearDown() override { sim::TheWorld() = sim::World{}; }
};

TEST_F(Queries, BodiesVesselAndEngines) {
    const OBJHANDLE earth = oapiGetGbodyByIndex(1), ship = oapiGetFocusObject();
    EXPECT_EQ(oapiGetGbodyCount(), 2u);
    EXPECT_EQ(oapiGetGbodyByIndex(2), nullptr);
    EXPECT_EQ(oapiGetGbodyByIndex(-1), nullptr);
    EXPECT_EQ(oapiGetMass(earth), 5.9736e24);
    EXPECT_EQ(oapiGetSize(earth), 6.371e6);
    EXPECT_EQ(oapiGetPlanetPeriod(earth), 86164);
    EXPECT_EQ(oapiGetMass(ship), 14500);
    EXPECT_EQ(oapiGetEmptyMass(ship), 10000);
    EXPECT_EQ(oapiGetPropellantMass(oapiGetPropellantHandle(ship, 0)), 4000);
    EXPECT_EQ(oapiGetPropellantHandle(ship, 1), nullptr);
    VESSEL* vessel = oapiGetFocusInterface();
    ASSERT_EQ(vessel->GetGroupThrusterCount(THGROUP_MAIN), 2u);
    EXPECT_EQ(vessel->GetGroupThrusterCount(THGROUP_RETRO), 0u);
    EXPECT_EQ(vessel->GetThrusterMax(vessel->GetGroupThruster(THGROUP_MAIN, 1)), 50000);
    EXPECT_EQ(vessel->GetThrusterIsp(vessel->GetGroupThruster(THGROUP_MAIN, 0)), 30000);
    EXPECT_EQ(vessel->GetGroupThruster(THGROUP_MAIN, 2), nullptr);
    EXPECT_EQ(vessel->GetPropellantEfficiency(oapiGetPropellantHandle(ship, 0)), 0.9);
}

TEST_F(Queries, SurfaceRelativeValuesOnTheRotatingEarth) {
    double longitude, latitude, radius, altitude;
    VECTOR3 air;
    ASSERT_TRUE(oapiGetFocusEquPos(&longitude, &latitude, &radius));
    EXPECT_DOUBLE_EQ(longitude, 0);
    EXPECT_DOUBLE_EQ(latitude, 0);
    EXPECT_DOUBLE_EQ(radius, 7e6);
    ASSERT_TRUE(oapiGetFocusAltitude(&altitude));
    EXPECT_DOUBLE_EQ(altitude, 7e6 - 6.371e6);
    ASSERT_TRUE(oapiGetFocusAirspeedVector(&air));
    // Over the equator heading east: the surface moves east at 2 pi r / period.
    EXPECT_NEAR(air.x, 7500 - 2 * std::numbers::pi * 7e6 / 86164, 1e-9);
    EXPECT_NEAR(air.y, 0, 1e-9);
    EXPECT_NEAR(air.z, 100, 1e-9);
    // A quarter of a day later the vessel stands a quarter turn west of where it was.
    sim::TheWorld().time = 86164 / 4.0;
    ASSERT_TRUE(oapiGetFocusEquPos(&longitude, &latitude, &radius));
    EXPECT_NEAR(longitude, -std::numbers::pi / 2, 1e-12);
    // Without bodies, none, and the outputs untouched.
    sim::TheWorld().bodies.clear();
    double a = 1;
    air.x = 4;
    EXPECT_FALSE(oapiGetFocusEquPos(&a, &a, &a));
    EXPECT_FALSE(oapiGetFocusAltitude(&a));
    EXPECT_FALSE(oapiGetFocusAirspeedVector(&air));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(air.x, 4);
}

}  // namespace
