// Time from perigee on any conic orbit, and its numerical inverse.
//
// Times are kept scaled: the time in seconds is tau * p * p / sqrt(p * G * M).
// For an ellipse the time counts from the last perigee passage, 0 to one period
// over 0 to 360 degrees. For a parabola or hyperbola it is negative on the
// outgoing branch (0 < v < 180) and positive on the incoming one, so that
// t(360 - v) = -t(v).
#pragma once

#include "catalogue/constants.h"

namespace kalvo {

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
