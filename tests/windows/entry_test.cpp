// The DLL's entry routine and exports, through the real Windows loader.
#include <gtest/gtest.h>

#include <string>

#include "tests/windows/host_fixture.h"

namespace kalvo::test {
namespace {

// The import of the host's functions resolves to this program: the host state the
// loaded module changes is this program's own.
TEST(Entry, LoadingRunsDllMainWhichCallsInitLibWithTheModuleHandle) {
    sim::ResetHostState();
    {
        const sim::LoadedModule module(ModulePath());
        const auto handle = reinterpret_cast<HMODULE>(module.Handle());
        EXPECT_EQ(GetModuleHandleA("KalvoMFD.dll"), handle);
        EXPECT_EQ(GetModuleHandleA("kalvo-sim.exe"), GetModuleHandleA(nullptr));
        EXPECT_EQ(sim::InitLibCalls(), 1);
        EXPECT_EQ(sim::InitLibModule(), module.Handle());

        ASSERT_EQ(sim::RegisteredModes().size(), 1u);
        EXPECT_EQ(sim::RegisteredModes()[0].name, "Kalvo MFD");
        EXPECT_EQ(sim::RegisteredModes()[0].key, 18u);
        EXPECT_EQ(module.ModeIds(), std::vector<int>{sim::RegisteredModes()[0].id});
        EXPECT_EQ(module.Version(), 20060425);
        EXPECT_EQ(module.Version(), 20060425);
        EXPECT_EQ(sim::Date2IntCalls(), 1);
    }
    // Unloading: DllMain's detach ran the exit hook, which unregistered the mode.
    EXPECT_EQ(GetModuleHandleA("KalvoMFD.dll"), nullptr);
    EXPECT_TRUE(sim::RegisteredModes().empty());
    EXPECT_EQ(sim::InitLibCalls(), 1);
    sim::ResetHostState();
}

// The exit hook is looked up as "ExitModule", then "opcDLLExit": the module has
// only the second. Its exports are the three entry points and two inspection functions.
TEST(Entry, ExportsTheEntryPointsAndNoExitModule) {
    sim::ResetHostState();
    const sim::LoadedModule module(ModulePath());
    const auto handle = reinterpret_cast<HMODULE>(module.Handle());
    EXPECT_EQ(GetProcAddress(handle, "ExitModule"), nullptr);
    for (const char* name : {"opcDLLInit", "opcDLLExit", "GetModuleVersion", "KalvoValueCell", "KalvoPageStatus"})
        EXPECT_NE(GetProcAddress(handle, name), nullptr) << name;
    EXPECT_EQ(GetProcAddress(handle, "MsgProc"), nullptr);
    EXPECT_EQ(GetProcAddress(handle, "DllMain"), nullptr);
}

// A second load while loaded is the same module: DllMain does not attach again.
TEST(Entry, LoadingTwiceAttachesOnce) {
    sim::ResetHostState();
    const sim::LoadedModule module(ModulePath());
    const HMODULE again = LoadLibraryA(ModulePath().c_str());
    EXPECT_EQ(again, reinterpret_cast<HMODULE>(module.Handle()));
    FreeLibrary(again);
    EXPECT_EQ(sim::InitLibCalls(), 1);
    EXPECT_EQ(sim::RegisteredModes().size(), 1u);
}

// What a launchpad lists for the module: a description and its category.
TEST(Entry, CarriesItsDescriptionAndCategoryAsStringResources) {
    const sim::LoadedModule module(ModulePath());
    const auto handle = reinterpret_cast<HMODULE>(module.Handle());
    char text[256] = {};
    ASSERT_GT(LoadStringA(handle, 1000, text, sizeof text), 0);
    EXPECT_EQ(std::string(text).rfind("Kalvo MFD: a pocket equation solver page", 0), 0u) << text;
    ASSERT_GT(LoadStringA(handle, 1001, text, sizeof text), 0);
    EXPECT_STREQ(text, "MFD modes");
    EXPECT_EQ(LoadStringA(handle, 1002, text, sizeof text), 0);
}

TEST(Entry, AMissingModuleIsNamedWithTheLoadersReason) {
    try {
        const sim::LoadedModule module(sim::ExecutableDirectory() + "\\NoSuchModule.dll");
        ADD_FAILURE() << "loaded a module that is not there";
    } catch (const sim::ModuleError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("cannot load module \"" + sim::ExecutableDirectory() + "\\NoSuchModule.dll\": ", 0), 0u)
            << message;
        EXPECT_NE(message.find("(code 126)"), std::string::npos) << message;  // ERROR_MOD_NOT_FOUND
    }
}

}  // namespace
}  // namespace kalvo::test
