// Runs one solver on a directory's cells, the way the solve command does, and
// checks the convention every solver keeps: only the solved cell changes, and only
// when the status is 0.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/value_store.h"
#include "solvers/conventions.h"
#include "ui/solver_mfd.h"

namespace kalvo::test {

struct Given {
    std::string_view symbol;
    double value;
};

struct Outcome {
    int status;
    double value;  // the solved cell after the solve
};

// Cells that are not inputs start at this value, so a stray write shows.
inline constexpr double kUntouched = -777.25;

inline Outcome Solve(Directory d, int e, std::string_view target, std::span<const Given> inputs,
                     std::span<const std::string_view> alsoWritten = {}) {
    std::array<double, kMaxVariables> cells;
    cells.fill(kUntouched);
    for (int v = 0; v < VariableCount(d); ++v)
        if (kCatalogue[d].variables[v].symbol == "G") cells[v] = kGravitationalConstant;
    for (const Given& given : inputs) cells[FindVariable(d, given.symbol)] = given.value;
    const auto before = cells;

    const int variable = FindVariable(d, target);
    Cells view{cells, kShortPi};
    const int status = FindSolver(d, e, variable)(view);

    for (int v = 0; v < kMaxVariables; ++v) {
        bool mayChange = status == kSolved && v == variable;
        for (const auto symbol : alsoWritten) mayChange |= status == kSolved && v == FindVariable(d, symbol);
        if (mayChange) continue;
        EXPECT_TRUE(std::memcmp(&cells[v], &before[v], sizeof(double)) == 0)
            << kCatalogue[d].code << " " << e << " " << target << ": cell " << v << " changed";
    }
    return {status, cells[variable]};
}

inline Outcome Solve(Directory d, int e, std::string_view target, std::initializer_list<Given> inputs,
                     std::initializer_list<std::string_view> alsoWritten = {}) {
    return Solve(d, e, target, std::span(inputs.begin(), inputs.size()),
                 std::span(alsoWritten.begin(), alsoWritten.size()));
}

// Relative closeness, for results whose arithmetic is a handful of operations.
inline ::testing::AssertionResult Near(double actual, double expected, double relative) {
    if (std::isnan(expected) ? std::isnan(actual) : actual == expected) return ::testing::AssertionSuccess();
    if (std::fabs(actual - expected) <= relative * std::fabs(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not within " << relative << " (relative) of " << expected;
}

// One solve, the status it must return and, on status 0, the value it must store.
struct SolveCase {
    Directory d;
    int equation;
    std::string_view target;
    std::initializer_list<Given> inputs;
    int status;
    double expected = 0;
    double relative = 1e-14;  // a few roundings of a short formula
};

inline void ExpectCases(std::span<const SolveCase> cases) {
    for (const SolveCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << kCatalogue[c.d].code << " " << c.equation << " for " << c.target);
        // The launch azimuths are solved together: either one writes both.
        const bool azimuths = c.d == LNC && (c.target == "Az1" || c.target == "Az2");
        const Outcome outcome = azimuths ? Solve(c.d, c.equation, c.target, c.inputs, {"Az1", "Az2"})
                                         : Solve(c.d, c.equation, c.target, c.inputs);
        EXPECT_EQ(outcome.status, c.status);
        if (c.status == kSolved) {
            EXPECT_TRUE(Near(outcome.value, c.expected, c.relative));
        }
    }
}

}  // namespace kalvo::test
