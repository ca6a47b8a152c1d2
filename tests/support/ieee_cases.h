// Solves whose shown value tells IEEE double arithmetic from wider (x87 80-bit)
// intermediates: every build of the page (Linux, and the simulator-ABI DLLs for
// x64 and x86) must draw exactly these texts. Each expected text was worked out
// by IEEE double arithmetic, operation by operation in the order the solver
// computes (checked with Python floats, which are IEEE doubles, and by hand);
// the comment gives what wider arithmetic would show instead. Plain data, read by
// the Linux table test and by the Windows host's session.
#pragma once

namespace kalvo {

struct IeeeInput {
    const char* symbol;
    const char* text;  // typed into the input box
};

struct IeeeCase {
    const char* name;
    int directory;  // catalogue order from 0: ORB 1, MOV 5
    int equation;
    const char* solved;
    IeeeInput inputs[3];
    const char* expected;  // the "%E" text drawn for the solved cell
};

// clang-format off
inline constexpr IeeeCase kIeeeCases[] = {
    // DVt^2 + DVr^2 with DVr^2 = 4.9e375 beyond the double range (1.8e308): the sum
    // is +infinity, shown "INF"; wider arithmetic shows 7.000000E+187.
    {"square overflows", 5, 2, "DV", {{"DVt", "4217226"}, {"DVr", "7e187"}, {}}, "INF"},
    // DV^2 - DVr^2 = inf - inf: not a number, which the guard !(q >= 0) refuses, so
    // the solve fails and DVt keeps its typed 1; wider arithmetic passes the guard
    // and shows sqrt(16e400) = 4.000000E+200.
    {"difference of overflowed squares", 5, 2, "DVt", {{"DV", "5e200"}, {"DVr", "3e200"}, {"DVt", "1"}},
     "1.000000E+000"},
    // DV^2 = 1e-320 is subnormal: 2024 units of 2^-1074 = 9.99989e-321; halved
    // exactly and divided by 1e-10 it is 4.999944E-311; wider arithmetic keeps
    // 1e-320 whole and shows 5.000000E-311.
    {"square underflows to a subnormal", 5, 0, "r", {{"DV", "1e-160"}, {"ap", "1e-10"}, {}}, "4.999944E-311"},
    // r*ap = 1e310 overflows in each product of the sum: sqrt(inf) is "INF"; wider
    // arithmetic shows sqrt(2e310) = 1.414214E+155.
    {"product overflows", 5, 0, "DV", {{"r", "1e300"}, {"ap", "1e10"}, {}}, "INF"},
    // DV = 1 + 2^-20 + 2^-35, DVr = 1 + 2^-20 (both exact): DV^2 loses its bits
    // 2^-54 and 2^-70 at 53 bits, so q = 2^-34 and DVt = 2^-17 = 7.629395E-006; at 64
    // bits q keeps 2^-54 and DVt is 2^-17 (1 + 2^-21) = 7.629398E-006.
    {"cancellation after rounding", 5, 2, "DVt", {{"DV", "1.0000009537034202"}, {"DVr", "1.0000009536743164"}, {}},
     "7.629395E-006"},
    // Vt^2 + Vr^2 = 2.5e321 overflows: "INF"; wider arithmetic shows 5.000000E+160.
    {"sum of squares overflows", 1, 4, "V", {{"Vt", "3e160"}, {"Vr", "4e160"}, {}}, "INF"},
    // G*M*p with G = 6.67259e-11: M*G = 6.67259e289, times p = 1e300 overflows, so
    // Vt = sqrt(inf) / r is "INF"; wider arithmetic shows 8.168592E+194.
    {"product of three overflows", 1, 1, "Vt", {{"r", "1e100"}, {"p", "1e300"}, {"M", "1e300"}}, "INF"},
};
// clang-format on

}  // namespace kalvo
