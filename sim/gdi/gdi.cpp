#include "sim/gdi/gdi.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <tuple>
#include <utility>

namespace sim {

namespace {

// What a character cell defaults to when a font asks for width or height 0.
constexpr int kDefaultCharacterHeight = 16;

struct GdiObject {
    enum class Kind { Pen, Brush, Font } kind = Kind::Pen;
    bool stock = false;
    bool deleted = false;
    bool hollow = false;  // a brush that fills nothing
    int penStyle = PS_SOLID;
    int penWidth = 1;
    COLORREF colour = 0;
    FontRequest font;
};

// Every object ever created, by handle. Handles are never reused, so a deleted
// handle stays recognisable and a second deletion can be told from a stray one.
std::map<std::uintptr_t, GdiObject>& Objects() {
    static std::map<std::uintptr_t, GdiObject> objects;
    return objects;
}
std::uintptr_t nextHandle = 0x1000;
GdiAccount account;
std::vector<GdiFault> faults;
std::vector<DeviceContext*> liveContexts;

HGDIOBJ NewObject(GdiObject object) {
    const std::uintptr_t handle = nextHandle;
    nextHandle += 0x10;
    if (!object.stock) ++account.created;
    Objects().emplace(handle, std::move(object));
    return reinterpret_cast<HGDIOBJ>(handle);  // NOLINT(performance-no-int-to-ptr): a handle is only a number here
}

HPEN NewPen(int style, int width, COLORREF colour, bool stock) {
    GdiObject pen;
    pen.kind = GdiObject::Kind::Pen;
    pen.stock = stock;
    pen.penStyle = style;
    pen.penWidth = std::max(1, width);
    pen.colour = colour;
    return static_cast<HPEN>(NewObject(pen));
}

HBRUSH NewBrush(COLORREF colour, bool stock, bool hollow = false) {
    GdiObject brush;
    brush.kind = GdiObject::Kind::Brush;
    brush.stock = stock;
    brush.hollow = hollow;
    brush.colour = colour;
    return static_cast<HBRUSH>(NewObject(brush));
}

HFONT NewFont(FontRequest request, bool stock) {
    GdiObject font;
    font.kind = GdiObject::Kind::Font;
    font.stock = stock;
    font.font = std::move(request);
    return static_cast<HFONT>(NewObject(std::move(font)));
}

GdiObject* Find(HGDIOBJ handle) {
    const auto found = Objects().find(reinterpret_cast<std::uintptr_t>(handle));
    return found == Objects().end() ? nullptr : &found->second;
}

// The object behind a handle a context holds; contexts hold only live objects.
const GdiObject& Selected(HGDIOBJ handle) { return *Find(handle); }

void Fault(GdiFault::Kind kind, HGDIOBJ object) { faults.push_back({kind, object}); }

DeviceContext* Context(HDC hdc) {
    const auto found = std::find(liveContexts.begin(), liveContexts.end(), reinterpret_cast<DeviceContext*>(hdc));
    if (found != liveContexts.end()) return *found;
    Fault(GdiFault::UnknownContext, hdc);
    return nullptr;
}

bool IsSelectedAnywhere(HGDIOBJ object) {
    return std::any_of(liveContexts.begin(), liveContexts.end(), [&](const DeviceContext* dc) {
        return dc->SelectedPen() == object || dc->SelectedBrush() == object || dc->SelectedFont() == object;
    });
}

HPEN StockBlackPen() {
    static const HPEN pen = NewPen(PS_SOLID, 1, 0x00000000, true);
    return pen;
}

HBRUSH StockWhiteBrush() {
    static const HBRUSH brush = NewBrush(0x00FFFFFF, true);
    return brush;
}

HBRUSH StockNullBrush() {
    static const HBRUSH brush = NewBrush(0, true, true);
    return brush;
}

HPEN StockNullPen() {
    static const HPEN pen = NewPen(PS_NULL, 1, 0, true);
    return pen;
}

HFONT StockSystemFont() {
    static const HFONT font = [] {
        FontRequest system;
        system.height = kDefaultCharacterHeight;
        system.width = kDefaultCharacterHeight / 2;
        system.face = "System";
        return NewFont(system, true);
    }();
    return font;
}

}  // namespace

int CharacterWidth(const FontRequest& font) {
    return font.width != 0 ? std::abs(font.width) : std::max(1, CharacterHeight(font) / 2);
}

int CharacterHeight(const FontRequest& font) {
    return font.height != 0 ? std::abs(font.height) : kDefaultCharacterHeight;
}

DeviceContext::DeviceContext(int width, int height) : width_(width), height_(height) {
    Clear();
    liveContexts.push_back(this);
}

void DeviceContext::Clear() {
    drawing_.clear();
    position_ = {0, 0};
    pen_ = StockBlackPen();
    brush_ = StockWhiteBrush();
    font_ = StockSystemFont();
    textAlign_ = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    backgroundMode_ = OPAQUE;
    background_ = 0x00FFFFFF;
    textColour_ = 0x00000000;
    pathState_ = PathState::None;
    pathFigures_.clear();
}

DeviceContext::~DeviceContext() { std::erase(liveContexts, this); }

HDC DeviceContext::Handle() { return reinterpret_cast<HDC>(this); }

GdiAccount GdiAccounting() { return account; }
const std::vector<GdiFault>& GdiFaults() { return faults; }
void ClearGdiFaults() { faults.clear(); }
void ForgetDeletedObjects() {
    std::erase_if(Objects(), [](const auto& entry) { return entry.second.deleted; });
}

HFONT HostDefaultFont(int index, int cellWidth, int cellHeight) {
    if (index < 0 || index >= kHostFontCount) return nullptr;
    static std::map<std::tuple<int, int, int>, HFONT> fonts;
    HFONT& font = fonts[{index, cellWidth, cellHeight}];
    if (font == nullptr) {
        FontRequest request;
        request.charSet = ANSI_CHARSET;
        if (index == 0) {
            request.height = cellHeight;
            request.width = cellWidth;
            request.pitchAndFamily = FIXED_PITCH | FF_MODERN;
            request.face = kHostFontFace;
        } else {
            request.height = index == 3 ? -cellHeight : -(cellHeight * 3) / 4;
            request.escapement = request.orientation = index == 2 ? 900 : 0;
            request.face = kHostSansFace;
        }
        font = NewFont(request, true);
    }
    return font;
}

HPEN HostDefaultPen(int index) {
    // Solid and one pixel wide: RGB(0,255,0) twice, RGB(0,128,0), RGB(128,128,0),
    // RGB(64,64,0), RGB(128,128,128) (HOST.md 4.3).
    static const HPEN pens[kHostPenCount] = {
        NewPen(PS_SOLID, 1, 0x0000FF00, true), NewPen(PS_SOLID, 1, 0x0000FF00, true),
        NewPen(PS_SOLID, 1, 0x00008000, true), NewPen(PS_SOLID, 1, 0x00008080, true),
        NewPen(PS_SOLID, 1, 0x00004040, true), NewPen(PS_SOLID, 1, 0x00808080, true),
    };
    return index >= 0 && index < kHostPenCount ? pens[index] : nullptr;
}

}  // namespace sim

using sim::DeviceContext;
using sim::Point;

HPEN CreatePen(int style, int width, COLORREF colour) { return sim::NewPen(style, width, colour, false); }

HBRUSH CreateSolidBrush(COLORREF colour) { return sim::NewBrush(colour, false); }

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCSTR face) {
    return sim::NewFont({height, width, escapement, orientation, weight, italic != 0, underline != 0, strikeOut != 0,
                         charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face ? face : ""},
                        false);
}

HGDIOBJ GetStockObject(int object) {
    switch (object) {
        case NULL_BRUSH:
            return sim::StockNullBrush();
        case NULL_PEN:
            return sim::StockNullPen();
        default:
            return nullptr;
    }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle) {
    DeviceContext* dc = sim::Context(hdc);
    if (dc == nullptr) return nullptr;
    const sim::GdiObject* object = sim::Find(handle);
    if (object == nullptr || object->deleted) {
        sim::Fault(object ? sim::GdiFault::UsedAfterDelete : sim::GdiFault::UnknownObject, handle);
        return nullptr;
    }
    switch (object->kind) {
        case sim::GdiObject::Kind::Pen:
            return std::exchange(dc->pen_, static_cast<HPEN>(handle));
        case sim::GdiObject::Kind::Brush:
            return std::exchange(dc->brush_, static_cast<HBRUSH>(handle));
        case sim::GdiObject::Kind::Font:
            return std::exchange(dc->font_, static_cast<HFONT>(handle));
    }
    return nullptr;
}

BOOL DeleteObject(HGDIOBJ handle) {
    sim::GdiObject* object = sim::Find(handle);
    if (object == nullptr) {
        sim::Fault(sim::GdiFault::UnknownObject, handle);
        return FALSE;
    }
    if (object->stock) return TRUE;  // deleting a stock object is harmless and does nothing
    if (object->deleted) {
        sim::Fault(sim::GdiFault::DeletedTwice, handle);
        return FALSE;
    }
    if (sim::IsSelectedAnywhere(handle)) {
        sim::Fault(sim::GdiFault::DeletedWhileSelected, handle);
        return FALSE;
    }
    object->deleted = true;
    ++sim::account.deleted;
    return TRUE;
}

// In a path, a move starts a new figure.
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = sim::Context(hdc);
    if (dc == nullptr) return FALSE;
    if (previous) *previous = {dc->position_.x, dc->position_.y};
    if (dc->pathState_ == DeviceContext::PathState::Open) dc->pathFigures_.push_back({{x, y}});
    dc->position_ = {x, y};
    return TRUE;
}

// Draws with the selected pen (a null pen draws nothing) or, in a path, adds to
// the path's figure; either way the current position moves to the end point.
BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = sim::Context(hdc);
    if (dc == nullptr) return FALSE;
    const Point to{x, y};
    if (dc->pathState_ == DeviceContext::PathState::Open) {
        if (dc->pathFigures_.empty()) dc->pathFigures_.push_back({dc->position_});
        dc->pathFigures_.back().push_back(to);
    } else {
        const sim::GdiObject& pen = sim::Selected(dc->pen_);
        if (pen.penStyle != PS_NULL)
            dc->drawing_.emplace_back(std::in_place_type<sim::DrawnLine>,
                                      sim::DrawnLine{dc->position_, to, pen.colour, pen.penWidth});
    }
    dc->position_ = to;
    return TRUE;
}

BOOL BeginPath(HDC hdc) {
    DeviceContext* dc = sim::Context(hdc);
    if (dc == nullptr) return FALSE;
    dc->pathState_ = DeviceContext::PathState::Open;
    dc->pathFigures_.clear();
    return TRUE;
}

BOOL EndPath(HDC hdc) {
    DeviceContext* dc = sim::Context(hdc);
    if (dc == nullptr || dc->pathState_ != DeviceContext::PathState::Open) return FALSE;
    dc->pathState_ = DeviceContext::PathState::Closed;
    return TRUE;
}

// Fills the path that EndPath closed with the selected brush (the null brush fills
// nothing), then discards it.
BOOL FillPath(HDC hdc) {
    DeviceContext* dc = sim::Context(hdc);
    if (dc == nullptr || dc->pathState_ != DeviceContext::PathState::Closed) return FALSE;
    std::erase_if(dc->pathFigures_, [](const std::vector<Point>& figure) { return figure.size() < 3; });
    if (!dc->pathFigures_.empty() && !sim::Selected(dc->brush_).hollow)
        dc->drawing_.push_back(sim::DrawnFill{std::move(dc->pathFigures_), sim::Selected(dc->brush_).colour});
    dc->pathFigures_.clear();
    dc->pathState_ = DeviceContext::PathState::None;
    return TRUE;
}

UINT SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = sim::Context(hdc);
    return dc ? std::exchange(dc->textAlign_, align) : GDI_ERROR;
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = sim::Context(hdc);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return std::exchange(dc->backgroundMode_, mode);
}

COLORREF SetBkColor(HDC hdc, COLORREF colour) {
    DeviceContext* dc = sim::Context(hdc);
    return dc ? std::exchange(dc->background_, colour) : CLR_INVALID;
}

COLORREF SetTextColor(HDC hdc, COLORREF colour) {
    DeviceContext* dc = sim::Context(hdc);
    return dc ? std::exchange(dc->textColour_, colour) : CLR_INVALID;
}

// With TA_UPDATECP the text starts at the current position, which then advances
// by the font's character width for every character; otherwise it starts at (x, y).
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
    DeviceContext* dc = sim::Context(hdc);
    if (dc == nullptr || text == nullptr || length < 0) return FALSE;
    const sim::FontRequest& font = sim::Selected(dc->font_).font;
    const bool atCurrentPosition = (dc->textAlign_ & TA_UPDATECP) != 0;
    const Point at = atCurrentPosition ? dc->position_ : Point{x, y};
    if (length > 0)
        dc->drawing_.push_back(sim::DrawnText{at, std::string(text, static_cast<std::size_t>(length)), font,
                                              dc->textColour_, dc->backgroundMode_, dc->background_});
    if (atCurrentPosition) dc->position_.x += sim::CharacterWidth(font) * length;
    return TRUE;
}
