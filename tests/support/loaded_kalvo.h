// The built Kalvo MFD module, loaded through the stand-in host as the simulator
// loads it, afresh for every test: module-wide state (values, clipboard, input
// target) comes only from the loaded library and starts as a load leaves it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "host/entry.h"
#include "host/inspection.h"
#include "sim/host/display.h"
#include "sim/host/host.h"
#include "sim/host/module_loader.h"

namespace kalvo::test {

// A value store cell, by variable set (from 0), directory and symbol.
struct CellName {
    int set;
    int directory;
    std::string symbol;
    bool operator==(const CellName&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const CellName& cell) {
    return out << "set " << cell.set << " " << kCatalogue[cell.directory].code << " " << cell.symbol;
}

// Every cell of every real variable, in both sets.
using StoreSnapshot = std::vector<double>;

class LoadedKalvo : public ::testing::Test {
protected:
    void SetUp() override { Load(); }
    void TearDown() override { Unload(); }

    void Load() {
        module = std::make_unique<sim::LoadedModule>(KALVO_MODULE_PATH);
        valueCell = module->ExportAs<decltype(&KalvoValueCell)>("KalvoValueCell");
        pageStatus = module->ExportAs<decltype(&KalvoPageStatus)>("KalvoPageStatus");
        pageSelection = module->ExportAs<decltype(&KalvoPageSelection)>("KalvoPageSelection");
        ASSERT_NE(valueCell, nullptr);
        ASSERT_NE(pageStatus, nullptr);
        ASSERT_NE(pageSelection, nullptr);
    }
    void Unload() { module.reset(); }
    // Module-wide state starts afresh.
    void Reload() {
        Unload();
        Load();
    }

    // A display of this size switched to Kalvo MFD.
    std::unique_ptr<sim::Display> OpenPage(DWORD width = 400, DWORD height = 400) {
        auto display = std::make_unique<sim::Display>(width, height);
        EXPECT_TRUE(display->SelectMode(kModeKey));
        return display;
    }

    double& Cell(int set, int d, std::string_view symbol) {
        const int v = FindVariable(d, symbol);
        EXPECT_GE(v, 0) << symbol;
        return *valueCell(set, d, v);
    }
    double& Cell(const CellName& cell) { return Cell(cell.set, cell.directory, cell.symbol); }

    StoreSnapshot Snapshot() {
        StoreSnapshot cells;
        ForEachCell([&](double& cell) { cells.push_back(cell); });
        return cells;
    }

    // What the display's page has selected, as the module tells it.
    KalvoSelection Selection(const sim::Display& display) {
        KalvoSelection selection{-1, -1, -1, -1, -1, -1, -1, -1};
        EXPECT_TRUE(pageSelection(display.Page(), &selection)) << "the display shows no Kalvo MFD page";
        return selection;
    }

    // The selected cell.
    CellName SelectedCell(const sim::Display& display) {
        const KalvoSelection selection = Selection(display);
        if (selection.directory < 0) return {-1, -1, ""};
        return {selection.variableSet, selection.directory,
                std::string(kCatalogue[selection.directory].variables[selection.variable].symbol)};
    }

    // The symbols of the current equation, walked with Prev and Next Variable; the
    // selection ends on the equation's last variable, its redraw requests taken.
    std::vector<std::string> EquationSymbols(sim::Display& display) {
        for (int i = 0; i < kMaxEquationVariables; ++i) display.PressKey(OAPI_KEY_COMMA);
        display.TakeRedrawRequest();
        std::vector<std::string> symbols{SelectedCell(display).symbol};
        while (display.PressKey(OAPI_KEY_PERIOD) && display.TakeRedrawRequest())
            symbols.push_back(SelectedCell(display).symbol);
        return symbols;
    }

    void Press(sim::Display& display, DWORD key, int times = 1) {
        for (int i = 0; i < times; ++i) EXPECT_TRUE(display.PressKey(key)) << "key " << key;
    }

    std::unique_ptr<sim::LoadedModule> module;
    decltype(&KalvoValueCell) valueCell = nullptr;
    decltype(&KalvoPageStatus) pageStatus = nullptr;
    decltype(&KalvoPageSelection) pageSelection = nullptr;

private:
    template <typename Visit>
    void ForEachCell(Visit visit) {
        for (int s = 0; s < kVariableSetCount; ++s)
            for (int d = 0; d < kDirectoryCount; ++d)
                for (int v = 0; v < VariableCount(d); ++v)
                    if (kCatalogue[d].variables[v].symbol != "G") visit(*valueCell(s, d, v));
    }
};

}  // namespace kalvo::test
