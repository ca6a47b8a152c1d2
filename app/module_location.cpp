#include "app/module_location.h"

#include <filesystem>

#include "sim/host/module_loader.h"

namespace kalvo::app {

namespace {

namespace fs = std::filesystem;

// The running executable's directory, as the kernel names it.
fs::path ExecutableDirectory() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : executable.parent_path();
}

}  // namespace

std::vector<std::string> ModuleCandidates() {
    const fs::path here = ExecutableDirectory();
    return {(here / KALVO_MODULE_FILE_NAME).string(),
            (here / KALVO_LIBDIR_FROM_BINDIR / KALVO_MODULE_FILE_NAME).lexically_normal().string()};
}

std::string FindModule() {
    const std::vector<std::string> candidates = ModuleCandidates();
    std::string tried;
    for (const std::string& candidate : candidates) {
        if (fs::exists(candidate)) return candidate;
        tried += (tried.empty() ? "\"" : ", \"") + candidate + "\"";
    }
    throw sim::ModuleError("cannot find the Kalvo MFD module (looked for " + tried + ")");
}

}  // namespace kalvo::app
