#include "sim/host/display.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "sim/host/host_look.h"

namespace sim {

namespace {

// The largest size a message procedure can be given: 16 bits each of wparam.
constexpr DWORD kLargestSize = 0xFFFF;

// A page with more buttons than this is taken to have lost count.
constexpr int kMostButtons = 64;

// The buttons of a display, whose labels the simulator asks for as a page opens.
constexpr int kDisplayButtons = 12;

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
    const RegisteredMode* mode = FindModeByKey(key);
    if (mode == nullptr) {
        LeaveMode();
        return false;
    }
    if (page_ != nullptr && mode->id == modeId_) return true;
    const UINT number = Number();
    const auto vessel = reinterpret_cast<LPARAM>(oapiGetFocusInterface());
    std::string name = mode->name;
    MFDMODESPECEX spec{name.data(), mode->key, nullptr, mode->messageProc};
    MFDMODEOPENSPEC open{static_cast<int>(width_), static_cast<int>(height_), &spec};
    OAPI_MSGTYPE made = mode->messageProc(OAPI_MSG_MFD_OPENEDEX, number, reinterpret_cast<WPARAM>(&open), vessel);
    if (made == 0) {
        const WPARAM size = static_cast<WPARAM>(height_) << 16 | width_;
        made = mode->messageProc(OAPI_MSG_MFD_OPENED, number, size, vessel);
    }
    if (made == 0) {
        LeaveMode();
        return false;
    }
    // The message procedure gives the page's address as its result.
    std::unique_ptr<MFD> page(reinterpret_cast<MFD*>(made));  // NOLINT(performance-no-int-to-ptr)
    SetCellOfPage(*page);
    page->RecallStatus();
    Close(std::exchange(page_, std::move(page)));
    modeId_ = mode->id;
    messageProc_ = mode->messageProc;
    for (int button = 0; button < kDisplayButtons; ++button) page_->ButtonLabel(button);
    return true;
}

void Display::LeaveMode() {
    Close(std::move(page_));
    modeId_ = 0;
    messageProc_ = nullptr;
}

void Display::Close(std::unique_ptr<MFD> page) {
    if (page == nullptr) return;
    page->StoreStatus();
    messageProc_(OAPI_MSG_MFD_CLOSED, Number(), 0, 0);
}

UINT Display::Number() const {
    const auto& displays = OpenDisplays();
    return static_cast<UINT>(std::find(displays.begin(), displays.end(), this) - displays.begin());
}

bool Display::PressKey(DWORD key) { return page_ != nullptr && page_->ConsumeKeyBuffered(key); }

bool Display::PressButton(int button) {
    CancelInputBox();
    return ClickButton(button, PANEL_MOUSE_LBDOWN | PANEL_MOUSE_LBPRESSED);
}

bool Display::HoldButton(int button) { return ClickButton(button, PANEL_MOUSE_LBPRESSED); }

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

void Display::Draw(DeviceContext& dc) {
    if (page_ != nullptr) DrawPage(*page_, dc);
}

void DrawPage(MFD& page, DeviceContext& dc) {
    dc.Clear();
    const HDC hdc = dc.Handle();
    SetTextColor(hdc, kHostTextColour);
    SelectObject(hdc, HostDefaultFont(0, MfdHostAccess::CellWidth(page), MfdHostAccess::CellHeight(page)));
    SetBkMode(hdc, TRANSPARENT);
    SelectObject(hdc, GetStockObject(NULL_BRUSH));
    SelectObject(hdc, HostDefaultPen(0));
    page.Update(hdc);
    SelectObject(hdc, GetStockObject(NULL_PEN));
    SelectObject(hdc, GetStockObject(NULL_BRUSH));
}

void LeaveModes(const std::vector<int>& modeIds) {
    for (Display* display : OpenDisplays())
        if (std::find(modeIds.begin(), modeIds.end(), display->ModeId()) != modeIds.end()) display->LeaveMode();
}

}  // namespace sim
