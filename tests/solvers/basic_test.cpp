// BOP: the eight elementary equations, their guards and the short pi's traces.
#include "tests/support/solver_cases.h"

namespace kalvo {
namespace {

using test::SolveCase;

// Expected values are hand calculations; where the page's pi of 3.1415926 shows,
// they were worked with that pi (sin 180 = 5.3589793e-8, asin 1 = 90.0000015).
// Next to a zero of the sine, Windows' C library, which reduces arguments with a
// 66-bit pi, keeps only 12 or 13 digits: those rows allow 1e-12.
const SolveCase kCases[] = {
    {0, "a", {{"b", 2}, {"c", 3}}, kSolved, 5},
    {1, "a", {{"b", 2}, {"c", 0}}, kSolved, 0},
    {1, "a", {{"b", 2.5}, {"c", -4}}, kSolved, -10},
    {1, "b", {{"a", 12}, {"c", 4}}, kSolved, 3},
    {1, "b", {{"a", 12}, {"c", 0}}, kError},
    {1, "c", {{"a", 12}, {"b", 0}}, kError},
    {2, "a", {{"b", -1}}, kError},
    {2, "b", {{"a", -3}}, kSolved, 9},
    {3, "a", {{"b", 180}}, kSolved, 5.3589793170057245e-08, 1e-12},
    {3, "a", {{"b", 30}}, kSolved, 0.49999999226497965},
    {3, "b", {{"a", 1}}, kSolved, 90.00000153523452},
    {3, "b", {{"a", 1.0000001}}, kError},
    {3, "b", {{"a", -1.0000001}}, kError},
    {4, "a", {{"b", 0}}, kSolved, 1},
    {4, "b", {{"a", -1}}, kSolved, 180.00000307046903},
    {4, "b", {{"a", 1.5}}, kError},
    {5, "a", {{"b", 45}}, kSolved, 0.9999999732051038},
    {5, "a", {{"b", 0}}, kSolved, 0},
    {5, "a", {{"b", 180}}, kSolved, -5.3589793170057325e-08, 1e-12},
    {5, "a", {{"b", 90}}, kError},
    {5, "a", {{"b", -90}}, kError},
    {5, "a", {{"b", 270}}, kError},
    {5, "a", {{"b", 450}}, kError},
    {5, "b", {{"a", 1}}, kSolved, 45.00000076761726},
    {6, "a", {{"b", 0}}, kError},
    {6, "a", {{"b", -2}}, kError},
    {6, "a", {{"b", 1}}, kSolved, 0},
    {6, "b", {{"a", 0}}, kSolved, 1},
    {6, "b", {{"a", 2}}, kSolved, 7.3890560989306495},
    {7, "a", {{"b", 0}}, kError},
    {7, "a", {{"b", 1000}}, kSolved, 3},
    {7, "b", {{"a", 0}}, kSolved, 1},
    {7, "b", {{"a", -2}}, kSolved, 0.01},
    // NaN: the tangent guard compares both remainders as 0 for it, so lets it through;
    // tests for <, <= and = 0 hold for it, so the root, logarithm, arcsine and
    // quotient refuse it; an unguarded operand carries it into the result.
    {5, "a", {{"b", NAN}}, kSolved, NAN},
    {2, "a", {{"b", NAN}}, kError},
    {6, "a", {{"b", NAN}}, kError},
    {3, "b", {{"a", NAN}}, kError},
    {1, "b", {{"a", 1}, {"c", NAN}}, kError},
    {0, "a", {{"b", NAN}, {"c", 1}}, kSolved, NAN},
    // Infinity is stored where no guard looks.
    {1, "a", {{"b", INFINITY}, {"c", 2}}, kSolved, INFINITY},
    {7, "b", {{"a", 400}}, kSolved, INFINITY},
};

TEST(BasicSolvers, FormulasGuardsNaNAndInfinity) { test::ExpectCases(BOP, kCases); }

}  // namespace
}  // namespace kalvo
