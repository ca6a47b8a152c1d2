// What every solver shares: the cells it works on, degree conversion through the
// page's short pi, powers through the power function, the guard comparisons and
// the not-available routine.
#pragma once

#include <array>
#include <cmath>
#include <span>
#include <string_view>

#include "catalogue/catalogue.h"
#include "catalogue/constants.h"
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

// The equation of directory d whose first help line is `firstLine`, as the solver
// tables name it; an unknown line does not compile.
consteval int Equation(Directory d, std::string_view firstLine) {
    for (int e = 0; e < EquationCount(d); ++e)
        if (kCatalogue[d].equations[e].help[0] == firstLine) return e;
    throw "no equation with this first help line in the directory";
}

// The solver of one (equation, variable) pair of a directory, as a directory's
// source lists them.
struct SolverEntry {
    int equation;
    int variable;
    Solver solve;
};

// Whether variable index v is on equation e's list.
constexpr bool Lists(Directory d, int e, int v) {
    const VariableNumbers list = EquationVariableNumbers(d, e);
    for (int k = 0; k < list.count; ++k)
        if (list.number[k] == v + 1) return true;
    return false;
}

// Every entry names an equation of the directory and a variable on that equation's
// list. (Whether its routine is null cannot be asked here: compilers that check for
// undefined behaviour take no function's address as a constant.)
consteval bool EveryEntryLiesOnAList(Directory d, std::span<const SolverEntry> entries) {
    for (const SolverEntry& entry : entries)
        if (entry.equation < 0 || entry.equation >= EquationCount(d) || !Lists(d, entry.equation, entry.variable))
            return false;
    return true;
}

// Every variable on every equation's list has exactly one entry.
consteval bool EveryListedVariableHasOneEntry(Directory d, std::span<const SolverEntry> entries) {
    for (int e = 0; e < EquationCount(d); ++e) {
        const VariableNumbers list = EquationVariableNumbers(d, e);
        for (int k = 0; k < list.count; ++k) {
            int found = 0;
            for (const SolverEntry& entry : entries)
                found += entry.equation == e && entry.variable == list.number[k] - 1;
            if (found != 1) return false;
        }
    }
    return true;
}

// One directory's solvers by equation and variable index. A slot the catalogue
// has no pair for holds the not-available routine, so no slot is ever null.
struct SolverTable {
    Directory directory;
    std::array<std::array<Solver, kMaxVariables>, kMaxEquations> solver;
};

// The table of a directory's entries; they must have passed the two checks above.
consteval SolverTable MakeSolverTable(Directory d, std::span<const SolverEntry> entries) {
    SolverTable table{d, {}};
    for (auto& equation : table.solver) equation.fill(NotAvailable);
    for (const SolverEntry& entry : entries) table.solver[entry.equation][entry.variable] = entry.solve;
    return table;
}

extern const SolverTable kBasicSolvers;
extern const SolverTable kOrbitSolvers;
extern const SolverTable kEscapeSolvers;
extern const SolverTable kFuelSolvers;
extern const SolverTable kInclinationSolvers;
extern const SolverTable kManoeuvreSolvers;
extern const SolverTable kLaunchSolvers;
extern const SolverTable kRendezvousSolvers;
extern const SolverTable kGlideSolvers;

// Every directory's solvers, in the catalogue's order.
inline const SolverTable* const kEveryDirectorySolvers[] = {
    &kBasicSolvers,     &kOrbitSolvers,  &kEscapeSolvers,     &kFuelSolvers,  &kInclinationSolvers,
    &kManoeuvreSolvers, &kLaunchSolvers, &kRendezvousSolvers, &kGlideSolvers,
};

// The solver of (directory, equation, variable index). Never null: a triple the
// catalogue does not have, indices out of range included, gets the not-available
// routine, which writes nothing.
Solver FindSolver(int directory, int equation, int variable);

// Solves equation e of directory d for variable v, a triple the catalogue has, on
// the directory's cells, and returns the solver's status.
int SolveForVariable(int directory, int equation, int variable, Cells cells);

}  // namespace kalvo
