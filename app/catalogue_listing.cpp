#include "app/catalogue_listing.h"

#include <iomanip>
#include <nlohmann/json.hpp>
#include <string>

#include "catalogue/catalogue.h"

namespace kalvo::app {

namespace {

std::string Text(std::string_view text) { return std::string(text); }

}  // namespace

void PrintCatalogue(std::ostream& out) {
    for (int d = 0; d < kDirectoryCount; ++d) {
        const DirectoryRow& directory = kCatalogue[d];
        out << directory.code << ": " << EquationCount(d) << " equations, " << VariableCount(d) << " variables\n";
        for (int e = 0; e < EquationCount(d); ++e) {
            const EquationRow& equation = directory.equations[e];
            out << "  equation " << std::setw(2) << e << "  line 1: " << equation.help[0] << '\n'
                << "               line 2: " << equation.help[1] << '\n'
                << "               line 3: " << equation.help[2] << '\n'
                << "               variables: " << equation.variables << '\n';
        }
        out << "  no.  symbol  long name          unit        from simulation\n";
        for (int v = 0; v < VariableCount(d); ++v) {
            const VariableRow& variable = directory.variables[v];
            out << "  " << std::setw(3) << v + 1 << "  " << std::left << std::setw(6) << variable.symbol << "  "
                << std::setw(17) << variable.longName << "  " << std::setw(10)
                << (variable.unit == " " ? "-" : Text(variable.unit)) << "  " << std::right
                << (variable.fetchable ? "yes" : "no") << '\n';
        }
        out << '\n';
    }
}

void PrintCatalogueJson(std::ostream& out) {
    nlohmann::ordered_json directories = nlohmann::ordered_json::array();
    for (int d = 0; d < kDirectoryCount; ++d) {
        const DirectoryRow& directory = kCatalogue[d];
        nlohmann::ordered_json equations = nlohmann::ordered_json::array();
        for (int e = 0; e < EquationCount(d); ++e) {
            const EquationRow& equation = directory.equations[e];
            nlohmann::ordered_json symbols = nlohmann::ordered_json::array();
            const VariableNumbers list = EquationVariableNumbers(d, e);
            for (int k = 0; k < list.count; ++k)
                symbols.push_back(Text(directory.variables[list.number[k] - 1].symbol));
            equations.push_back({{"number", e},
                                 {"help", {Text(equation.help[0]), Text(equation.help[1]), Text(equation.help[2])}},
                                 {"variables", symbols}});
        }
        nlohmann::ordered_json variables = nlohmann::ordered_json::array();
        for (int v = 0; v < VariableCount(d); ++v) {
            const VariableRow& variable = directory.variables[v];
            variables.push_back({{"number", v + 1},
                                 {"index", v},
                                 {"symbol", Text(variable.symbol)},
                                 {"name", Text(variable.longName)},
                                 {"unit", Text(variable.unit)},
                                 {"fetchable", variable.fetchable}});
        }
        directories.push_back({{"code", Text(directory.code)}, {"equations", equations}, {"variables", variables}});
    }
    out << nlohmann::ordered_json{{"directories", directories}}.dump() << '\n';
}

}  // namespace kalvo::app
