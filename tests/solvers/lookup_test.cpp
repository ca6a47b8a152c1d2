// The solver lookup serves every triple of the catalogue and nothing else.
#include <gtest/gtest.h>

#include <string>

#include "solvers/conventions.h"

namespace kalvo {
namespace {

TEST(SolverLookup, EveryCatalogueTripleHasExactlyOneEntry) {
    const DirectorySolvers* const tables[] = {&kBasicSolvers,      &kOrbitSolvers,  &kEscapeSolvers,
                                              &kFuelSolvers,       &kInclinationSolvers, &kManoeuvreSolvers,
                                              &kLaunchSolvers,     &kRendezvousSolvers,  &kGlideSolvers};
    int triples = 0;
    for (int d = 0; d < kDirectoryCount; ++d) {
        EXPECT_EQ(tables[d]->directory, d);
        int entries = 0;
        for (int e = 0; e < EquationCount(d); ++e) {
            const VariableNumbers list = EquationVariableNumbers(d, e);
            for (int k = 0; k < list.count; ++k) {
                int found = 0;
                for (const SolverEntry& entry : tables[d]->entries)
                    found += entry.equation == e && entry.variable == list.number[k] - 1;
                EXPECT_EQ(found, 1) << kCatalogue[d].code << " " << e << " "
                                    << kCatalogue[d].variables[list.number[k] - 1].symbol;
                EXPECT_NE(FindSolver(d, e, list.number[k] - 1), nullptr);
                ++entries;
            }
        }
        EXPECT_EQ(static_cast<int>(tables[d]->entries.size()), entries) << kCatalogue[d].code << " has extra entries";
        triples += entries;
    }
    EXPECT_EQ(triples, 129);
}

TEST(SolverLookup, NoSolverOutsideTheCatalogue) {
    EXPECT_EQ(FindSolver(ORB, 1, Var(ORB, "G")), nullptr);
    EXPECT_EQ(FindSolver(BOP, 2, Var(BOP, "c")), nullptr);
    EXPECT_EQ(FindSolver(BOP, 8, 0), nullptr);
}

}  // namespace
}  // namespace kalvo
