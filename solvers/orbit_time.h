// Time from perigee on any conic orbit, and its numerical inverse.
//
// Times are kept scaled: the time in seconds is tau * p * p / sqrt(p * G * M).
// For an ellipse the time counts from the last perigee passage, 0 to one period
// over 0 to 360 degrees. For a parabola or hyperbola it is negative on the
// outgoing branch (0 < v < 180) and positive on the incoming one, so that
// t(360 - v) = -t(v).
#pragma once

namespace kalvo {

// What the kernel returns for an anomaly a parabola or hyperbola never reaches:
// far below any real scaled time, so inside the search it simply reads as a very
// large negative table value.
inline constexpr double kUnreachableAnomaly = -8.5e154;

// The search stops when the scaled time is this close to the target (a tolerance
// on the time, not on the angle) ...
inline constexpr double kScaledTimeTolerance = 0.0001;
// ... or after this many bracket updates, keeping the last estimate.
inline constexpr int kMaxBracketSteps = 10000;
// Points of the table the search scans for its bracket: every 1/180 of the range.
inline constexpr int kAnomalyTablePoints = 181;

// Barker's 1/6 and the 1/3 of the cube roots, as the decimals the page uses.
inline constexpr double kOneSixth = 0.16666666666666666;
inline constexpr double kOneThird = 0.3333333333333333;

// Scaled time from perigee at true anomaly v (degrees, 0 to 360) for eccentricity e.
double ScaledPerigeeTime(double e, double v, double pi);

// Time from perigee in seconds on the orbit of semi-latus p about mass M.
double PerigeeTime(double e, double v, double p, double G, double M, double pi);

// +1 or -1: the sign as the search compares it. Zero and NaN count as +1.
int SignOf(double x);

// The true anomaly (degrees) at scaled time tau. Never fails: without a bracket it
// returns the end of the searched range (360 for an ellipse, the asymptote for an
// open orbit, mirrored to 360 minus it for a positive time).
double AnomalyFromScaledTime(double e, double tau, double pi);

// The same search, with what it cost: the kernel is evaluated once per table point
// and once per bracket update, so between 181 and 181 + 10000 times.
struct AnomalySearch {
    double anomaly;
    int kernelEvaluations;
};
AnomalySearch SearchAnomaly(double e, double tau, double pi);

}  // namespace kalvo
