// The stand-in host's module loader and displays, without and with a module.
#include "sim/host/module_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sim/host/display.h"
#include "sim/host/host.h"

namespace {

// The message of loading `path`, which must fail.
std::string LoadError(const std::string& path) {
    try {
        sim::LoadedModule module(path);
    } catch (const sim::ModuleError& error) {
        return error.what();
    }
    ADD_FAILURE() << path << " loaded";
    return "";
}

TEST(ModuleLoader, NamesThePathOfAMissingModule) {
    const std::string path = "/nonexistent/KalvoMFD.so";
    const std::string message = LoadError(path);
    EXPECT_EQ(message.rfind("cannot load module \"/nonexistent/KalvoMFD.so\": ", 0), 0u) << message;
    EXPECT_EQ(LoadError(""), "cannot load module \"\": no path given");
}

TEST(ModuleLoader, NamesThePathOfAFileThatIsNoLibrary) {
    const auto path = std::filesystem::temp_directory_path() / "kalvo-not-a-library.so";
    std::ofstream(path) << "not a shared library\n";
    const std::string message = LoadError(path.string());
    EXPECT_EQ(message.rfind("cannot load module \"" + path.string() + "\": ", 0), 0u) << message;
    std::filesystem::remove(path);
}

TEST(ModuleLoader, RefusesALibraryWithoutTheInitialisationEntry) {
    const int modes = static_cast<int>(sim::RegisteredModes().size());
    EXPECT_EQ(LoadError(KALVO_HOST_LIBRARY_PATH),
              "cannot load module \"" KALVO_HOST_LIBRARY_PATH "\": it is not an add-on module (no opcDLLInit)");
    EXPECT_EQ(static_cast<int>(sim::RegisteredModes().size()), modes);
}

TEST(Display, AcceptsOnlySizesAMessageProcedureCanCarry) {
    for (const auto& [width, height] : {std::pair<DWORD, DWORD>{0, 100}, {100, 0}, {65536, 100}, {100, 65536}})
        EXPECT_THROW(sim::Display(width, height), std::invalid_argument) << width << "x" << height;
    sim::Display largest(65535, 65535);
    EXPECT_EQ(largest.Width(), 65535u);
}

TEST(Display, WithoutAModeTakesNothing) {
    sim::Display display(400, 400);
    EXPECT_FALSE(display.SelectMode(0xABCD));
    EXPECT_EQ(display.ModeId(), 0);
    EXPECT_EQ(display.Page(), nullptr);
    EXPECT_FALSE(display.PressKey(13));
    EXPECT_FALSE(display.ClickButton(0));
    EXPECT_TRUE(display.ButtonLabels().empty());
    EXPECT_EQ(display.ButtonMenu(nullptr), 0);
    EXPECT_FALSE(display.TakeRedrawRequest());
    display.Draw(nullptr);
}

OAPI_MSGTYPE NoPage(UINT, UINT, WPARAM, LPARAM) { return 0; }

TEST(Display, AModeThatGivesNoPageLeavesTheDisplayEmpty) {
    char name[] = "Refusing";
    MFDMODESPEC refusing{name, 0x77, NoPage};
    const int id = oapiRegisterMFDMode(refusing);
    sim::Display display(400, 400);
    EXPECT_FALSE(display.SelectMode(0x77));
    EXPECT_EQ(display.ModeId(), 0);
    EXPECT_EQ(display.Page(), nullptr);
    oapiUnregisterMFDMode(id);
}

}  // namespace
