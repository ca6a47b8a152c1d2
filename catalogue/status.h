// Status codes that solvers and readings return, and that the page shows once.
#pragma once

namespace kalvo {

inline constexpr int kSolved = 0;         // nothing to report
inline constexpr int kError = 1;          // a guard failed, or a reading failed
inline constexpr int kNotAvailable = 2;   // no formula for this variable in its equation
inline constexpr int kNotApplicable = 4;  // the vessel has no main engines to read

}  // namespace kalvo
