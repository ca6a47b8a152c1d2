// The values of every variable, in two variable sets.
//
// Module-wide: the host destroys a mode instance whenever its display changes mode,
// and the values must outlive that. They are shared by every open display and last
// as long as the module is loaded.
#pragma once

#include <array>

#include "catalogue/catalogue.h"
#include "catalogue/constants.h"

namespace kalvo {

// The cells of one directory in one variable set, by variable.
using DirectoryCells = std::array<double, kMaxVariables>;
// [variable set][directory][variable]
using ValueStoreCells = std::array<std::array<DirectoryCells, kDirectoryCount>, kVariableSetCount>;

// All zero but the two cells of G in each set, which no command can select.
constexpr ValueStoreCells InitialValueStore() {
    ValueStoreCells cells{};
    for (auto& set : cells) {
        set[ORB][Var(ORB, "G")] = kGravitationalConstant;
        set[LNC][Var(LNC, "G")] = kGravitationalConstant;
    }
    return cells;
}

extern ValueStoreCells ValueStore;

}  // namespace kalvo
