#include <windows.h>

#include <algorithm>

#include "sim/dynamic_library.h"

namespace sim {

namespace {

// The loader's own words for the last error, without the line break it ends with.
std::string LastErrorText() {
    const DWORD code = GetLastError();
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return (reason.empty() ? "error" : reason) + " (code " + std::to_string(code) + ")";
}

// LoadLibrary wants backslashes, and a bare file name would send it searching the
// system's directories.
std::string ExplicitPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.find('\\') == std::string::npos ? ".\\" + path : path;
}

}  // namespace

void* OpenLibrary(const std::string& path, std::string& error) {
    // No message box from the system when the library or one it needs is missing.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryA(ExplicitPath(path).c_str());
    if (library == nullptr) error = LastErrorText();
    SetErrorMode(previousMode);
    return reinterpret_cast<void*>(library);
}

void CloseLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

void* FindSymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

bool IsInLibrary(void* library, void* address) {
    HMODULE owner = nullptr;
    return address != nullptr &&
           GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(address), &owner) &&
           owner == static_cast<HMODULE>(library);
}

std::string ExecutableDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string executable(path, length);
    const std::size_t slash = executable.find_last_of("\\/");
    return slash == std::string::npos ? "." : executable.substr(0, slash);
}

}  // namespace sim
