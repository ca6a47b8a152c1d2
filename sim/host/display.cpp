#include "sim/host/display.h"

#include <algorithm>
#include <stdexcept>

#include "sim/host/host.h"

namespace sim {

namespace {

// The largest size a message procedure can be given: 16 bits each of wparam.
constexpr DWORD kLargestSize = 0xFFFF;

// A page with more buttons than this is taken to have lost count.
constexpr int kMostButtons = 64;

// Every display now open, in order of opening.
std::vector<Display*>& OpenDisplays() {
    static std::vector<Display*> displays;
    return displays;
}

}  // namespace

Display::Display(DWORD width, DWORD height) : width_(width), height_(height) {
    if (width < 1 || width > kLargestSize || height < 1 || height > kLargestSize)
        throw std::invalid_argument("display size " + std::to_string(width) + "x" + std::to_string(height) +
                                    " out of range (width and height 1 to 65535 pixels)");
    OpenDisplays().push_back(this);
}

Display::~Display() {
    LeaveMode();
    auto& displays = OpenDisplays();
    displays.erase(std::find(displays.begin(), displays.end(), this));
}

bool Display::SelectMode(DWORD key) {
    LeaveMode();
    const RegisteredMode* mode = FindModeByKey(key);
    if (mode == nullptr) return false;
    const auto& displays = OpenDisplays();
    const auto number = static_cast<UINT>(std::find(displays.begin(), displays.end(), this) - displays.begin());
    const WPARAM size = static_cast<WPARAM>(height_) << 16 | width_;
    const OAPI_MSGTYPE page =
        mode->messageProc(OAPI_MSG_MFD_OPENED, number, size, reinterpret_cast<LPARAM>(oapiGetFocusInterface()));
    if (page == 0) return false;
    page_.reset(reinterpret_cast<MFD*>(page));
    modeId_ = mode->id;
    return true;
}

void Display::LeaveMode() {
    page_.reset();
    modeId_ = 0;
}

bool Display::PressKey(DWORD key) { return page_ != nullptr && page_->ConsumeKeyBuffered(key); }

bool Display::ClickButton(int button, int event) { return page_ != nullptr && page_->ConsumeButton(button, event); }

std::vector<std::string> Display::ButtonLabels() const {
    std::vector<std::string> labels;
    if (page_ == nullptr) return labels;
    for (int button = 0; button < kMostButtons; ++button) {
        const char* label = page_->ButtonLabel(button);
        if (label == nullptr) break;
        labels.emplace_back(label);
    }
    return labels;
}

int Display::ButtonMenu(const MFDBUTTONMENU** menu) const { return page_ != nullptr ? page_->ButtonMenu(menu) : 0; }

bool Display::TakeRedrawRequest() {
    if (page_ == nullptr) return false;
    const bool requested = MfdHostAccess::RedrawRequests(*page_) > 0;
    MfdHostAccess::ClearRedrawRequests(*page_);
    return requested;
}

void Display::Draw(HDC hdc) {
    if (page_ != nullptr) page_->Update(hdc);
}

void LeaveModes(const std::vector<int>& modeIds) {
    for (Display* display : OpenDisplays())
        if (std::find(modeIds.begin(), modeIds.end(), display->ModeId()) != modeIds.end()) display->LeaveMode();
}

}  // namespace sim
