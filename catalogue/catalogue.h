// Limits of the catalogue and what is derived from its contents: variable indices
// by symbol, the equation variable lists and the system-value lists.
#pragma once

#include <array>
#include <string_view>

#include "catalogue/contents.h"

namespace kalvo {

inline constexpr int kDirectoryCount = 9;
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

}  // namespace kalvo
