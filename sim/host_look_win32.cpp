// The host's default font and pen as real GDI objects, made once and kept until the
// host exits: a page selects them but never owns them.
#include <map>
#include <utility>

#include "sim/host_look.h"

namespace sim {

namespace {

// Courier New on Windows; where it is missing the font mapper takes another
// monospaced face for the fixed pitch asked for (Liberation Mono under Wine).
constexpr const char* kHostFontFace = "Courier New";

class HostObjects {
public:
    HostObjects() = default;
    HostObjects(const HostObjects&) = delete;
    HostObjects& operator=(const HostObjects&) = delete;
    ~HostObjects() {
        for (const auto& [cell, font] : fonts_) DeleteObject(font);
        if (pen_ != nullptr) DeleteObject(pen_);
    }

    HFONT Font(int cellWidth, int cellHeight) {
        HFONT& font = fonts_[{cellWidth, cellHeight}];
        if (font == nullptr)
            font = CreateFontA(cellHeight, cellWidth, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                               kHostFontFace);
        return font;
    }

    HPEN Pen() {
        if (pen_ == nullptr) pen_ = CreatePen(PS_SOLID, 1, kHostPenColour);
        return pen_;
    }

private:
    std::map<std::pair<int, int>, HFONT> fonts_;
    HPEN pen_ = nullptr;
};

HostObjects& Objects() {
    static HostObjects objects;
    return objects;
}

}  // namespace

HFONT HostDefaultFont(int cellWidth, int cellHeight) { return Objects().Font(cellWidth, cellHeight); }

HPEN HostDefaultPen() { return Objects().Pen(); }

}  // namespace sim
