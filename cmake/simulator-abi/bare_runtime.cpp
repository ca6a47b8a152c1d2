// What the simulator's compiler brings with its C and C++ runtime libraries and a
// Debian cross build has no library for: operator new and delete over the C
// runtime's heap, the floating-point marker, the type_info table that run-time
// type descriptors point at, and the few entry points of libstdc++'s headers that
// live in its compiled library. Linked only where no such library is linked (the
// build for the simulator's ABI with clang and lld-link); a build with the
// simulator's own compiler gets all of this from its runtime instead.
#include <stdarg.h>
#include <stddef.h>

#include <new>

extern "C" {
// The C runtime DLL's own functions, declared here rather than through the MinGW
// headers, which would route them to MinGW's replacements.
__declspec(dllimport) void* malloc(size_t size);
__declspec(dllimport) void free(void* memory);
[[noreturn]] __declspec(dllimport) void abort();
__declspec(dllimport) double strtod(const char* text, char** end);
__declspec(dllimport) int __stdio_common_vsprintf(unsigned long long options, char* buffer, size_t count,
                                                  const char* format, void* locale, va_list arguments);

// The compiler marks every object that uses floating point with a reference to it.
int _fltused = 0;

// libstdc++'s headers, configured for MinGW, send printf and strtod to MinGW's own
// versions; here they go to the C runtime the simulator uses. Option 2 makes
// vsnprintf behave as the C standard says (it counts what did not fit).
int __mingw_vsnprintf(char* buffer, size_t count, const char* format, va_list arguments) {
    return __stdio_common_vsprintf(2, buffer, count, format, nullptr, arguments);
}
double __mingw_strtod(const char* text, char** end) { return strtod(text, end); }
}

// The module allocates only through the non-throwing forms; a null result is its
// answer to a failed allocation.
const std::nothrow_t std::nothrow{};
void* operator new(size_t size, const std::nothrow_t&) noexcept { return malloc(size == 0 ? 1 : size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return malloc(size == 0 ? 1 : size); }
void operator delete(void* memory) noexcept { free(memory); }
void operator delete[](void* memory) noexcept { free(memory); }
void operator delete(void* memory, size_t) noexcept { free(memory); }
void operator delete[](void* memory, size_t) noexcept { free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { free(memory); }

// A position check of std::string_view that failed: a fault of the program, which
// the library's own version would report by throwing.
namespace std {
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { abort(); }
}  // namespace std

// The virtual table of std::type_info, which every type descriptor names. A
// dynamic_cast compares descriptors by their names and never calls through it; its
// one entry, the destructor, is never called for descriptors, which are static.
namespace {
[[noreturn]] void TypeInfoDestroyed() { abort(); }
}  // namespace
extern "C" void* const typeInfoTable[1] __asm__("??_7type_info@@6B@") = {reinterpret_cast<void*>(&TypeInfoDestroyed)};
