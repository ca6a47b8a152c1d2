#include "tests/windows/gdi_ledger.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace kalvo::test {

namespace {

struct Account {
    long created = 0;
    long deleted = 0;
    std::set<HGDIOBJ> handles;
    bool open = false;
};
Account account;

HGDIOBJ Record(HGDIOBJ object) {
    if (object != nullptr) {
        ++account.created;
        account.handles.insert(object);
    }
    return object;
}

HPEN WINAPI CountedCreatePen(int style, int width, COLORREF colour) {
    return static_cast<HPEN>(Record(CreatePen(style, width, colour)));
}
HBRUSH WINAPI CountedCreateSolidBrush(COLORREF colour) { return static_cast<HBRUSH>(Record(CreateSolidBrush(colour))); }
HFONT WINAPI CountedCreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                                DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                                DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
    return static_cast<HFONT>(
        Record(CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                           outPrecision, clipPrecision, quality, pitchAndFamily, face)));
}
BOOL WINAPI CountedDeleteObject(HGDIOBJ object) {
    const BOOL deleted = DeleteObject(object);
    if (deleted) ++account.deleted;
    return deleted;
}

struct Redirection {
    const char* name;
    void* replacement;
    void* original;
};
Redirection redirections[] = {
    {"CreatePen", reinterpret_cast<void*>(&CountedCreatePen), nullptr},
    {"CreateSolidBrush", reinterpret_cast<void*>(&CountedCreateSolidBrush), nullptr},
    {"CreateFontA", reinterpret_cast<void*>(&CountedCreateFontA), nullptr},
    {"DeleteObject", reinterpret_cast<void*>(&CountedDeleteObject), nullptr},
};

void WriteSlot(void** slot, void* address) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = address;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

// Walks the module's import table for gdi32.dll: for each import by name, `visit`
// gets the name and the slot the loader filled with the function's address.
template <typename Visit>
void ForEachGdiImport(HMODULE module, Visit visit) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); library->Name != 0;
         ++library) {
        if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "gdi32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            visit(reinterpret_cast<const char*>(byName->Name), reinterpret_cast<void**>(&slots->u1.Function));
        }
    }
}

}  // namespace

GdiLedger::GdiLedger(HMODULE module) : module_(module) {
    if (account.open) throw std::logic_error("a GDI ledger is open already");
    account = Account{};
    account.open = true;
    ForEachGdiImport(module_, [&](const char* name, void** slot) {
        for (Redirection& redirection : redirections)
            if (std::strcmp(name, redirection.name) == 0) {
                redirection.original = *slot;
                WriteSlot(slot, redirection.replacement);
                ++redirected_;
            }
    });
}

GdiLedger::~GdiLedger() {
    ForEachGdiImport(module_, [](const char* name, void** slot) {
        for (Redirection& redirection : redirections)
            if (std::strcmp(name, redirection.name) == 0 && redirection.original != nullptr)
                WriteSlot(slot, redirection.original);
    });
    account.open = false;
}

long GdiLedger::Created() const { return account.created; }
long GdiLedger::Deleted() const { return account.deleted; }
const std::set<HGDIOBJ>& GdiLedger::Handles() const { return account.handles; }

DWORD ProcessGdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

}  // namespace kalvo::test
