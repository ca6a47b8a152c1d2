// The module's numbers, each once, with where it comes from. Every value is the
// page's own: changing one changes what the page shows.
#pragma once

namespace kalvo {

// pi as the page converts degrees: the short decimal, deliberately not the full
// constant, so sin(180 dg) shows 5.3590e-8 and asin(1) 90.0000015 dg.
inline constexpr double kShortPi = 3.1415926;

// The constant of gravitation in m^3/s^2/kg: the 1986 CODATA recommended value.
inline constexpr double kGravitationalConstant = 6.67259e-11;

// Degree factors as doubles, multiplied rather than divided by: 1/180
// (0.005555555555555556) for conversions to radians, 1/90 (0.011111111111111112)
// for the tangent's pole test.
inline constexpr double kOneOver180 = 1.0 / 180.0;
inline constexpr double kOneOver90 = 1.0 / 90.0;

// 1/3 of the cube roots and 1/6 of Barker's equation, as the decimals the page writes.
inline constexpr double kOneThird = 0.3333333333333333;
inline constexpr double kOneSixth = 0.16666666666666666;

// The anomaly search stops when the scaled time is this close to its target (a
// tolerance on the time, not on the angle) ...
inline constexpr double kScaledTimeTolerance = 0.0001;
// ... or after this many bracket updates, keeping the last estimate.
inline constexpr int kMaxBracketSteps = 10000;
// Points of the table it scans for a bracket: every 1/180 of the range, both ends included.
inline constexpr int kAnomalyTablePoints = 181;

// The time-of-flight kernel's answer for an anomaly a parabola or hyperbola never
// reaches: the page's own number, far below any scaled time the search compares,
// so it reads as a very large negative table value. Its square would overflow
// (7.2e309); nothing squares it: the search only subtracts a target from it and
// multiplies it by a table step of at most 360 dg (3.1e157), which stay finite.
inline constexpr double kUnreachableAnomaly = -8.5e154;

// Characters of the buffer a printed text is formatted into, the terminating zero
// included: the page's own size; a longer text is cut.
inline constexpr int kPrintBuffer = 252;

}  // namespace kalvo
