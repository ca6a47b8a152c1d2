#include "sim/host/host.h"

#include <algorithm>
#include <cctype>

#include "sim/host/date_number.h"
#include "sim/host/dynamic_library.h"

namespace sim {

namespace {

std::vector<RegisteredMode> modes;
int nextModeId = 1;
InputBoxState inputBox;
int inputBoxOpenings = 0;
HINSTANCE initLibModule = nullptr;
int initLibCalls = 0;
int date2IntCalls = 0;

}  // namespace

const std::vector<RegisteredMode>& RegisteredModes() { return modes; }

const RegisteredMode* FindModeByKey(DWORD key) {
    for (const RegisteredMode& mode : modes)
        if (mode.key == key) return &mode;
    return nullptr;
}

const InputBoxState& InputBox() { return inputBox; }

bool TypeIntoInputBox(const std::string& text) {
    if (!inputBox.open) return false;
    char buffer[kInputBoxLength + 1] = {};
    std::size_t length = 0;
    for (const char c : text)
        if (length < kInputBoxLength && (std::isgraph(static_cast<unsigned char>(c)) || c == ' ')) buffer[length++] = c;
    // The callback may open the box again, which then stays open.
    const int opening = inputBoxOpenings;
    const bool close = inputBox.callback(nullptr, buffer, inputBox.userData);
    if (close && opening == inputBoxOpenings) inputBox.open = false;
    return true;
}

void CancelInputBox() { inputBox = InputBoxState{}; }

CellSize CellOfDisplay(DWORD width, DWORD height) { return {std::max(1u, width / 40), std::max(1u, height / 24)}; }

void SetCellOfPage(MFD& page) {
    const CellSize cell = CellOfDisplay(MfdHostAccess::Width(page), MfdHostAccess::Height(page));
    MfdHostAccess::SetCell(page, cell.width, cell.height);
}

HINSTANCE InitLibModule() { return initLibModule; }
int InitLibCalls() { return initLibCalls; }
int Date2IntCalls() { return date2IntCalls; }

void ResetHostState() {
    modes.clear();
    inputBox = InputBoxState{};
    initLibModule = nullptr;
    initLibCalls = 0;
    date2IntCalls = 0;
}

}  // namespace sim

// Runs inside the module's load: its initialisation, InitModule or else opcDLLInit,
// looked up among the module's own exports.
void InitLib(HINSTANCE module) {
    sim::initLibModule = module;
    ++sim::initLibCalls;
    if (module == nullptr) return;
    for (const char* name : {"InitModule", "opcDLLInit"}) {
        void* found = sim::FindSymbol(module, name);
        if (sim::IsInLibrary(module, found)) {
            reinterpret_cast<void (*)(HINSTANCE)>(found)(module);
            return;
        }
    }
}

// The simulator's date number (sim/host/date_number.h): "Apr 25 2006" is 60425.
int Date2Int(char* date) {
    ++sim::date2IntCalls;
    return sim::DateNumber(date);
}

int oapiRegisterMFDMode(MFDMODESPEC& mode) {
    const int id = sim::nextModeId++;
    sim::modes.push_back({id, mode.name, mode.key, mode.msgproc});
    return id;
}

bool oapiUnregisterMFDMode(int mode) {
    const auto found =
        std::find_if(sim::modes.begin(), sim::modes.end(), [&](const sim::RegisteredMode& m) { return m.id == mode; });
    if (found == sim::modes.end()) return false;
    sim::modes.erase(found);
    return true;
}

void oapiOpenInputBox(char* title, bool (*callback)(void*, char*, void*), char*, int visibleWidth, void* userData) {
    sim::inputBox = sim::InputBoxState{true, title ? title : "", visibleWidth, callback, userData};
    ++sim::inputBoxOpenings;
}
