// A table of solves in one directory, each with the status it must return and,
// on status 0, the value it must store.
#pragma once

#include <span>

#include "tests/support/solver_harness.h"

namespace kalvo::test {

struct SolveCase {
    int equation;
    std::string_view target;
    std::initializer_list<Given> inputs;
    int status;
    double expected = 0;      // the solved value, when the status is kSolved
    double relative = 1e-14;  // a few roundings of a short formula
};

inline void ExpectCases(Directory d, std::span<const SolveCase> cases) {
    for (const SolveCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << kCatalogue[d].code << " " << c.equation << " for " << c.target);
        const Outcome outcome = Solve(d, c.equation, c.target, c.inputs);
        EXPECT_EQ(outcome.status, c.status);
        if (c.status == kSolved) {
            EXPECT_TRUE(Near(outcome.value, c.expected, c.relative));
        }
    }
}

}  // namespace kalvo::test
