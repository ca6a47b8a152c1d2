// The MFD base class as the stand-in host supplies it.
#include <algorithm>

#include "host/host_api.h"

namespace {

// The host's character cell: 40 columns and 24 rows of the display, at least a pixel.
int CellSize(DWORD pixels, DWORD cells) { return std::max(1, static_cast<int>(pixels / cells)); }

}  // namespace

MFD::MFD(DWORD width, DWORD height, VESSEL* vessel)
    : W(width), H(height), cw(CellSize(width, 40)), ch(CellSize(height, 24)), pV(vessel) {}

MFD::~MFD() = default;

bool MFD::ConsumeKeyBuffered(DWORD) { return false; }
bool MFD::ConsumeKeyImmediate(char*) { return false; }
bool MFD::ConsumeButton(int, int) { return false; }
const char* MFD::ButtonLabel(int) { return nullptr; }
int MFD::ButtonMenu(const MFDBUTTONMENU**) const { return 0; }
void MFD::ReadStatus(FILEHANDLE) {}
void MFD::WriteStatus(FILEHANDLE) const {}
void MFD::StoreStatus() const {}
void MFD::RecallStatus() {}

void MFD::InvalidateDisplay() { ++redrawRequests_; }
