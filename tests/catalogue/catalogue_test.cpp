// The catalogue beyond what it checks as it compiles, and the page's own copy of it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue/value_store.h"
#include "tests/support/page_probe.h"

namespace kalvo {
namespace {

// G is in no equation's list and no reading's; every other variable is in some list.
TEST(Catalogue, OnlyTheConstantOfGravitationIsInNoEquation) {
    for (int d = 0; d < kDirectoryCount; ++d) {
        std::set<int> listed;
        for (int e = 0; e < EquationCount(d); ++e) {
            const VariableNumbers list = EquationVariableNumbers(d, e);
            listed.insert(list.number.begin(), list.number.begin() + list.count);
        }
        for (int v = 0; v < VariableCount(d); ++v) {
            const bool isG = kCatalogue[d].variables[v].symbol == "G";
            EXPECT_EQ(listed.count(v + 1) == 0, isG) << kCatalogue[d].code << " " << v;
            EXPECT_FALSE(isG && kCatalogue[d].variables[v].fetchable);
        }
    }
}

// Texts a tidy-minded edit would "fix": the page shows them as they always were.
TEST(Catalogue, OddTextsStandAsWritten) {
    const auto help = [](Directory d, int e, int line) {
        return kCatalogue[d].equations[e].help[line - 1];
    };
    EXPECT_EQ(help(FUE, 0, 1), "DV=ln((ms+ml+mi)/(ms+ml+mf)))*Isp");
    EXPECT_EQ(help(INC, 0, 3), "Continous normal att.maneuver(Di rads)");
    EXPECT_EQ(help(INC, 1, 3), "Direct Vf-Vi vector module");
    EXPECT_EQ(kCatalogue[ESC].variables[3].symbol, "vnf");
    EXPECT_EQ(help(ESC, 1, 1), "lbo=ls+k-vinf");
    EXPECT_TRUE(help(ORB, 9, 1).ends_with("sin(v)"));
    EXPECT_TRUE(help(ORB, 9, 2).starts_with("*sqrt(1+e))"));
}

TEST(SolverMfd, TablesHoldTheCatalogue) {
    test::PageProbe page;
    for (int d = 0; d < kDirectoryCount; ++d) {
        const DirectoryRow& row = kCatalogue[d];
        SCOPED_TRACE(std::string(row.code));
        EXPECT_EQ(page.DirectoryCode(d), row.code);
        ASSERT_EQ(page.EquationsOf(d), static_cast<int>(row.equations.size()));
        ASSERT_EQ(page.VariablesOf(d), static_cast<int>(row.variables.size()));
        for (int e = 0; e < page.EquationsOf(d); ++e) {
            for (int line = 1; line <= 3; ++line) EXPECT_EQ(page.HelpLine(line, d, e), row.equations[e].help[line - 1]);
            const VariableNumbers list = EquationVariableNumbers(d, e);
            ASSERT_EQ(page.VariablesOfEquation(d, e), list.count);
            for (int k = 0; k < kMaxEquationVariables; ++k)
                EXPECT_EQ(page.EquationVariableNumber(d, e, k), k < list.count ? list.number[k] : kEndOfList);
        }
        for (int v = 0; v < page.VariablesOf(d); ++v) {
            EXPECT_EQ(page.Symbol(d, v), row.variables[v].symbol);
            EXPECT_EQ(page.Unit(d, v), row.variables[v].unit);
            EXPECT_EQ(page.LongName(d, v), row.variables[v].longName);
        }
        const VariableNumbers systemValues = SystemValueNumbers(d);
        for (int k = 0; k < kMaxVariables; ++k) EXPECT_EQ(page.SystemValueNumber(d, k), systemValues.number[k]);
    }
    EXPECT_EQ(page.SystemValueNumber(BOP, 0), kEndOfList);
}

}  // namespace
}  // namespace kalvo
