// INC: plane changes, continuous and by one impulse.
#include "tests/support/solver_cases.h"

namespace kalvo {
namespace {

using test::SolveCase;

// Worked by hand with the page's pi of 3.1415926: DV = Vc Di (radians) and
// DV = Vc sqrt(2 (1 - cos Di)); arccos of 1/2 and -1 come out a little past 60 and 180.
const SolveCase kCases[] = {
    {0, "DV", {{"Vc", 7800}, {"Di", 10}}, kSolved, 1361.35679333, 1e-10},
    {0, "DV", {{"Vc", 7800}, {"Di", INFINITY}}, kSolved, INFINITY},  // no guard
    {0, "Vc", {{"DV", 100}, {"Di", 0}}, kError},
    {0, "Di", {{"DV", 100}, {"Vc", 0}}, kError},
    {1, "DV", {{"Vc", 7800}, {"Di", 60}}, kSolved, 7799.99987933, 1e-10},
    {1, "Di", {{"DV", 7800}, {"Vc", 7800}}, kSolved, 60.0000010235, 1e-10},
    {1, "Di", {{"DV", -7800}, {"Vc", 7800}}, kSolved, 60.0000010235, 1e-10},  // the sign of DV does not matter
    {1, "Di", {{"DV", 15600}, {"Vc", -7800}}, kSolved, 180.000003070, 1e-10},
    {1, "Di", {{"DV", 15600.001}, {"Vc", 7800}}, kError},
    {1, "Di", {{"DV", 100}, {"Vc", 0}}, kError},
    {1, "Vc", {{"DV", 100}, {"Di", 0}}, kError},
};

TEST(InclinationSolvers, PlaneChangesAndGuards) { test::ExpectCases(INC, kCases); }

}  // namespace
}  // namespace kalvo
