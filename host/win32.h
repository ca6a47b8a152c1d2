// The Win32 types and the GDI subset the module uses.
//
// On Windows they come from <windows.h> and the real GDI draws the page. Elsewhere
// the project declares the same names here, and the stand-in host implements the
// GDI functions, so the module's sources read the same on every platform.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;
using LONG = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using COLORREF = DWORD;

// Opaque handles, as Windows declares them: distinct pointer types that only the
// host can dereference.
#define KALVO_DECLARE_HANDLE(name) \
    struct name##__;               \
    using name = name##__*
KALVO_DECLARE_HANDLE(HINSTANCE);
KALVO_DECLARE_HANDLE(HDC);
KALVO_DECLARE_HANDLE(HPEN);
KALVO_DECLARE_HANDLE(HBRUSH);
KALVO_DECLARE_HANDLE(HFONT);
#undef KALVO_DECLARE_HANDLE
using HGDIOBJ = void*;

#endif
