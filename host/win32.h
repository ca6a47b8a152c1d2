// The Win32 types and the GDI subset the module uses.
//
// On Windows they come from <windows.h> and the real GDI draws the page. Elsewhere
// the project declares the same names here, and the stand-in host implements the
// GDI functions, so the module's sources read the same on every platform.
#pragma once

#ifdef _WIN32
// <windows.h> comes with the simulator's headers.
#include "host/host_api.h"
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
using LRESULT = std::intptr_t;
using COLORREF = DWORD;

// Opaque handles, as Windows declares them: distinct pointer types that only the
// host can dereference.
// A type's name cannot stand in parentheses, as the macro check would have it.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define KALVO_DECLARE_HANDLE(name) \
    struct name##__;               \
    using name = name##__*
// NOLINTEND(bugprone-macro-parentheses)
KALVO_DECLARE_HANDLE(HINSTANCE);
KALVO_DECLARE_HANDLE(HDC);
KALVO_DECLARE_HANDLE(HPEN);
KALVO_DECLARE_HANDLE(HBRUSH);
KALVO_DECLARE_HANDLE(HFONT);
#undef KALVO_DECLARE_HANDLE
using HGDIOBJ = void*;
using LPCSTR = const char*;

struct POINT {
    LONG x, y;
};
using LPPOINT = POINT*;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;

// Stock objects: the brush and the pen that draw nothing.
constexpr int NULL_BRUSH = 5;
constexpr int NULL_PEN = 8;

// Text alignment: left, top, and whether output starts at and advances the
// current position.
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_TOP = 0;

// Background modes of text output.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Font request values.
constexpr int FW_DONTCARE = 0;
constexpr DWORD ANSI_CHARSET = 0;
constexpr DWORD DEFAULT_CHARSET = 1;
constexpr DWORD OUT_DEVICE_PRECIS = 5;
constexpr DWORD CLIP_CHARACTER_PRECIS = 1;
constexpr DWORD DEFAULT_QUALITY = 0;
constexpr DWORD DEFAULT_PITCH = 0;
constexpr DWORD FIXED_PITCH = 1;
constexpr DWORD FF_DONTCARE = 0;
constexpr DWORD FF_MODERN = 0x30;

// Failure results.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;

// The GDI subset: pens, brushes and fonts; lines, paths and text at a current position.
#define KALVO_GDIAPI __attribute__((visibility("default")))
extern "C" {
KALVO_GDIAPI HPEN CreatePen(int style, int width, COLORREF colour);
KALVO_GDIAPI HBRUSH CreateSolidBrush(COLORREF colour);
KALVO_GDIAPI HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                               DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                               DWORD quality, DWORD pitchAndFamily, LPCSTR face);
KALVO_GDIAPI HGDIOBJ GetStockObject(int object);
KALVO_GDIAPI HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
KALVO_GDIAPI BOOL DeleteObject(HGDIOBJ object);
KALVO_GDIAPI BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous);
KALVO_GDIAPI BOOL LineTo(HDC hdc, int x, int y);
KALVO_GDIAPI BOOL BeginPath(HDC hdc);
KALVO_GDIAPI BOOL EndPath(HDC hdc);
KALVO_GDIAPI BOOL FillPath(HDC hdc);
KALVO_GDIAPI UINT SetTextAlign(HDC hdc, UINT align);
KALVO_GDIAPI int SetBkMode(HDC hdc, int mode);
KALVO_GDIAPI COLORREF SetBkColor(HDC hdc, COLORREF colour);
KALVO_GDIAPI COLORREF SetTextColor(HDC hdc, COLORREF colour);
KALVO_GDIAPI BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length);
}
#undef KALVO_GDIAPI

// The narrow-character spellings, as Windows maps them without UNICODE.
inline HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                        DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                        DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
    return CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                       outPrecision, clipPrecision, quality, pitchAndFamily, face);
}
inline BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int length) { return TextOutA(hdc, x, y, text, length); }

#endif
