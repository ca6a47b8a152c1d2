// The stand-in host's answers to the simulation queries, from a world set up here.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sim/world/world.h"

namespace {

class Queries : public ::testing::Test {
protected:
    void SetUp() override {
        sim::World& world = sim::TheWorld();
        world = sim::World{};
        world.bodies = {
            {"Sun", 1.989e30, 6.96e8, 2.2e6, {-1.496e11, 0, 0}, {0, -29780, 0}},
            {"Earth", 5.9736e24, 6.371e6, 86164, {0, 0, 0}, {0, 0, 0}},
        };
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

TEST_F(Queries, MassesSizesAndPeriods) {
    const OBJHANDLE earth = oapiGetGbodyByIndex(1);
    EXPECT_EQ(oapiGetGbodyCount(), 2u);
    EXPECT_EQ(oapiGetGbodyByIndex(2), nullptr);
    EXPECT_EQ(oapiGetGbodyByIndex(-1), nullptr);
    EXPECT_EQ(oapiGetMass(earth), 5.9736e24);
    EXPECT_EQ(oapiGetSize(earth), 6.371e6);
    EXPECT_EQ(oapiGetPlanetPeriod(earth), 86164);
    EXPECT_EQ(oapiGetMass(oapiGetFocusObject()), 14500);
    EXPECT_EQ(oapiGetEmptyMass(oapiGetFocusObject()), 10000);
    const PROPELLANT_HANDLE tank = oapiGetPropellantHandle(oapiGetFocusObject(), 0);
    EXPECT_EQ(oapiGetPropellantMass(tank), 4000);
    EXPECT_EQ(oapiGetPropellantHandle(oapiGetFocusObject(), 1), nullptr);
}

TEST_F(Queries, MainEngines) {
    VESSEL* vessel = oapiGetFocusInterface();
    ASSERT_EQ(vessel->GetGroupThrusterCount(THGROUP_MAIN), 2u);
    EXPECT_EQ(vessel->GetGroupThrusterCount(THGROUP_RETRO), 0u);
    EXPECT_EQ(vessel->GetThrusterMax(vessel->GetGroupThruster(THGROUP_MAIN, 1)), 50000);
    EXPECT_EQ(vessel->GetThrusterIsp(vessel->GetGroupThruster(THGROUP_MAIN, 0)), 30000);
    EXPECT_EQ(vessel->GetGroupThruster(THGROUP_MAIN, 2), nullptr);
    EXPECT_EQ(vessel->GetPropellantEfficiency(oapiGetPropellantHandle(oapiGetFocusObject(), 0)), 0.9);
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
    const double surface = 2 * std::numbers::pi * 7e6 / 86164;
    EXPECT_NEAR(air.x, 7500 - surface, 1e-9);
    EXPECT_NEAR(air.y, 0, 1e-9);
    EXPECT_NEAR(air.z, 100, 1e-9);

    // A quarter of a day later the vessel stands a quarter turn west of where it was.
    sim::TheWorld().time = 86164 / 4.0;
    ASSERT_TRUE(oapiGetFocusEquPos(&longitude, &latitude, &radius));
    EXPECT_NEAR(longitude, -std::numbers::pi / 2, 1e-12);
}

TEST_F(Queries, NoBodiesNoSurfaceValues) {
    sim::TheWorld().bodies.clear();
    double a = 1, b = 2, c = 3;
    VECTOR3 air{4, 5, 6};
    EXPECT_FALSE(oapiGetFocusEquPos(&a, &b, &c));
    EXPECT_FALSE(oapiGetFocusAltitude(&a));
    EXPECT_FALSE(oapiGetFocusAirspeedVector(&air));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(air.x, 4);
}

}  // namespace
