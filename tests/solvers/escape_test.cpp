// ESC: escape speeds and the burn longitude.
#include "tests/support/solver_cases.h"

namespace kalvo {
namespace {

using test::SolveCase;

const SolveCase kCases[] = {
    // Escape from a 300 km parking orbit: Vsc = sqrt(2 G M / r) at r = 6678 km,
    // and Vhx^2 = Vbo^2 - Vsc^2 worked by hand.
    {0, "Vhx", {{"Vsc", 10925.896439646642}, {"Vbo", 11500}}, kSolved, 3588.1453412754668},
    {0, "Vhx", {{"Vsc", 11000}, {"Vbo", 11200}}, kSolved, 2107.13075057, 1e-10},
    // Strict guards: no speed comes out as exactly 0.
    {0, "Vhx", {{"Vsc", 11000}, {"Vbo", 11000}}, kError},
    {0, "Vhx", {{"Vsc", 11000}, {"Vbo", 10000}}, kError},
    {0, "Vsc", {{"Vhx", 5}, {"Vbo", 5}}, kError},
    {0, "Vsc", {{"Vhx", 5}, {"Vbo", 3}}, kError},
    {0, "Vbo", {{"Vhx", 0}, {"Vsc", 0}}, kError},
    {0, "Vhx", {{"Vsc", NAN}, {"Vbo", 5}}, kError},
    {0, "Vbo", {{"Vhx", NAN}, {"Vsc", 5}}, kError},
    // The guard of Vsc tests q >= 0 alone, which a NaN passes: NaN is stored.
    {0, "Vsc", {{"Vhx", NAN}, {"Vbo", 5}}, kSolved, NAN},
    // lbo = ls + k - vinf, plain sums never reduced to [0, 360).
    {1, "lbo", {{"vnf", 140}, {"ls", 30}, {"k", 90}}, kSolved, -20},
    {1, "lbo", {{"vnf", 100}, {"ls", 350}, {"k", 270}}, kSolved, 520},
};

TEST(EscapeSolvers, SpeedsLongitudesAndGuards) { test::ExpectCases(ESC, kCases); }

}  // namespace
}  // namespace kalvo
