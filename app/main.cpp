// kalvo: the stand-in host's front end for the Kalvo MFD page.
#include <CLI/CLI.hpp>
#include <iostream>

#include "app/catalogue_listing.h"
#include "app/live_page.h"
#include "app/play_command.h"
#include "app/solve_command.h"
#include "sim/scenario.h"

int main(int argc, char** argv) {
    CLI::App app{
        "Kalvo MFD: a pocket equation solver page for a space-flight simulator's displays.\n"
        "Without a command, shows the live page in the terminal."};
    app.require_subcommand(0, 1);

    kalvo::app::LiveRequest liveRequest;
    CLI::Option* liveScenario =
        app.add_option("--scenario", liveRequest.scenario, "Live page: a built-in scenario or a scenario file")
            ->capture_default_str();
    CLI::Option* liveSize = app.add_option("--size", liveRequest.size, "Live page: display size WIDTHxHEIGHT in pixels")
                                ->capture_default_str();

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

    kalvo::app::PlayRequest playRequest;
    CLI::App* play = app.add_subcommand("play", "Drive the page with a script and write the page it ends on");
    play->add_option("SCRIPT", playRequest.script,
                     "Steps: a button label as the page shows it (Dr> Slv Get ...), type:TEXT into the open input "
                     "box, wait:SECONDS of the world's time, draw (the host's periodic refresh)");
    play->add_option("--size", playRequest.size, "Display size WIDTHxHEIGHT in pixels")->capture_default_str();
    play->add_option("--png", playRequest.png, "Write the final page to this PNG file");
    play->add_flag("--text", playRequest.text, "Write the final page as text (the default without --png)");
    play->add_flag("--ansi", playRequest.ansi, "Write the final page as text in the page's colours");
    play->add_option("--scenario", playRequest.scenario, "A built-in scenario or a scenario file")
        ->capture_default_str();

    CLI11_PARSE(app, argc, argv);

    if (app.get_subcommands().size() == 1 && (liveScenario->count() > 0 || liveSize->count() > 0)) {
        std::cerr << "kalvo: --scenario and --size before a command are the live page's; give them after \""
                  << app.get_subcommands().front()->get_name() << "\"\n";
        return 2;
    }
    if (catalogue->parsed()) {
        if (catalogueJson)
            kalvo::app::PrintCatalogueJson(std::cout);
        else
            kalvo::app::PrintCatalogue(std::cout);
        return 0;
    }
    if (solve->parsed()) return kalvo::app::RunSolve(solveRequest, std::cout, std::cerr);
    if (play->parsed()) return kalvo::app::RunPlay(playRequest, std::cout, std::cerr);
    return kalvo::app::RunLivePage(liveRequest, std::cout, std::cerr);
}
