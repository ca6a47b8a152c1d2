#include "sim/host/module_loader.h"

#include <algorithm>

#include "sim/host/display.h"
#include "sim/host/dynamic_library.h"
#include "sim/host/host.h"

namespace sim {

namespace {

using ModuleVersion = int (*)();

std::vector<int> RegisteredModeIds() {
    std::vector<int> ids;
    for (const RegisteredMode& mode : RegisteredModes()) ids.push_back(mode.id);
    return ids;
}

}  // namespace

LoadedModule::LoadedModule(const std::string& path) : path_(path), handle_(nullptr) {
    if (path.empty()) throw ModuleError("cannot load module \"\": no path given");
    std::string reason;
    // The load runs the module's entry routine, which calls InitLib, which runs the
    // module's initialisation: the modes registered meanwhile are the module's.
    const std::vector<int> before = RegisteredModeIds();
    handle_ = OpenLibrary(path, reason);
    if (handle_ == nullptr) throw ModuleError("cannot load module \"" + path + "\": " + reason);
    if (Export("InitModule") == nullptr && Export("opcDLLInit") == nullptr) {
        CloseLibrary(handle_);
        throw ModuleError("cannot load module \"" + path + "\": it is not an add-on module (no opcDLLInit)");
    }
    for (const int id : RegisteredModeIds())
        if (std::find(before.begin(), before.end(), id) == before.end()) modeIds_.push_back(id);
}

LoadedModule::~LoadedModule() {
    LeaveModes(modeIds_);
    if (InputBox().open && IsInModule(reinterpret_cast<void*>(InputBox().callback))) CancelInputBox();
    CloseLibrary(handle_);
}

bool LoadedModule::IsInModule(void* address) const { return IsInLibrary(handle_, address); }

// Only the module's own exports count: the loader's lookup through a handle may also
// search the libraries the module depends on.
void* LoadedModule::Export(const char* name) const {
    void* found = FindSymbol(handle_, name);
    return IsInModule(found) ? found : nullptr;
}

int LoadedModule::Version() const {
    const auto version = ExportAs<ModuleVersion>("GetModuleVersion");
    return version != nullptr ? version() : 0;
}

}  // namespace sim
