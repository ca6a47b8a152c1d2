// Limits of the catalogue and what is derived from its contents: variable indices
// by symbol, the equation variable lists and the system-value lists.
#pragma once

#include <array>
#include <string_view>

#include "catalogue/directory_tables.h"

namespace kalvo {

inline constexpr int kDirectoryCount = static_cast<int>(std::size(kCatalogue));
static_assert(kDirectoryCount == GLD + 1, "one table entry per directory of the directory row");

// The slots the page's tables hold: the catalogue is checked against them below.
inline constexpr int kMaxEquations = 11;
inline constexpr int kMaxVariables = 13;
inline constexpr int kMaxEquationVariables = 10;
inline constexpr int kVariableSetCount = 2;

// Marks the positions after the last entry of a variable list; never a variable number.
inline constexpr int kEndOfList = 255;

// Widths of the text slots, terminating zero included.
inline constexpr int kCodeSlot = 4;
inline constexpr int kHelpSlot = 50;
inline constexpr int kSymbolSlot = 5;
inline constexpr int kUnitSlot = 12;
inline constexpr int kLongNameSlot = 20;

// Index of the variable with this symbol in directory d, or -1.
constexpr int FindVariable(int d, std::string_view symbol) {
    const auto variables = kCatalogue[d].variables;
    for (int i = 0; i < static_cast<int>(variables.size()); ++i)
        if (variables[i].symbol == symbol) return i;
    return -1;
}

// Index of a variable the code names by its symbol; an unknown symbol does not compile.
consteval int Var(Directory d, std::string_view symbol) {
    const int index = FindVariable(d, symbol);
    if (index < 0) throw "no variable with this symbol in the directory";
    return index;
}

// A list of 1-based variable numbers, ascending, padded with kEndOfList.
struct VariableNumbers {
    std::array<int, kMaxVariables> number{};
    int count = 0;
};

// The variables the user can select in equation e of directory d.
constexpr VariableNumbers EquationVariableNumbers(int d, int e) {
    VariableNumbers list;
    list.number.fill(kEndOfList);
    std::string_view rest = kCatalogue[d].equations[e].variables;
    while (!rest.empty()) {
        const auto blank = rest.find(' ');
        const auto symbol = rest.substr(0, blank);
        list.number[list.count++] = FindVariable(d, symbol) + 1;
        rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank + 1);
    }
    return list;
}

// The variables of directory d that a reading of the simulation can supply.
constexpr VariableNumbers SystemValueNumbers(int d) {
    VariableNumbers list;
    list.number.fill(kEndOfList);
    const auto variables = kCatalogue[d].variables;
    for (int i = 0; i < static_cast<int>(variables.size()); ++i)
        if (variables[i].fetchable) list.number[list.count++] = i + 1;
    return list;
}

constexpr int EquationCount(int d) { return static_cast<int>(kCatalogue[d].equations.size()); }
constexpr int VariableCount(int d) { return static_cast<int>(kCatalogue[d].variables.size()); }

// The catalogue against the page's slots, checked where it is compiled: a twelfth
// equation, a fourteenth variable, a misspelt or unordered symbol in an equation's
// list or a text too long for its slot does not build.

consteval bool EveryDirectoryFitsItsSlots() {
    for (int d = 0; d < kDirectoryCount; ++d)
        if (EquationCount(d) < 1 || EquationCount(d) > kMaxEquations || VariableCount(d) < 1 ||
            VariableCount(d) > kMaxVariables)
            return false;
    return true;
}
static_assert(EveryDirectoryFitsItsSlots(), "1 to 11 equations and 1 to 13 variables a directory");

// Every symbol of an equation's list names a variable of its directory, in
// ascending order, and the list holds 1 to 10 of them.
consteval bool EveryEquationListNamesRisingVariables() {
    for (int d = 0; d < kDirectoryCount; ++d)
        for (int e = 0; e < EquationCount(d); ++e) {
            const VariableNumbers list = EquationVariableNumbers(d, e);
            if (list.count < 1 || list.count > kMaxEquationVariables) return false;
            for (int k = 0; k < list.count; ++k)
                if (list.number[k] < 1 || (k > 0 && list.number[k] <= list.number[k - 1])) return false;
        }
    return true;
}
static_assert(EveryEquationListNamesRisingVariables(), "an equation lists an unknown or unordered symbol");

// Every text fits its slot with its terminating zero, so no copy is cut.
consteval bool EveryTextFitsItsSlot() {
    for (const auto& directory : kCatalogue) {
        if (directory.code.size() >= kCodeSlot) return false;
        for (const auto& equation : directory.equations)
            for (const auto line : equation.help)
                if (line.size() >= kHelpSlot) return false;
        for (const auto& variable : directory.variables)
            if (variable.symbol.size() >= kSymbolSlot || variable.unit.size() >= kUnitSlot ||
                variable.longName.size() >= kLongNameSlot)
                return false;
    }
    return true;
}
static_assert(EveryTextFitsItsSlot(), "a text longer than its slot");

}  // namespace kalvo
