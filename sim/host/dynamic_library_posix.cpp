#include <dlfcn.h>
#include <link.h>

#include "sim/host/dynamic_library.h"

namespace sim {

namespace {

// A bare file name would send the loader searching the system's library paths.
std::string ExplicitPath(const std::string& path) { return path.find('/') == std::string::npos ? "./" + path : path; }

}  // namespace

void* OpenLibrary(const std::string& path, std::string& error) {
    void* library = dlopen(ExplicitPath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* reason = dlerror();
        error = reason ? reason : "unknown reason";
    }
    return library;
}

void CloseLibrary(void* library) { dlclose(library); }

void* FindSymbol(void* library, const char* name) { return dlsym(library, name); }

bool IsInLibrary(void* library, void* address) {
    link_map* module = nullptr;
    link_map* owner = nullptr;
    Dl_info info;
    return address != nullptr && dlinfo(library, RTLD_DI_LINKMAP, &module) == 0 &&
           dladdr1(address, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) != 0 && owner == module;
}

}  // namespace sim
