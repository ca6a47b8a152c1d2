// RNT: relative longitude of two bodies and their synodic period.
#include "tests/support/solver_cases.h"

namespace kalvo {
namespace {

using test::SolveCase;

// Body b gains 0.1 degrees a second on body a: after 100 s the separation of
// 20 degrees has grown to 30 (lb - la = (wb - wa)(t - to) + (lob - loa)).
const SolveCase kCases[] = {
    {0, "la", {{"lb", 50}, {"wa", 0.1}, {"wb", 0.2}, {"t", 100}, {"to", 0}, {"loa", 0}, {"lob", 20}}, kSolved, 20},
    // Longitudes are plain differences: 500 degrees stays 500.
    {0, "lb", {{"la", 480}, {"wa", 0.1}, {"wb", 0.2}, {"t", 100}, {"to", 0}, {"loa", 0}, {"lob", 10}}, kSolved, 500},
    {0, "wa", {{"la", 20}, {"lb", 50}, {"wb", 0.2}, {"t", 100}, {"to", 100}, {"loa", 0}, {"lob", 20}}, kError},
    {0, "wb", {{"la", 20}, {"lb", 50}, {"wa", 0.1}, {"t", 100}, {"to", 100}, {"loa", 0}, {"lob", 20}}, kError},
    {0, "t", {{"la", 20}, {"lb", 50}, {"wa", 0.2}, {"wb", 0.2}, {"to", 0}, {"loa", 0}, {"lob", 20}}, kError},
    {0, "to", {{"la", 20}, {"lb", 50}, {"wa", 0.2}, {"wb", 0.2}, {"t", 100}, {"loa", 0}, {"lob", 20}}, kError},
    // T = 360 / |wb - wa|.
    {1, "T", {{"wa", 0.005}, {"wb", 0.01}}, kSolved, 72000, 1e-13},
    {1, "T", {{"wa", 0.01}, {"wb", 0.005}}, kSolved, 72000, 1e-13},  // never negative
    {1, "T", {{"wa", 0.01}, {"wb", 0.01}}, kError},
    {1, "wa", {{"T", 0}, {"wb", 0.01}}, kError},
    {1, "wb", {{"T", 0}, {"wa", 0.01}}, kError},
};

TEST(RendezvousSolvers, LongitudesPeriodsAndGuards) { test::ExpectCases(RNT, kCases); }

}  // namespace
}  // namespace kalvo
