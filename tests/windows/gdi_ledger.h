// An account of the GDI objects a loaded module creates and deletes, kept by
// pointing the module's own imports of the GDI functions at counting stand-ins.
// Windows also counts a process's GDI objects (GetGuiResources), but Wine does not:
// there the count stays 0 whatever is made, so only this ledger can see a leak.
#pragma once

#include <windows.h>

#include <set>

namespace kalvo::test {

class GdiLedger {
public:
    // Redirects the module's imports of CreatePen, CreateSolidBrush, CreateFontA and
    // DeleteObject; only one ledger may be open at a time.
    explicit GdiLedger(HMODULE module);
    ~GdiLedger();
    GdiLedger(const GdiLedger&) = delete;
    GdiLedger& operator=(const GdiLedger&) = delete;

    // How many of the four imports were found and redirected.
    int Redirected() const { return redirected_; }
    long Created() const;
    long Deleted() const;
    // Every handle created while the ledger was open, deleted or not.
    const std::set<HGDIOBJ>& Handles() const;

private:
    HMODULE module_;
    int redirected_ = 0;
};

// The process's GDI objects as the system counts them.
DWORD ProcessGdiObjects();

}  // namespace kalvo::test
