// The catalogue's contents beyond what it checks as it compiles: the directories'
// sizes, the constant of gravitation's place, and the odd texts as written.
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kalvo {
namespace {

TEST(Catalogue, DirectoriesAndTheConstantOfGravitation) {
    const struct {
        std::string_view code;
        int equations, variables;
    } expected[] = {{"BOP", 8, 3}, {"ORB", 11, 13}, {"ESC", 2, 7}, {"FUE", 2, 8}, {"INC", 2, 3},
                    {"MOV", 3, 7}, {"LNC", 4, 12},  {"RNT", 2, 9}, {"GLD", 2, 5}};
    for (int d = 0; d < kDirectoryCount; ++d) {
        SCOPED_TRACE(expected[d].code);
        EXPECT_EQ(kCatalogue[d].code, expected[d].code);
        EXPECT_EQ(EquationCount(d), expected[d].equations);
        EXPECT_EQ(VariableCount(d), expected[d].variables);
        // G is in no equation's list and no reading's; every other variable is in some equation.
        std::set<int> listed;
        for (int e = 0; e < EquationCount(d); ++e) {
            const VariableNumbers list = EquationVariableNumbers(d, e);
            listed.insert(list.number.begin(), list.number.begin() + list.count);
        }
        const VariableNumbers readings = SystemValueNumbers(d);
        for (int v = 0; v < VariableCount(d); ++v) {
            const bool isG = kCatalogue[d].variables[v].symbol == "G";
            EXPECT_EQ(listed.count(v + 1) == 0, isG) << kCatalogue[d].variables[v].symbol;
            for (int k = 0; isG && k < readings.count; ++k) EXPECT_NE(readings.number[k], v + 1);
        }
    }
    EXPECT_EQ(Var(ORB, "G"), 7);
    EXPECT_EQ(Var(LNC, "G"), 1);
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

}  // namespace
}  // namespace kalvo
