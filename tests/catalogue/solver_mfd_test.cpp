// A constructed page: its catalogue tables, its first selection, and the value store.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalogue/status.h"
#include "tests/support/page_probe.h"

namespace kalvo {
namespace {

TEST(SolverMfd, TablesHoldTheCatalogue) {
    test::PageProbe page;
    for (int d = 0; d < kDirectoryCount; ++d) {
        const DirectorySpec& spec = kCatalogue[d];
        SCOPED_TRACE(std::string(spec.code));
        EXPECT_EQ(page.DirectoryCode(d), spec.code);
        ASSERT_EQ(page.EquationsOf(d), static_cast<int>(spec.equations.size()));
        ASSERT_EQ(page.VariablesOf(d), static_cast<int>(spec.variables.size()));
        for (int e = 0; e < page.EquationsOf(d); ++e) {
            for (int line = 1; line <= 3; ++line)
                EXPECT_EQ(page.HelpLine(line, d, e), spec.equations[e].help[line - 1]);
            const VariableNumbers list = EquationVariableNumbers(d, e);
            ASSERT_EQ(page.VariablesOfEquation(d, e), list.count);
            for (int k = 0; k < kMaxEquationVariables; ++k)
                EXPECT_EQ(page.EquationVariableNumber(d, e, k), k < list.count ? list.number[k] : kEndOfList);
        }
        for (int v = 0; v < page.VariablesOf(d); ++v) {
            EXPECT_EQ(page.Symbol(d, v), spec.variables[v].symbol);
            EXPECT_EQ(page.Unit(d, v), spec.variables[v].unit);
            EXPECT_EQ(page.LongName(d, v), spec.variables[v].longName);
        }
        const VariableNumbers systemValues = SystemValueNumbers(d);
        for (int k = 0; k < kMaxVariables; ++k) EXPECT_EQ(page.SystemValueNumber(d, k), systemValues.number[k]);
    }
    EXPECT_EQ(page.SystemValueNumber(BOP, 0), kEndOfList);
}

TEST(ValueStore, HoldsGInBothSetsAndZeroElsewhere) {
    const ValueStoreCells initial = InitialValueStore();
    for (int s = 0; s < kVariableSetCount; ++s)
        for (int d = 0; d < kDirectoryCount; ++d)
            for (int v = 0; v < kMaxVariables; ++v) {
                const bool isG = v < VariableCount(d) && kCatalogue[d].variables[v].symbol == "G";
                EXPECT_EQ(initial[s][d][v], isG ? 6.67259e-11 : 0.0) << s << " " << d << " " << v;
            }
}

TEST(SolverMfd, SolveWritesOnlyItsOwnCellInTheCurrentSet) {
    test::ResetValueStore();
    test::PageProbe page;
    // A circular low Earth orbit in set 2: Vt from r, p and M.
    auto& orbit = ValueStore[1][ORB];
    orbit[Var(ORB, "r")] = 6771000;
    orbit[Var(ORB, "p")] = 6771000;
    orbit[Var(ORB, "M")] = 5.9736e24;
    ValueStore[0][ORB][Var(ORB, "Vt")] = 42;
    ValueStoreCells expected = ValueStore;

    // Failing ones write nothing: r = 0 in set 1, and no formula for M.
    page.Select(ORB, 1, "Vt");
    EXPECT_EQ(page.SolveForVariable(), kError);
    page.Select(ORB, 1, "M", 1);
    EXPECT_EQ(page.SolveForVariable(), kNotAvailable);
    EXPECT_EQ(ValueStore, expected);

    page.Select(ORB, 1, "Vt", 1);
    ASSERT_EQ(page.SolveForVariable(), kSolved);
    // sqrt(G M / r) for the orbit above, by hand: 7672.535 m/s.
    EXPECT_NEAR(ValueStore[1][ORB][Var(ORB, "Vt")], 7672.535073416964, 7672.535073416964 * 1e-12);
    expected[1][ORB][Var(ORB, "Vt")] = ValueStore[1][ORB][Var(ORB, "Vt")];
    EXPECT_EQ(ValueStore, expected);
    test::ResetValueStore();
}

}  // namespace
}  // namespace kalvo
