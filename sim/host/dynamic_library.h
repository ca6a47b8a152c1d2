// The platform's dynamic loader, as the stand-in host uses it to load add-on
// modules: dlopen (dynamic_library_posix.cpp).
#pragma once

#include <string>

namespace sim {

// Loads the library at `path`, taken as a path (never searched for on the system's
// library paths), running its load-time code. Null on failure, with `error` saying why.
void* OpenLibrary(const std::string& path, std::string& error);
void CloseLibrary(void* library);
// The address the loader finds for `name` through `library`; on Linux the search
// also covers the libraries it depends on.
void* FindSymbol(void* library, const char* name);
// Whether `address` lies in the library's own code or data.
bool IsInLibrary(void* library, void* address);

}  // namespace sim
