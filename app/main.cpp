// kalvo: the stand-in host's front end for the Kalvo MFD page.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "app/catalogue_listing.h"
#include "app/exit_status.h"
#include "app/live/bezel.h"
#include "app/live/live_keys.h"
#include "app/live/live_page.h"
#include "app/module_location.h"
#include "app/play_command.h"
#include "app/solve_command.h"
#include "sim/host/module_loader.h"
#include "sim/world/scenario.h"
#include "ui/version.h"

namespace {

// The help's own width, and where its entries' texts start.
constexpr int kHelpWidth = 80;
constexpr int kHelpIndent = 6;

// `text` after `name`, in lines of the help's width; the name stands in the first
// line's indent.
std::string HelpEntry(const std::string& name, const std::string& text) {
    std::string entry;
    for (const std::string& line : kalvo::app::WrapWords(text, kHelpWidth - kHelpIndent)) {
        const std::string lead = entry.empty() ? "  " + name : "";
        entry.append(lead).append(kHelpIndent - lead.size(), ' ').append(line).append("\n");
    }
    return entry;
}

std::string LiveKeysHelp() {
    std::string help = "Keys of the live page:\n";
    help += HelpEntry("",
                      "a button's select character, or the key it stands for, presses the button, as does a click "
                      "on its label (? shows them all)");
    for (const kalvo::app::HostKey& key : kalvo::app::kHostKeys) help += HelpEntry(key.name, key.does);
    help += HelpEntry("",
                      "in the input box: Left, Right, Home, End, Backspace, Delete and Ctrl-U edit the number, "
                      "Enter stores it, Esc closes the box without storing");
    return help + "\n";
}

// The add-on's version, and the module's own as its GetModuleVersion reports it.
int PrintVersion(std::ostream& out, std::ostream& err) {
    out << "Kalvo MFD add-on " << KALVO_VERSION << '\n';
    try {
        const sim::LoadedModule module(kalvo::app::FindModule());
        out << "module " << module.Path() << ": GetModuleVersion " << module.Version() << '\n';
        return kalvo::app::kExitDone;
    } catch (const sim::ModuleError& error) {
        err << "kalvo: " << error.what() << '\n';
        return kalvo::app::kExitNoModule;
    }
}

std::string ExitStatusHelp() {
    std::string help = "Exit status:\n";
    for (const kalvo::app::ExitStatusMeaning& exit : kalvo::app::kExitStatuses)
        help += HelpEntry(std::to_string(exit.status), exit.meaning);
    return help;
}

}  // namespace

// Every command reports its own failures; only a fault would throw past them, and
// the C++ runtime ends the program on that.
int main(int argc, char** argv) {  // NOLINT(bugprone-exception-escape)
    CLI::App app{
        "Kalvo MFD: a pocket equation solver page for a space-flight simulator's displays.\n"
        "Without a command, shows the live page in the terminal."};
    app.require_subcommand(0, 1);
    app.footer(LiveKeysHelp() + ExitStatusHelp());
    bool version = false;
    app.add_flag("--version", version, "Print the add-on's version and the module's, and exit");

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
    // Required, and checked by the command, which names the valid values.
    solve->add_option("DIR", solveRequest.directory, "Directory code (BOP ORB ESC FUE INC MOV LNC RNT GLD)");
    solve->add_option("EQ", solveRequest.equation, "Equation number in the directory, from 0");
    solve->add_option("VAR", solveRequest.variable, "Symbol of the variable to solve for");
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
    play->add_flag("--json", playRequest.json,
                   "Write the final page as JSON: the selection, the status its drawing showed and every value of the "
                   "directory in both variable sets, exactly");
    play->add_option("--scenario", playRequest.scenario, "A built-in scenario or a scenario file")
        ->capture_default_str();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help prints the help and succeeds; anything else is a bad command line.
        return app.exit(error) == 0 ? kalvo::app::kExitDone : kalvo::app::kExitUsage;
    }

    if (version) return PrintVersion(std::cout, std::cerr);
    if (app.get_subcommands().size() == 1 && (liveScenario->count() > 0 || liveSize->count() > 0)) {
        std::cerr << "kalvo: --scenario and --size before a command are the live page's; give them after \""
                  << app.get_subcommands().front()->get_name() << "\"\n";
        return kalvo::app::kExitUsage;
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
