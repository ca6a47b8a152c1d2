// What every solver shares: the cells it works on, degree conversion through the
// page's short pi, powers through the power function, the guard comparisons and
// the not-available routine.
#pragma once

#include <array>
#include <cmath>
#include <span>

#include "catalogue/catalogue.h"
#include "catalogue/status.h"

namespace kalvo {

// One directory's cells in the current variable set, and the page's pi.
// A solver reads the cells of its equation and writes the one it solves for, and
// only when it returns kSolved.
struct Cells {
    std::array<double, kMaxVariables>& value;
    double pi;
    double& operator[](int index) { return value[index]; }
};

using Solver = int (*)(Cells&);

inline constexpr double kOneOver180 = 1.0 / 180.0;

inline double Radians(double degrees, double pi) { return degrees * pi * kOneOver180; }
inline double Degrees(double radians, double pi) { return radians * 180.0 / pi; }
inline double Square(double x) { return std::pow(x, 2.0); }
inline double Cube(double x) { return std::pow(x, 3.0); }

// Comparisons as the page has always made them: a comparison with a NaN reads as
// "equal", so = , < and <= hold for a NaN operand while > and >= do not. Guards
// written with these reject NaN where they test = 0, < or <=, and let it pass
// where they test > or >= alone; that is deliberate.
inline bool Eq(double a, double b) { return !(a < b) && !(a > b); }
inline bool Lt(double a, double b) { return !(a >= b); }
inline bool Le(double a, double b) { return !(a > b); }
inline bool Gt(double a, double b) { return a > b; }
inline bool Ge(double a, double b) { return a >= b; }

// The shared routine of every variable that has no formula in its equation.
inline int NotAvailable(Cells&) { return kNotAvailable; }

// A solver of one (equation, variable) pair of a directory.
struct SolverEntry {
    int equation;
    int variable;
    Solver solve;
};

struct DirectorySolvers {
    Directory directory;
    std::span<const SolverEntry> entries;
};

extern const DirectorySolvers kBasicSolvers;
extern const DirectorySolvers kOrbitSolvers;
extern const DirectorySolvers kEscapeSolvers;
extern const DirectorySolvers kFuelSolvers;
extern const DirectorySolvers kInclinationSolvers;
extern const DirectorySolvers kManoeuvreSolvers;
extern const DirectorySolvers kLaunchSolvers;
extern const DirectorySolvers kRendezvousSolvers;
extern const DirectorySolvers kGlideSolvers;

// Every directory's solvers, in the catalogue's order.
inline const DirectorySolvers* const kEveryDirectorySolvers[] = {
    &kBasicSolvers,     &kOrbitSolvers,  &kEscapeSolvers,     &kFuelSolvers,  &kInclinationSolvers,
    &kManoeuvreSolvers, &kLaunchSolvers, &kRendezvousSolvers, &kGlideSolvers,
};

// The solver of (directory, equation, variable index), or null for a triple the
// catalogue does not have.
Solver FindSolver(int directory, int equation, int variable);

// Solves equation e of directory d for variable v, a triple the catalogue has, on
// the directory's cells, and returns the solver's status.
int SolveForVariable(int directory, int equation, int variable, Cells cells);

}  // namespace kalvo
