#include "sim/module_loader.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>

#include "sim/display.h"
#include "sim/host.h"

namespace sim {

namespace {

using ModuleInit = void (*)(HINSTANCE);
using ModuleVersion = int (*)();

std::vector<int> RegisteredModeIds() {
    std::vector<int> ids;
    for (const RegisteredMode& mode : RegisteredModes()) ids.push_back(mode.id);
    return ids;
}

// A bare file name would send the loader searching the system's library paths; a
// module is always taken from the path given.
std::string ExplicitPath(const std::string& path) { return path.find('/') == std::string::npos ? "./" + path : path; }

}  // namespace

LoadedModule::LoadedModule(const std::string& path) : path_(path), handle_(nullptr) {
    if (path.empty()) throw ModuleError("cannot load module \"\": no path given");
    handle_ = dlopen(ExplicitPath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        throw ModuleError("cannot load module \"" + path + "\": " + (reason ? reason : "unknown reason"));
    }
    const auto init = ExportAs<ModuleInit>("opcDLLInit");
    if (init == nullptr) {
        dlclose(handle_);
        throw ModuleError("cannot load module \"" + path + "\": it is not an add-on module (no opcDLLInit)");
    }
    const std::vector<int> before = RegisteredModeIds();
    init(Handle());
    for (const int id : RegisteredModeIds())
        if (std::find(before.begin(), before.end(), id) == before.end()) modeIds_.push_back(id);
}

LoadedModule::~LoadedModule() {
    LeaveModes(modeIds_);
    if (InputBox().open && IsInModule(reinterpret_cast<void*>(InputBox().callback))) CancelInputBox();
    dlclose(handle_);
}

bool LoadedModule::IsInModule(void* address) const {
    link_map* module = nullptr;
    link_map* owner = nullptr;
    Dl_info info;
    return address != nullptr && dlinfo(handle_, RTLD_DI_LINKMAP, &module) == 0 &&
           dladdr1(address, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) != 0 && owner == module;
}

// Only the module's own exports count: the loader's lookup through a handle also
// searches the libraries the module depends on.
void* LoadedModule::Export(const char* name) const {
    void* found = dlsym(handle_, name);
    return IsInModule(found) ? found : nullptr;
}

int LoadedModule::Version() const {
    const auto version = ExportAs<ModuleVersion>("GetModuleVersion");
    return version != nullptr ? version() : 0;
}

}  // namespace sim
