// MOV: distance, speed change and its components.
#include "tests/support/solver_cases.h"

namespace kalvo {
namespace {

using test::SolveCase;

const SolveCase kCases[] = {
    // r = DV^2 / (2 ap)
    {0, "r", {{"DV", 100}, {"ap", 2}}, kSolved, 2500},
    {0, "r", {{"DV", 100}, {"ap", 0}}, kError},
    {0, "DV", {{"r", -1}, {"ap", 2}}, kError},
    {0, "ap", {{"r", -1}, {"DV", 100}}, kError},
    // r = 0 passes the guard of ap: the quotient is stored as it falls.
    {0, "ap", {{"r", 0}, {"DV", 100}}, kSolved, INFINITY},
    {0, "ap", {{"r", 0}, {"DV", 0}}, kSolved, NAN},
    // DV = sqrt(DVt^2 + DVr^2), a 3-4-5 triangle.
    {2, "DVt", {{"DV", 5}, {"DVr", 3}}, kSolved, 4},
    {2, "DVr", {{"DV", 5}, {"DVt", -4}}, kSolved, 3},
    {2, "DVt", {{"DV", 3}, {"DVr", 5}}, kError},
    {2, "DVr", {{"DV", 3}, {"DVt", 5}}, kError},
    {2, "DV", {{"DVt", NAN}, {"DVr", 4}}, kError},
};

TEST(ManoeuvreSolvers, DistancesSpeedsAndGuards) { test::ExpectCases(MOV, kCases); }

}  // namespace
}  // namespace kalvo
