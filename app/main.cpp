// kalvo: the stand-in host's front end for the Kalvo MFD page.
#include <CLI/CLI.hpp>
#include <iostream>

#include "app/catalogue_listing.h"
#include "app/solve_command.h"

int main(int argc, char** argv) {
    CLI::App app{"Kalvo MFD: a pocket equation solver page for a space-flight simulator's displays"};
    app.require_subcommand(0, 1);

    bool catalogueJson = false;
    CLI::App* catalogue = app.add_subcommand("catalogue", "List every directory, equation and variable");
    catalogue->add_flag("--json", catalogueJson, "Print the catalogue as JSON");

    kalvo::app::SolveRequest solveRequest;
    CLI::App* solve = app.add_subcommand("solve", "Solve one equation of the page for one variable");
    solve->add_option("DIR", solveRequest.directory, "Directory code (BOP ORB ESC FUE INC MOV LNC RNT GLD)")
        ->required();
    solve->add_option("EQ", solveRequest.equation, "Equation number in the directory, from 0")->required();
    solve->add_option("VAR", solveRequest.variable, "Symbol of the variable to solve for")->required();
    solve->add_option("SYMBOL=VALUE", solveRequest.assignments, "Values of the directory's variables");
    solve->add_option("--set", solveRequest.variableSet, "Variable set, 1 or 2")
        ->check(CLI::IsMember({1, 2}))
        ->capture_default_str();
    solve->add_flag("--json", solveRequest.json, "Print the result as JSON");

    CLI11_PARSE(app, argc, argv);

    if (catalogue->parsed()) {
        if (catalogueJson)
            kalvo::app::PrintCatalogueJson(std::cout);
        else
            kalvo::app::PrintCatalogue(std::cout);
        return 0;
    }
    if (solve->parsed()) return kalvo::app::RunSolve(solveRequest, std::cout, std::cerr);
    std::cout << app.help();
    return 0;
}
