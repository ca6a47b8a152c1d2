// Add-on modules, loaded as the simulator loads them: by path, through the dynamic
// loader, never linked in.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "host/host_api.h"

namespace sim {

// A module that could not be loaded; the message names the path tried and why.
class ModuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One loaded add-on module. Loading runs the library's load-time code, which calls
// the host's InitLib, which calls the module's InitModule or else its opcDLLInit,
// which registers its display modes. Unloading
// first takes every display off the modes the module registered and closes an
// input box that would call back into the module, since both run the module's code,
// and then lets the loader unload the library, whose exit hook unregisters the modes.
class LoadedModule {
public:
    // Throws ModuleError when the library cannot be loaded or exports neither
    // InitModule nor opcDLLInit.
    explicit LoadedModule(const std::string& path);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    const std::string& Path() const { return path_; }
    // The loader's handle of the library, as the module's InitLib receives it.
    HINSTANCE Handle() const { return static_cast<HINSTANCE>(handle_); }
    // The ids of the modes the module registered in its opcDLLInit.
    const std::vector<int>& ModeIds() const { return modeIds_; }

    // The module's export `name`, or null.
    void* Export(const char* name) const;
    template <typename Function>
    Function ExportAs(const char* name) const {
        return reinterpret_cast<Function>(Export(name));
    }

    // The module's GetModuleVersion, or 0 when it exports none.
    int Version() const;

private:
    // Whether `address` lies in the module's own code or data.
    bool IsInModule(void* address) const;

    std::string path_;
    void* handle_;
    std::vector<int> modeIds_;
};

}  // namespace sim
