#include "app/solve_command.h"

#include <charconv>
#include <cstdlib>
#include <iomanip>
#include <stdexcept>

#include "app/exit_status.h"
#include "app/json_values.h"
#include "app/module_location.h"
#include "app/page_session.h"
#include "catalogue/catalogue.h"
#include "sim/host/module_loader.h"
#include "ui/command_keys.h"
#include "ui/status_messages.h"
#include "ui/value_format.h"

namespace kalvo::app {

namespace {

// A request that names something the catalogue does not have.
class RequestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Assignment {
    int variable;
    double value;
};

// A request checked against the catalogue: indices from 0, values read.
struct CheckedRequest {
    int directory;
    int equation;
    int position;  // of the variable in the equation's list
    int variable;
    int set;  // from 0
    std::vector<Assignment> assignments;
};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string DirectoryCodes() {
    std::string codes;
    for (const DirectoryRow& directory : kCatalogue) codes += (codes.empty() ? "" : " ") + std::string(directory.code);
    return codes;
}

std::string_view SymbolOf(int d, int v) { return kCatalogue[d].variables[v].symbol; }

bool IsGravitationalConstant(int d, int v) { return SymbolOf(d, v) == "G"; }

int FindDirectory(const std::optional<std::string>& given) {
    if (!given) throw RequestError("DIR is required (one of " + DirectoryCodes() + ")");
    const std::string& code = *given;
    std::string upper = code;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (int d = 0; d < kDirectoryCount; ++d)
        if (kCatalogue[d].code == upper) return d;
    throw RequestError("unknown directory " + Quoted(code) + " (expected one of " + DirectoryCodes() + ")");
}

int FindEquation(int d, const std::optional<std::string>& given) {
    const std::string range =
        std::string(kCatalogue[d].code) + " has equations 0 to " + std::to_string(EquationCount(d) - 1);
    if (!given) throw RequestError("EQ is required (" + range + ")");
    const std::string& text = *given;
    int equation = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), equation);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        throw RequestError("equation " + Quoted(text) + " is not a number (" + range + ")");
    if (equation < 0 || equation >= EquationCount(d))
        throw RequestError("equation " + text + " out of range (" + range + ")");
    return equation;
}

// The variable's position in the equation's list.
int FindPosition(int d, int e, const std::optional<std::string>& symbol) {
    const VariableNumbers list = EquationVariableNumbers(d, e);
    std::string symbols;
    for (int k = 0; k < list.count; ++k) {
        if (symbol && SymbolOf(d, list.number[k] - 1) == *symbol) return k;
        symbols += (k == 0 ? "" : " ") + std::string(SymbolOf(d, list.number[k] - 1));
    }
    const std::string equation = std::string(kCatalogue[d].code) + " equation " + std::to_string(e);
    if (!symbol) throw RequestError("VAR is required (" + equation + "'s variables are " + symbols + ")");
    throw RequestError("variable " + Quoted(*symbol) + " is not in " + equation + " (its variables are " + symbols +
                       ")");
}

// Any number the C library reads, infinities and NaN included, and nothing after it.
double ReadValue(const std::string& symbol, const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end == text.c_str() || *end != '\0')
        throw RequestError("value of " + Quoted(symbol) + " is not a number: " + Quoted(text));
    return value;
}

Assignment ReadAssignment(int d, const std::string& text) {
    const auto equals = text.find('=');
    if (equals == std::string::npos) throw RequestError("expected SYMBOL=VALUE, got " + Quoted(text));
    const std::string symbol = text.substr(0, equals);
    const int variable = FindVariable(d, symbol);
    if (variable >= 0 && IsGravitationalConstant(d, variable))
        throw RequestError("\"G\" cannot be set: it holds the constant of gravitation");
    if (variable < 0) {
        std::string symbols;
        for (int v = 0; v < VariableCount(d); ++v)
            if (!IsGravitationalConstant(d, v)) symbols += (symbols.empty() ? "" : " ") + std::string(SymbolOf(d, v));
        throw RequestError("unknown symbol " + Quoted(symbol) + " in " + std::string(kCatalogue[d].code) +
                           " (expected one of " + symbols + ")");
    }
    return {variable, ReadValue(symbol, text.substr(equals + 1))};
}

CheckedRequest Check(const SolveRequest& request) {
    CheckedRequest checked{};
    checked.directory = FindDirectory(request.directory);
    checked.equation = FindEquation(checked.directory, request.equation);
    checked.position = FindPosition(checked.directory, checked.equation, request.variable);
    checked.variable = EquationVariableNumbers(checked.directory, checked.equation).number[checked.position] - 1;
    if (request.variableSet < 1 || request.variableSet > kVariableSetCount)
        throw RequestError("variable set " + std::to_string(request.variableSet) + " out of range (expected 1 or 2)");
    checked.set = request.variableSet - 1;
    for (const std::string& text : request.assignments) {
        const Assignment assignment = ReadAssignment(checked.directory, text);
        for (const Assignment& earlier : checked.assignments)
            if (earlier.variable == assignment.variable)
                throw RequestError(Quoted(SymbolOf(checked.directory, assignment.variable)) + " is given twice");
        checked.assignments.push_back(assignment);
    }
    return checked;
}

void Press(PageSession& session, CommandKey key, int times) {
    for (int i = 0; i < times; ++i)
        if (!session.PressKey(key)) throw sim::ModuleError("the page did not take key " + std::to_string(key));
}

struct Outcome {
    int status;
    std::vector<double> values;  // every variable of the directory
};

// Loads the module, opens a display in its mode, writes the inputs, selects the
// variable with the page's own keys and solves.
Outcome SolveOnThePage(const CheckedRequest& request) {
    PageSession session(FindModule(), kDefaultDisplaySize);
    for (const Assignment& assignment : request.assignments)
        session.Cell(request.set, request.directory, assignment.variable) = assignment.value;
    Press(session, kKeySelectVariableSet, request.set);
    Press(session, kKeyNextDirectory, request.directory);
    Press(session, kKeyNextEquation, request.equation);
    Press(session, kKeyNextVariable, request.position);
    Press(session, kKeySolve, 1);

    Outcome outcome{session.Status(), {}};
    for (int v = 0; v < VariableCount(request.directory); ++v)
        outcome.values.push_back(session.Cell(request.set, request.directory, v));
    return outcome;
}

void PrintText(const CheckedRequest& request, const Outcome& outcome, std::ostream& out) {
    const int d = request.directory;
    const EquationRow& equation = kCatalogue[d].equations[request.equation];
    out << kCatalogue[d].code << " equation " << request.equation << ": " << equation.help[0] << '\n';
    for (int line = 1; line < 3; ++line)
        if (!equation.help[line].empty())
            out << std::string(kCatalogue[d].code.size() + 12, ' ') << equation.help[line] << '\n';
    out << "solved for " << SymbolOf(d, request.variable) << " in variable set " << request.set + 1 << ": status "
        << outcome.status << ", message " << Quoted(MessageOfStatus(outcome.status).text) << '\n';
    for (int v = 0; v < VariableCount(d); ++v) {
        const VariableRow& variable = kCatalogue[d].variables[v];
        out << "  " << std::left << std::setw(5) << variable.symbol << ' ' << std::setw(14)
            << FormatValue(outcome.values[v]).c_str() << ' ' << std::setw(11) << variable.unit << ' '
            << variable.longName << std::right << '\n';
    }
}

void PrintJson(const CheckedRequest& request, const Outcome& outcome, std::ostream& out) {
    const int d = request.directory;
    const nlohmann::ordered_json values = JsonOfDirectoryValues(d, [&](int v) { return outcome.values[v]; });
    const nlohmann::ordered_json result = {{"directory", std::string(kCatalogue[d].code)},
                                           {"equation", request.equation},
                                           {"variable", std::string(SymbolOf(d, request.variable))},
                                           {"set", request.set + 1},
                                           {"status", outcome.status},
                                           {"message", MessageOfStatus(outcome.status).text},
                                           {"values", values}};
    out << result.dump() << '\n';
}

}  // namespace

int RunSolve(const SolveRequest& request, std::ostream& out, std::ostream& err) {
    try {
        const CheckedRequest checked = Check(request);
        const Outcome outcome = SolveOnThePage(checked);
        if (request.json)
            PrintJson(checked, outcome, out);
        else
            PrintText(checked, outcome, out);
        // A solve's status is 0, kExitSolveError or kExitSolveNotAvailable, the page's own codes.
        return outcome.status;
    } catch (const RequestError& error) {
        err << "kalvo solve: " << error.what() << '\n';
        return kExitUsage;
    } catch (const std::exception& error) {
        err << "kalvo solve: " << error.what() << '\n';
        return kExitNoModule;
    }
}

}  // namespace kalvo::app
