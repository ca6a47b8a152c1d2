// The real KalvoMFD.dll loaded by this program, which plays the host: it is named
// kalvo-sim.exe, as the DLL's imports of the host's functions name it, and exports
// the same host operations. A test opens displays in the Kalvo mode and draws them
// with the real GDI into a 32-bit DIB section.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "host/entry.h"
#include "sim/canvas.h"
#include "sim/display.h"
#include "sim/dynamic_library.h"
#include "sim/host.h"
#include "sim/module_loader.h"
#include "sim/scenario.h"
#include "sim/script.h"

namespace kalvo::test {

inline constexpr DWORD kKalvoModeKey = 18;

inline std::string ModulePath() { return sim::ExecutableDirectory() + "\\KalvoMFD.dll"; }

// A display of the Kalvo page with a surface of its size to draw on.
struct DrawnDisplay {
    DrawnDisplay(DWORD width, DWORD height) : display(width, height), canvas(int(width), int(height)) {}

    sim::Pixels Draw() {
        canvas.Clear();
        display.Draw(canvas.Handle());
        return canvas.Read();
    }
    void Play(const std::vector<std::string>& tokens) {
        sim::RunScript(display, sim::ParseScript(tokens, display.ButtonLabels()), [&](int) { Draw(); });
    }
    int CellWidth() const { return MfdHostAccess::CellWidth(*display.Page()); }
    int CellHeight() const { return MfdHostAccess::CellHeight(*display.Page()); }

    sim::Display display;
    sim::Canvas canvas;
};

class HostedKalvo : public ::testing::Test {
protected:
    void SetUp() override {
        sim::ResetHostState();
        ASSERT_EQ(sim::LoadScenario(sim::kDefaultScenario), "");
        module = std::make_unique<sim::LoadedModule>(ModulePath());
        valueCell = module->ExportAs<decltype(&KalvoValueCell)>("KalvoValueCell");
        pageStatus = module->ExportAs<decltype(&KalvoPageStatus)>("KalvoPageStatus");
        ASSERT_NE(valueCell, nullptr);
        ASSERT_NE(pageStatus, nullptr);
    }
    void TearDown() override {
        module.reset();
        sim::ResetHostState();
    }

    std::unique_ptr<DrawnDisplay> OpenPage(DWORD width = 400, DWORD height = 400) {
        auto page = std::make_unique<DrawnDisplay>(width, height);
        EXPECT_TRUE(page->display.SelectMode(kKalvoModeKey));
        return page;
    }

    // A value store cell by variable set (from 0), directory and symbol.
    double& Cell(int set, int d, std::string_view symbol) { return *valueCell(set, d, FindVariable(d, symbol)); }

    HMODULE Handle() const { return reinterpret_cast<HMODULE>(module->Handle()); }

    std::unique_ptr<sim::LoadedModule> module;
    decltype(&KalvoValueCell) valueCell = nullptr;
    decltype(&KalvoPageStatus) pageStatus = nullptr;
};

}  // namespace kalvo::test
