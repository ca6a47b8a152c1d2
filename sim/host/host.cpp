#include "sim/host/host.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

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
    // The callback may open the box again; work on a copy of what was typed.
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    const int opening = inputBoxOpenings;
    const bool close = inputBox.callback(nullptr, buffer.data(), inputBox.userData);
    if (close && opening == inputBoxOpenings) inputBox.open = false;
    return true;
}

void CancelInputBox() { inputBox = InputBoxState{}; }

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

void InitLib(HINSTANCE module) {
    sim::initLibModule = module;
    ++sim::initLibCalls;
}

// A date as the compiler's __DATE__ writes it ("Apr 25 2006") as the number 20060425;
// 0 when the text is not such a date.
int Date2Int(char* date) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    ++sim::date2IntCalls;
    char month[4] = {};
    int day = 0;
    int year = 0;
    if (date == nullptr || std::sscanf(date, "%3s %d %d", month, &day, &year) != 3) return 0;
    const auto found = std::find_if(std::begin(kMonths), std::end(kMonths),
                                    [&](const char* name) { return std::strcmp(name, month) == 0; });
    if (found == std::end(kMonths) || day < 1 || day > 31 || year < 1) return 0;
    const int monthNumber = static_cast<int>(found - std::begin(kMonths)) + 1;
    return year * 10000 + monthNumber * 100 + day;
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
