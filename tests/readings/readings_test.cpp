// Readings of the simulation against a world set up here and values worked by hand.
#include "readings/readings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "catalogue/status.h"
#include "sim/world/world.h"
#include "tests/support/page_probe.h"
#include "tests/support/solver_harness.h"

namespace kalvo {
namespace {

using test::kUntouched;  // every cell starts here, so a stray write shows
using test::Near;

constexpr double kPlanetPeriod = 86400;

// The first equation of directory d that offers variable v.
int EquationOffering(int d, int v) {
    for (int e = 0; e < EquationCount(d); ++e) {
        const VariableNumbers list = EquationVariableNumbers(d, e);
        for (int k = 0; k < list.count; ++k)
            if (list.number[k] == v + 1) return e;
    }
    return -1;
}

class Readings : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& set : ValueStore)
            for (auto& directory : set) directory.fill(kUntouched);
        sim::World& world = sim::TheWorld();
        world = sim::World{};
        // A far sun first, so the planet has to win the reference on its score.
        world.bodies = {{"Sun", 2e30, 7e8, 2.2e6, {-1.5e11, 0, 0}, {0, -3e4, 0}},
                        {"Planet", 6e24, 4e6, kPlanetPeriod, {1000, -2000, 500}, {10, 20, -30}}};
        sim::Vessel& ship = world.focus;
        ship.emptyMass = 10000;
        ship.loadMass = 500;
        ship.tank = {4000, 0.9};
        ship.mainThrusters = {{100000, 30000}, {50000, 31000}};
        Place({3e6, 0, 4e6}, {1000, 500, 3000});
    }
    // Puts the vessel at `p`, moving at `v`, relative to the planet.
    static void Place(sim::Vec3 p, sim::Vec3 v) {
        sim::World& world = sim::TheWorld();
        world.focus.position = world.bodies[1].position + p;
        world.focus.velocity = world.bodies[1].velocity + v;
    }

    // Runs Get System Value on the variable `symbol` of d, in variable set `set`.
    int Get(Directory d, std::string_view symbol, int set = 0) {
        const int v = FindVariable(d, symbol);
        page.Select(d, EquationOffering(d, v), symbol, set);
        page.ConsumeKeyBuffered(OAPI_KEY_G);
        return page.Status();
    }
    double Cell(Directory d, std::string_view symbol, int set = 0) {
        return ValueStore[set][d][FindVariable(d, symbol)];
    }

    test::FreshModuleState fresh_;
    test::PageProbe page;
};

// The vessel at (3e6, 0, 4e6) m from the planet's centre, at (1000, 500, 3000) m/s:
// r = 5e6, r.v / r = 3000 radial, |v|^2 = 10.25e6 = Vt^2 + Vr^2. The planet turns at
// w = 2 pi / 86400: the air moves east at w times the 3e6 m from its axis. The local
// horizon there: up (0.6, 0, 0.8), east (0, 1, 0), north (-0.8, 0, 0.6).
TEST_F(Readings, EveryReadingFillsItsCellInTheCurrentSetOnly) {
    const double eastAirspeed = 500 - 2 * std::numbers::pi / kPlanetPeriod * 3e6;
    const double groundSpeed = std::hypot(eastAirspeed, -0.8 * 1000 + 0.6 * 3000);
    const struct {
        Directory d;
        std::string_view symbol;
        double expected;
    } cases[] = {
        // clang-format off
        {ORB, "r", 5e6}, {ORB, "Vt", std::sqrt(10.25e6 - 3000.0 * 3000.0)}, {ORB, "Vr", 3000},
        {ORB, "V", std::sqrt(10.25e6)}, {ORB, "M", 6e24},
        {FUE, "ms", 10000}, {FUE, "ml", 500}, {FUE, "mi", 4000}, {FUE, "THR", 150000},
        {FUE, "Isp", 30000 * 0.9},  // the first engine's, times the tank's efficiency
        {MOV, "ap", 150000.0 / 14500},
        {LNC, "M", 6e24}, {LNC, "rs", 4e6}, {LNC, "Lat", std::atan2(4.0, 3.0) * 180 / 3.1415926},
        {RNT, "T", kPlanetPeriod},
        {GLD, "h", 1e6}, {GLD, "Vd", groundSpeed}, {GLD, "Vh", 0.6 * 1000 + 0.8 * 3000},
        {GLD, "a", std::atan2(3000, groundSpeed) * 180 / 3.1415926},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << kCatalogue[c.d].code << " " << c.symbol);
        const ValueStoreCells before = ValueStore;
        page.SetStatus(3);
        EXPECT_EQ(Get(c.d, c.symbol, 1), kSolved);
        EXPECT_TRUE(Near(Cell(c.d, c.symbol, 1), c.expected, 1e-13));
        ValueStoreCells expected = before;
        expected[1][c.d][FindVariable(c.d, c.symbol)] = Cell(c.d, c.symbol, 1);
        EXPECT_EQ(ValueStore, expected);
    }
}

TEST_F(Readings, GetWithoutAReadingChangesNothing) {
    for (int d = 0; d < kDirectoryCount; ++d)
        for (int v = 0; v < VariableCount(d); ++v) {
            const VariableRow& row = kCatalogue[d].variables[v];
            if (row.fetchable || EquationOffering(d, v) < 0) continue;  // G is in no equation
            page.SetStatus(3);
            const ValueStoreCells before = ValueStore;
            EXPECT_EQ(Get(static_cast<Directory>(d), row.symbol), 3) << kCatalogue[d].code << " " << row.symbol;
            EXPECT_EQ(ValueStore, before) << kCatalogue[d].code << " " << row.symbol;
        }
}

TEST_F(Readings, SignsAndAnglesAsTheHostGivesThem) {
    sim::TheWorld().bodies[1].rotationPeriod = 0;  // air and ground move together
    // Over the equator: up (1, 0, 0), east (0, 1, 0), north (0, 0, 1).
    const struct {
        const char* what;
        sim::Vec3 p, v;
        std::string_view symbol;
        double expected;
    } cases[] = {
        {"radial velocity from all three axes", {2e6, 2e6, 1e6}, {100, 200, -300}, "Vr", 100},
        // p x v = (-8e8, 7e8, 2e8), |p x v| = 1e8 sqrt(117), r = 3e6.
        {"tangential velocity from all three axes",
         {2e6, 2e6, 1e6},
         {100, 200, -300},
         "Vt",
         100 * std::sqrt(117.0) / 3},
        {"sinking: vertical speed negative", {5e6, 0, 0}, {-10, 100, 0}, "Vh", -10},
        {"sinking: glide angle positive", {5e6, 0, 0}, {-10, 100, 0}, "a", 5.71059323491},
    };
    for (const auto& c : cases) {
        Place(c.p, c.v);
        const Directory d = c.symbol == "Vr" || c.symbol == "Vt" ? ORB : GLD;
        EXPECT_EQ(Get(d, c.symbol), kSolved) << c.what;
        // The expected angles are given to 12 digits.
        EXPECT_TRUE(Near(Cell(d, c.symbol), c.expected, 1e-11)) << c.what;
    }
}

TEST(ReferenceBody, GreatestMassOverSquaredDistance) {
    const test::FreshModuleState fresh;
    using Bodies = std::vector<std::pair<double, sim::Vec3>>;  // mass, place; the vessel at the origin
    const struct {
        const char* what;
        Bodies bodies;
        int expected;  // index, -1 for none
    } cases[] = {
        {"equal scores keep the first", {{1e24, {1e6, 0, 0}}, {4e24, {0, 2e6, 0}}}, 0},
        {"the last body can win", {{1e24, {1e9, 0, 0}}, {1e24, {2e9, 0, 0}}, {1e20, {1e3, 0, 0}}}, 2},
        {"no mass scores 0", {{0, {1, 0, 0}}, {1e22, {1e9, 0, 0}}}, 1},
        {"at zero distance a body scores infinity", {{6e24, {1e6, 0, 0}}, {1, {0, 0, 0}}}, 1},
        {"a first body scoring NaN gives way", {{0, {0, 0, 0}}, {1e22, {1e9, 0, 0}}}, 1},
        {"a later NaN never wins", {{1e22, {1e9, 0, 0}}, {0, {0, 0, 0}}}, 0},
        {"no body at all", {}, -1},
    };
    for (const auto& c : cases) {
        sim::World& world = sim::TheWorld();
        world = sim::World{};
        for (const auto& [mass, place] : c.bodies) world.bodies.push_back({"Body", mass, 1, 0, place, {}});
        EXPECT_EQ(FindReferenceBody(), c.expected < 0 ? nullptr : oapiGetGbodyByIndex(c.expected)) << c.what;
    }
}

// At the body's centre the velocities fail; without main engines Isp is not
// applicable. Get All's sums of such codes are checked below and through the
// page's Get All command.
TEST_F(Readings, FailedReadingsWriteNothing) {
    Place({0, 0, 0}, {1, 2, 3});
    EXPECT_EQ(Get(ORB, "r"), kSolved);
    EXPECT_EQ(Cell(ORB, "r"), 0);
    EXPECT_EQ(Get(ORB, "Vt"), kError);
    EXPECT_EQ(Get(ORB, "Vr"), kError);
    EXPECT_EQ(Cell(ORB, "Vt"), kUntouched);
    EXPECT_EQ(Cell(ORB, "Vr"), kUntouched);
    sim::TheWorld().focus.mainThrusters.clear();
    EXPECT_EQ(Get(FUE, "Isp"), kNotApplicable);
    EXPECT_EQ(Cell(FUE, "Isp"), kUntouched);
    EXPECT_EQ(Get(MOV, "ap"), kSolved);
    EXPECT_EQ(Cell(MOV, "ap"), 0);
}

// The simulator's 2024 release leaves the output of its relative position and
// velocity queries unwritten for a body without a state: a reading then fails and
// writes nothing, and the reference-body search passes over that body.
TEST_F(Readings, UnwrittenPositionsAndVelocitiesFailAndAreNeverRead) {
    sim::TheWorld().bodies[1].stateless = true;
    // The sun's score is all that is left: it becomes the reference body.
    EXPECT_EQ(FindReferenceBody(), oapiGetGbodyByIndex(0));
    EXPECT_EQ(Get(ORB, "M"), kSolved);
    EXPECT_EQ(Cell(ORB, "M"), 2e30);

    sim::TheWorld().bodies[0].stateless = true;  // no body has a state: the first stays the candidate
    EXPECT_EQ(FindReferenceBody(), oapiGetGbodyByIndex(0));
    for (const std::string_view symbol : {"r", "Vt", "Vr", "V"}) {
        page.SetStatus(0);
        EXPECT_EQ(Get(ORB, symbol), kError) << symbol;
        EXPECT_EQ(Cell(ORB, symbol), kUntouched) << symbol;
    }
}

// Beside 500 kg of load and 4000 kg of fuel, an empty mass of -4500 kg leaves none.
TEST_F(Readings, PropelledAccNeedsAPositiveMass) {
    for (const auto& [emptyMass, status] : {std::pair{10000.0, kSolved}, {-4500.0, kError}, {NAN, kError}}) {
        ValueStore[0][MOV][Var(MOV, "ap")] = kUntouched;
        sim::TheWorld().focus.emptyMass = emptyMass;
        EXPECT_EQ(Get(MOV, "ap"), status) << emptyMass;
        EXPECT_EQ(Cell(MOV, "ap") != kUntouched, status == kSolved) << emptyMass;
    }
}

TEST_F(Readings, GetAllSumsItsDirectorysCodesAndWithoutBodiesTheyAreNotAvailable) {
    sim::TheWorld().bodies.clear();
    // Readings that need a body or the host's surface values: 2 each.
    const std::pair<Directory, int> cases[] = {{BOP, 1}, {ORB, 1 + 5 * 2}, {ESC, 1},     {FUE, 1},        {INC, 1},
                                               {MOV, 0}, {LNC, 1 + 3 * 2}, {RNT, 1 + 2}, {GLD, 1 + 4 * 2}};
    for (const auto& [d, status] : cases) {
        page.Select(d, 0, kCatalogue[d].variables[EquationVariableNumbers(d, 0).number[0] - 1].symbol);
        page.SetStatus(kError);
        const ValueStoreCells before = ValueStore;
        page.ConsumeKeyBuffered(OAPI_KEY_A);
        EXPECT_EQ(page.Status(), status) << kCatalogue[d].code;
        // Only FUE and MOV, which need no body, write anything.
        if (d != FUE && d != MOV) {
            EXPECT_EQ(ValueStore, before) << kCatalogue[d].code;
        }
    }
    EXPECT_EQ(Cell(FUE, "THR"), 150000);
}

}  // namespace
}  // namespace kalvo
