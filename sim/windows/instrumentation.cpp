// What the host records of a module's drawing, for its checks: the texts, through
// the module's own TextOutA import; its GDI objects, through its imports that make
// and delete them; the surface's pixels, a BMP of them, and the process heap.
#include "sim/windows/instrumentation.h"

#include <string.h>

namespace simulator {

namespace {

// A text as GDI drew it: where (the current position with TA_UPDATECP, else the
// point given), in which colours, and in which drawing (each drawing's Title,
// which the host draws, starts a new one).
TextRecord record;
const char* drawingMarker = "";

using TextOutFunction = BOOL(WINAPI*)(HDC, int, int, LPCSTR, int);
TextOutFunction realTextOut = nullptr;

BOOL WINAPI RecordedTextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
    if (record.count < int(sizeof record.texts / sizeof record.texts[0])) {
        DrawnText& drawn = record.texts[record.count++];
        drawn.at = {x, y};
        if (GetTextAlign(hdc) & TA_UPDATECP) GetCurrentPositionEx(hdc, &drawn.at);
        drawn.colour = GetTextColor(hdc);
        drawn.background = GetBkColor(hdc);
        drawn.opaque = GetBkMode(hdc) == OPAQUE;
        const int kept = length < int(sizeof drawn.text) ? length : int(sizeof drawn.text) - 1;
        memcpy(drawn.text, text, size_t(kept));
        drawn.text[kept] = '\0';
        if (strcmp(drawn.text, drawingMarker) == 0) ++record.drawings;
        drawn.drawing = record.drawings;
    }
    return realTextOut(hdc, x, y, text, length);
}

// Points a module's import `name` from gdi32.dll at `replacement`, by walking its
// import table, and keeps the real function in `real`. Returns how many were redirected.
int RedirectImport(HMODULE module, const char* name, void* replacement, void** real) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int redirected = 0;
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); library->Name != 0;
         ++library) {
        if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "gdi32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                strcmp(reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name) != 0)
                continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &protection);
            if (slots->u1.Function != reinterpret_cast<ULONG_PTR>(replacement)) {
                *real = reinterpret_cast<void*>(slots->u1.Function);
                slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            }
            VirtualProtect(&slots->u1.Function, sizeof(void*), protection, &protection);
            ++redirected;
        }
    }
    return redirected;
}

}  // namespace

int RecordTexts(HMODULE module, const char* marker) {
    drawingMarker = marker;
    return RedirectImport(module, "TextOutA", reinterpret_cast<void*>(&RecordedTextOutA),
                          reinterpret_cast<void**>(&realTextOut));
}

namespace {

int moduleGdiObjects = 0;
HPEN(WINAPI* realCreatePen)(int, int, COLORREF) = nullptr;
HBRUSH(WINAPI* realCreateSolidBrush)(COLORREF) = nullptr;
HFONT(WINAPI* realCreateFontA)
(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR) = nullptr;
BOOL(WINAPI* realDeleteObject)(HGDIOBJ) = nullptr;

HPEN WINAPI CountedCreatePen(int style, int width, COLORREF colour) {
    const HPEN pen = realCreatePen(style, width, colour);
    moduleGdiObjects += pen != nullptr;
    return pen;
}
HBRUSH WINAPI CountedCreateSolidBrush(COLORREF colour) {
    const HBRUSH brush = realCreateSolidBrush(colour);
    moduleGdiObjects += brush != nullptr;
    return brush;
}
HFONT WINAPI CountedCreateFontA(int h, int w, int e, int o, int weight, DWORD i, DWORD u, DWORD s, DWORD c, DWORD op,
                                DWORD cp, DWORD q, DWORD pf, LPCSTR face) {
    const HFONT font = realCreateFontA(h, w, e, o, weight, i, u, s, c, op, cp, q, pf, face);
    moduleGdiObjects += font != nullptr;
    return font;
}
BOOL WINAPI CountedDeleteObject(HGDIOBJ object) {
    const BOOL deleted = realDeleteObject(object);
    moduleGdiObjects -= deleted != FALSE;
    return deleted;
}

}  // namespace

int ModuleGdiObjects() { return moduleGdiObjects; }

TextRecord& RecordedTexts() { return record; }

int CountGdiObjects(HMODULE module) {
    return RedirectImport(module, "CreatePen", reinterpret_cast<void*>(&CountedCreatePen),
                          reinterpret_cast<void**>(&realCreatePen)) +
           RedirectImport(module, "CreateSolidBrush", reinterpret_cast<void*>(&CountedCreateSolidBrush),
                          reinterpret_cast<void**>(&realCreateSolidBrush)) +
           RedirectImport(module, "CreateFontA", reinterpret_cast<void*>(&CountedCreateFontA),
                          reinterpret_cast<void**>(&realCreateFontA)) +
           RedirectImport(module, "DeleteObject", reinterpret_cast<void*>(&CountedDeleteObject),
                          reinterpret_cast<void**>(&realDeleteObject));
}

const DrawnText* TextAt(Display display, int column, int row, int drawing) {
    const int cw = CellWidth(display), ch = CellHeight(display);
    const DrawnText* found = nullptr;
    for (int i = 0; i < record.count; ++i) {
        const DrawnText& drawn = record.texts[i];
        if ((drawing == 0 ? drawn.drawing == record.drawings : drawn.drawing == drawing) &&
            drawn.at.x == cw * column + cw / 2 && drawn.at.y == ch * row)
            found = &drawn;
    }
    return found;
}

bool Shown(const char* text, int drawing) {
    for (int i = 0; i < record.count; ++i)
        if ((drawing == 0 ? record.texts[i].drawing == record.drawings : record.texts[i].drawing == drawing) &&
            strcmp(record.texts[i].text, text) == 0)
            return true;
    return false;
}

COLORREF PixelAt(Display display, int x, int y) {
    const DWORD rgb = Pixels(display)[y * DisplayWidth() + x] & 0x00FFFFFF;
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}

bool SaveBmp(Display display, const char* path) {
    const int w = DisplayWidth(), h = DisplayHeight(), stride = (w * 3 + 3) & ~3;
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const BITMAPFILEHEADER file{0x4D42, headers + DWORD(stride * h), 0, 0, headers};
    const BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, DWORD(stride * h), 2835, 2835, 0, 0};
    HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool saved =
        WriteFile(out, &file, sizeof file, &written, nullptr) && WriteFile(out, &info, sizeof info, &written, nullptr);
    static BYTE row[4096 * 3 + 4];
    const DWORD* pixels = Pixels(display);
    for (int y = h - 1; saved && y >= 0; --y) {
        for (int x = 0; x < w; ++x) memcpy(&row[x * 3], &pixels[y * w + x], 3);
        saved = WriteFile(out, row, DWORD(stride), &written, nullptr) != 0;
    }
    CloseHandle(out);
    return saved;
}

SIZE_T HeapInUse() {
    SIZE_T used = 0;
    PROCESS_HEAP_ENTRY entry{};
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData;
    HeapUnlock(heap);
    return used;
}

}  // namespace simulator
