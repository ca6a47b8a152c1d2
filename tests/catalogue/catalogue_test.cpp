// The catalogue's contents against its invariants and a sample of exact texts.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue/catalogue.h"

namespace kalvo {
namespace {

TEST(Catalogue, CountsPerDirectory) {
    struct Expected {
        std::string_view code;
        int equations, variables;
        std::vector<int> systemValues;
    };
    const Expected expected[] = {
        {"BOP", 8, 3, {}},           {"ORB", 11, 13, {1, 5, 6, 7, 9}}, {"ESC", 2, 7, {}},
        {"FUE", 2, 8, {2, 3, 4, 6, 7}}, {"INC", 2, 3, {}},            {"MOV", 3, 7, {3}},
        {"LNC", 4, 12, {3, 5, 12}},  {"RNT", 2, 9, {9}},              {"GLD", 2, 5, {2, 3, 4, 5}},
    };
    int equations = 0;
    int variables = 0;
    for (int d = 0; d < kDirectoryCount; ++d) {
        SCOPED_TRACE(expected[d].code);
        EXPECT_EQ(kCatalogue[d].code, expected[d].code);
        EXPECT_EQ(EquationCount(d), expected[d].equations);
        EXPECT_EQ(VariableCount(d), expected[d].variables);
        const VariableNumbers list = SystemValueNumbers(d);
        EXPECT_EQ(std::vector<int>(list.number.begin(), list.number.begin() + list.count), expected[d].systemValues);
        EXPECT_EQ(list.number[list.count], kEndOfList);
        equations += EquationCount(d);
        variables += VariableCount(d);
    }
    EXPECT_EQ(equations, 36);
    EXPECT_EQ(variables, 67);
}

TEST(Catalogue, EquationListsRiseStrictlyWithinLimitsAndEndWith255) {
    for (int d = 0; d < kDirectoryCount; ++d)
        for (int e = 0; e < EquationCount(d); ++e) {
            SCOPED_TRACE(std::string(kCatalogue[d].code) + " " + std::to_string(e));
            const VariableNumbers list = EquationVariableNumbers(d, e);
            EXPECT_GE(list.count, 1);
            EXPECT_LE(list.count, kMaxEquationVariables);
            for (int k = 0; k < list.count; ++k) {
                EXPECT_GE(list.number[k], 1);
                EXPECT_LE(list.number[k], VariableCount(d));
                if (k > 0) {
                    EXPECT_LT(list.number[k - 1], list.number[k]);
                }
            }
            for (int k = list.count; k < kMaxVariables; ++k) EXPECT_EQ(list.number[k], kEndOfList);
        }
}

TEST(Catalogue, GIsInNoListAndEveryOtherVariableIsInSome) {
    for (int d = 0; d < kDirectoryCount; ++d) {
        std::set<int> listed;
        for (int e = 0; e < EquationCount(d); ++e) {
            const VariableNumbers list = EquationVariableNumbers(d, e);
            listed.insert(list.number.begin(), list.number.begin() + list.count);
        }
        const VariableNumbers systemValues = SystemValueNumbers(d);
        for (int v = 0; v < VariableCount(d); ++v) {
            const bool isG = kCatalogue[d].variables[v].symbol == "G";
            SCOPED_TRACE(std::string(kCatalogue[d].code) + " " + std::string(kCatalogue[d].variables[v].symbol));
            EXPECT_EQ(listed.count(v + 1) == 0, isG);
            for (int k = 0; isG && k < systemValues.count; ++k) EXPECT_NE(systemValues.number[k], v + 1);
        }
    }
    EXPECT_EQ(Var(ORB, "G"), 7);
    EXPECT_EQ(Var(LNC, "G"), 1);
}

TEST(Catalogue, LongestTextsAreAsTheSlotsExpect) {
    std::size_t help = 0, longName = 0, unit = 0, symbol = 0;
    for (const auto& directory : kCatalogue) {
        for (const auto& equation : directory.equations)
            for (const auto line : equation.help) help = std::max(help, line.size());
        for (const auto& variable : directory.variables) {
            longName = std::max(longName, variable.longName.size());
            unit = std::max(unit, variable.unit.size());
            symbol = std::max(symbol, variable.symbol.size());
        }
    }
    EXPECT_EQ(help, 47u);
    EXPECT_EQ(longName, 17u);
    EXPECT_EQ(unit, 10u);
    EXPECT_EQ(symbol, 3u);
}

TEST(Catalogue, OddTextsStandAsWritten) {
    EXPECT_EQ(kCatalogue[FUE].equations[0].help[0], "DV=ln((ms+ml+mi)/(ms+ml+mf)))*Isp");
    EXPECT_EQ(kCatalogue[INC].equations[0].help[2], "Continous normal att.maneuver(Di rads)");
    EXPECT_EQ(kCatalogue[INC].equations[1].help[1], "");
    EXPECT_EQ(kCatalogue[INC].equations[1].help[2], "Direct Vf-Vi vector module");
    EXPECT_EQ(kCatalogue[ESC].variables[3].symbol, "vnf");
    EXPECT_EQ(kCatalogue[ESC].equations[1].help[0], "lbo=ls+k-vinf");
    EXPECT_EQ(kCatalogue[ORB].equations[8].help[2], "");
    EXPECT_EQ(kCatalogue[ORB].equations[9].help[0].substr(32), "sin(v)");
    EXPECT_EQ(kCatalogue[ORB].equations[9].help[1].substr(0, 11), "*sqrt(1+e))");
    EXPECT_EQ(kCatalogue[ORB].equations[10].help[2], "t=T=t(v=360dg)");
    EXPECT_EQ(kCatalogue[ORB].variables[12].longName, "Time frm Perigee");
    EXPECT_EQ(kCatalogue[ORB].variables[7].unit, "m^3/s^2/kg");
    EXPECT_EQ(kCatalogue[LNC].equations[0].help[2], "*rma^2+4ap^3*rma^2*G*M))/2*ap^2*rma");
    EXPECT_EQ(kCatalogue[MOV].equations[0].help[2], "Sys. Avail. ap = Main Eng Thrust/Curr Ship Mass");
    EXPECT_EQ(kCatalogue[RNT].equations[1].help[0], "T=360/|wb-wa|");
    EXPECT_EQ(kCatalogue[BOP].variables[0].unit, " ");
    EXPECT_EQ(kCatalogue[ORB].variables[2].unit, " ");
}

TEST(Catalogue, OrbitEquationOneOffersRPVtMNeverG) {
    const VariableNumbers list = EquationVariableNumbers(ORB, 1);
    ASSERT_EQ(list.count, 4);
    std::string symbols;
    for (int k = 0; k < list.count; ++k) symbols += std::string(kCatalogue[ORB].variables[list.number[k] - 1].symbol) + " ";
    EXPECT_EQ(symbols, "r p Vt M ");
}

}  // namespace
}  // namespace kalvo
