// LNC: vertical launch to cut-off, the coast above it, and launch azimuths.
#include "tests/support/solver_cases.h"

namespace kalvo {
namespace {

using test::SolveCase;

// An Earth launch at 30 m/s^2 from the surface (6371 km) that coasts up to
// 7000 km from the centre. The cut-off rme is the larger root of
// ap rma rme^2 + (G M - ap rs rma) rme - G M rma = 0, worked by hand; the burn
// time is sqrt(2 (rme - rs) / ap) and the cut-off speed sqrt(2 G M (1/rme - 1/rma)).
// Solving each back from the others is in consistency_test.cpp.
constexpr double M = 5.9736e24;
constexpr double rs = 6371000;
constexpr double rma = 7000000;
constexpr double rme = 6512942.954215337;

const SolveCase kCases[] = {
    {0, "rme", {{"M", M}, {"ap", 30}, {"rs", rs}, {"rma", rma}}, kSolved, 6512942.95422, 1e-10},
    {0, "rme", {{"M", M}, {"ap", -10}, {"rs", rs}, {"rma", rma}}, kError},  // negative discriminant
    {0, "rme", {{"M", M}, {"ap", 0}, {"rs", rs}, {"rma", rma}}, kError},    // no burn, no root
    {0, "ap", {{"rme", rs}, {"M", M}, {"rs", rs}, {"rma", rma}}, kError},
    {0, "ap", {{"rme", rme}, {"M", M}, {"rs", rs}, {"rma", 0}}, kError},
    {0, "ap", {{"rme", 0}, {"M", M}, {"rs", rs}, {"rma", rma}}, kError},
    {0, "rma", {{"rme", rs}, {"M", 0}, {"ap", 30}, {"rs", rs}}, kError},  // zero denominator
    {1, "tme", {{"rme", rme}, {"ap", 30}, {"rs", rs}}, kSolved, 97.2772512685, 1e-10},
    {1, "ap", {{"tme", 0}, {"rme", rme}, {"rs", rs}}, kError},
    {1, "tme", {{"rme", rme}, {"ap", 0}, {"rs", rs}}, kError},
    {1, "tme", {{"rme", rs - 1}, {"ap", 30}, {"rs", rs}}, kError},  // cut-off below the surface
    {2, "Vme", {{"rme", rme}, {"M", M}, {"rma", rma}}, kSolved, 2918.31753806, 1e-10},
    {2, "Vme", {{"rme", rma}, {"M", M}, {"rma", rma}}, kSolved, 0},
    {2, "rme", {{"Vme", 0}, {"M", 0}, {"rma", rma}}, kError},
    {2, "rma", {{"Vme", 0}, {"M", 0}, {"rme", rme}}, kError},
    {2, "Vme", {{"rme", 0}, {"M", M}, {"rma", rma}}, kError},
    {2, "Vme", {{"rme", rma}, {"M", M}, {"rma", rme}}, kError},  // the coast cannot end below cut-off
};

TEST(LaunchSolvers, CutOffCoastAndGuards) { test::ExpectCases(LNC, kCases); }

TEST(LaunchSolvers, EitherAzimuthWritesBoth) {
    // sin Az = cos 51.6 / cos 28.5 with the page's pi, and its mirror 180 - Az.
    for (const std::string_view target : {"Az1", "Az2"}) {
        const auto outcome = test::Solve(LNC, 3, target, {{"Inc", 51.6}, {"Lat", 28.5}}, {"Az1", "Az2"});
        EXPECT_EQ(outcome.status, kSolved);
        EXPECT_TRUE(test::Near(outcome.cells[Var(LNC, "Az1")], 44.9751347120, 1e-10)) << target;
        EXPECT_TRUE(test::Near(outcome.cells[Var(LNC, "Az2")], 135.024865288, 1e-10)) << target;
    }
}

TEST(LaunchSolvers, AnUnreachableInclinationWritesNeitherAzimuth) {
    // The harness checks that no cell changes on an error.
    for (const std::string_view target : {"Az1", "Az2"}) {
        EXPECT_EQ(test::Solve(LNC, 3, target, {{"Inc", 10}, {"Lat", 28.5}}).status, kError);   // sine 1.12
        EXPECT_EQ(test::Solve(LNC, 3, target, {{"Inc", 179}, {"Lat", 28.5}}).status, kError);  // sine -1.14
        // cos 90 degrees is 2.68e-8 with the short pi, not 0: the range guard refuses it.
        EXPECT_EQ(test::Solve(LNC, 3, target, {{"Inc", 51.6}, {"Lat", 90}}).status, kError);
        EXPECT_EQ(test::Solve(LNC, 3, target, {{"Inc", 51.6}, {"Lat", NAN}}).status, kError);
    }
}

}  // namespace
}  // namespace kalvo
