// The module's outer shell: what runs when the library is loaded and unloaded, the
// entry points the host calls, the registration of the display mode and the message
// procedure that creates a page for every display switched to it.
#include "host/entry.h"

#include <new>

#include "catalogue/value_store.h"
#include "host/inspection.h"
#include "ui/solver_mfd.h"

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace kalvo {

namespace {

// The version the module reports, as a date for the host's Date2Int. The host's
// interface takes texts it only reads as char*, so the module's are char arrays.
char moduleDate[] = "Apr 25 2006";

OAPI_MSGTYPE MsgProc(UINT message, UINT display, WPARAM wparam, LPARAM lparam);

// Module-wide, because they belong to the module's load and not to a page: the host
// calls the entry points as plain functions, before any page and after the last.
// The registration record and the id it was given, the exit hook found at load, the
// version once computed, and the handle the loader gave the module.
char modeName[] = "Kalvo MFD";
MFDMODESPEC modeSpec{modeName, kModeKey, MsgProc};
int modeId = 0;
using ExitHook = void (*)(HINSTANCE);
ExitHook exitHook = nullptr;
int versionCache = 0;
HINSTANCE moduleHandle = nullptr;

// Message 1 opens a display in the mode: the page gets the display's width and
// height from the low and high 16 bits of wparam and the vessel from lparam. The
// host owns the page from then on. Without memory for the page or any of its
// tables there is no page, and nothing stays allocated.
OAPI_MSGTYPE MsgProc(UINT message, UINT, WPARAM wparam, LPARAM lparam) {
    if (message != OAPI_MSG_MFD_OPENED) return 0;
    const auto width = static_cast<DWORD>(wparam & 0xFFFF);
    const auto height = static_cast<DWORD>((wparam >> 16) & 0xFFFF);
    // The host passes the vessel's interface in lparam.
    auto* vessel = reinterpret_cast<VESSEL*>(lparam);  // NOLINT(performance-no-int-to-ptr)
    SolverMFD* page = new (std::nothrow) SolverMFD(width, height, vessel);
    if (page != nullptr && !page->HasTables()) {
        delete page;
        page = nullptr;
    }
    return reinterpret_cast<OAPI_MSGTYPE>(page);
}

#ifdef _WIN32

ExitHook FindExitHook(HINSTANCE module) {
    for (const char* name : {"ExitModule", "opcDLLExit"})
        if (const FARPROC found = GetProcAddress(module, name))
            return reinterpret_cast<ExitHook>(reinterpret_cast<void*>(found));  // FARPROC is the loader's generic type
    return nullptr;
}

#else

void* AddressInThisModule() { return reinterpret_cast<void*>(&opcDLLInit); }

// The loader's handle of this module, from an address inside it. Opening it again
// without loading adds a reference, which is given back at once: the host's own
// reference keeps the module loaded.
HINSTANCE OwnHandle() {
    Dl_info info;
    if (dladdr(AddressInThisModule(), &info) == 0 || info.dli_fname == nullptr) return nullptr;
    void* handle = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return reinterpret_cast<HINSTANCE>(handle);
}

// An export of this module by name. The loader also searches the libraries the
// module depends on; a symbol found there is not the module's own.
void* OwnExport(HINSTANCE module, const char* name) {
    Dl_info self;
    Dl_info where;
    void* found = dlsym(reinterpret_cast<void*>(module), name);
    if (found == nullptr || dladdr(AddressInThisModule(), &self) == 0 || dladdr(found, &where) == 0) return nullptr;
    return where.dli_fbase == self.dli_fbase ? found : nullptr;
}

ExitHook FindExitHook(HINSTANCE module) {
    if (module == nullptr) return nullptr;
    for (const char* name : {"ExitModule", "opcDLLExit"})
        if (void* found = OwnExport(module, name)) return reinterpret_cast<ExitHook>(found);
    return nullptr;
}

#endif

void AttachModule(HINSTANCE module) {
    moduleHandle = module;
    InitLib(module);
    exitHook = FindExitHook(module);
}

void DetachModule() {
    if (exitHook != nullptr) exitHook(moduleHandle);
}

#ifndef _WIN32
// The loader runs these when it loads and unloads the module, as the Windows loader
// calls DllMain.
__attribute__((constructor)) void LoadModule() { AttachModule(OwnHandle()); }
__attribute__((destructor)) void UnloadModule() { DetachModule(); }
#endif

}  // namespace

}  // namespace kalvo

#ifdef _WIN32
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) kalvo::AttachModule(module);
    if (reason == DLL_PROCESS_DETACH) kalvo::DetachModule();
    return TRUE;
}
#endif

void opcDLLInit(HINSTANCE) { kalvo::modeId = oapiRegisterMFDMode(kalvo::modeSpec); }

void opcDLLExit(HINSTANCE) { oapiUnregisterMFDMode(kalvo::modeId); }

int GetModuleVersion() {
    if (kalvo::versionCache == 0) kalvo::versionCache = Date2Int(kalvo::moduleDate);
    return kalvo::versionCache;
}

// The inspection functions: the simulator never calls them; the project's front end,
// tests and fuzzers do.
double* KalvoValueCell(int set, int directory, int variable) {
    using namespace kalvo;
    if (set < 0 || set >= kVariableSetCount || directory < 0 || directory >= kDirectoryCount || variable < 0 ||
        variable >= VariableCount(directory))
        return nullptr;
    return &ValueStore[set][directory][variable];
}

int KalvoPageStatus(const MFD* page) {
    const auto* solverPage = dynamic_cast<const kalvo::SolverMFD*>(page);
    return solverPage != nullptr ? solverPage->Status() : -1;
}

bool KalvoPageSelection(const MFD* page, KalvoSelection* selection) {
    const auto* solverPage = dynamic_cast<const kalvo::SolverMFD*>(page);
    if (solverPage == nullptr) return false;
    *selection = {solverPage->CurrentDirectory(), solverPage->CurrentEquation(),
                  solverPage->CurrentVariable(),  solverPage->CurrentVariableSet(),
                  solverPage->VariablePosition(), solverPage->HelpView() ? 1 : 0,
                  solverPage->Status(),           solverPage->DirectoryScrollOffset()};
    return true;
}
