// kalvo: the stand-in host's front end for the Kalvo MFD page.
#include <CLI/CLI.hpp>
#include <iostream>

#include "app/catalogue_listing.h"

int main(int argc, char** argv) {
    CLI::App app{"Kalvo MFD: a pocket equation solver page for a space-flight simulator's displays"};
    app.require_subcommand(0, 1);

    bool catalogueJson = false;
    CLI::App* catalogue = app.add_subcommand("catalogue", "List every directory, equation and variable");
    catalogue->add_flag("--json", catalogueJson, "Print the catalogue as JSON");

    CLI11_PARSE(app, argc, argv);

    if (catalogue->parsed()) {
        if (catalogueJson)
            kalvo::app::PrintCatalogueJson(std::cout);
        else
            kalvo::app::PrintCatalogue(std::cout);
        return 0;
    }
    std::cout << app.help();
    return 0;
}
