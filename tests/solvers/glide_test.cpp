// GLD: the glide angle from speeds or from height and distance.
#include "tests/support/solver_cases.h"

namespace kalvo {
namespace {

using test::SolveCase;

// Worked by hand with the page's pi of 3.1415926: a = atan2(Vh, Vd) * 180 / pi,
// Vh = tan(a) Vd; tan 180 degrees comes out as -5.3589793e-8, not 0.
const SolveCase kCases[] = {
    // A steep unpowered approach: 150 m/s forward, 60 m/s down.
    {0, "a", {{"Vd", 150}, {"Vh", -60}}, kSolved, -21.801409858243773},
    {0, "a", {{"Vd", 100}, {"Vh", -10}}, kSolved, -5.71059323491, 1e-10},
    {0, "a", {{"Vd", -100}, {"Vh", -10}}, kSolved, -174.28940983555717},  // the quadrant follows the signs
    {0, "a", {{"Vd", 0}, {"Vh", 0}}, kSolved, 0},
    {0, "Vh", {{"Vd", 100}, {"a", 45}}, kSolved, 99.9999973205, 1e-10},
    {0, "Vd", {{"Vh", -10}, {"a", 0}}, kError},
    {0, "Vd", {{"Vh", -10}, {"a", 180}}, kSolved, 186602698.17177394, 1e-13},
    {0, "Vd", {{"Vh", -10}, {"a", 90}}, kSolved, -2.679489658502864e-07, 1e-13},
    {1, "a", {{"d", 20000}, {"h", 1500}}, kSolved, 4.289153401984088},
    {1, "a", {{"d", -20000}, {"h", 1500}}, kSolved, 175.7108496684849},  // flown away from the point
    {1, "h", {{"d", 100}, {"a", 30}}, kSolved, 57.73502572807829},
    {1, "d", {{"h", 1500}, {"a", 0}}, kError},
};

TEST(GlideSolvers, AnglesSpeedsDistancesAndGuards) { test::ExpectCases(GLD, kCases); }

}  // namespace
}  // namespace kalvo
