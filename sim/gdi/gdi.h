// The stand-in host's GDI: device contexts that keep GDI's drawing rules and record
// what is drawn, and an account of every pen, brush and font.
//
// A page draws through the GDI functions declared in host/win32.h on the HDC of a
// DeviceContext. The context remembers each line, filled path and text run with
// the colours and font it was drawn in, so that tests can read the page back and
// the renderers can turn it into an image or a character grid.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "host/win32.h"
#include "sim/host/host_look.h"

namespace sim {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// A font as CreateFont was asked for it: its fourteen arguments.
struct FontRequest {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    DWORD charSet = 0;
    DWORD outPrecision = 0;
    DWORD clipPrecision = 0;
    DWORD quality = 0;
    DWORD pitchAndFamily = 0;
    std::string face;
    bool operator==(const FontRequest&) const = default;
};

// The character cell of a font: every character advances by the same width.
// A font requested with width or height 0 gets the host's defaults; a negative
// height (a character height in GDI's terms) is taken as the cell's.
int CharacterWidth(const FontRequest& font);
int CharacterHeight(const FontRequest& font);

// A line drawn with a visible pen, from its start up to its end point (GDI leaves
// the end point itself undrawn).
struct DrawnLine {
    Point from{}, to{};
    COLORREF colour = 0;
    int width = 1;
    bool operator==(const DrawnLine&) const = default;
};

// A filled path: every figure closed, filled together by the even-odd rule with
// the brush's colour.
struct DrawnFill {
    std::vector<std::vector<Point>> figures;
    COLORREF colour = 0;
    bool operator==(const DrawnFill&) const = default;
};

// A run of text with its top-left corner at `at`.
struct DrawnText {
    Point at{};
    std::string text;
    FontRequest font;
    COLORREF colour = 0;
    int backgroundMode = TRANSPARENT;  // or OPAQUE
    COLORREF background = 0;
};

using DrawnItem = std::variant<DrawnLine, DrawnFill, DrawnText>;

// A drawing surface of a given pixel size. Starts as a fresh GDI context does: the
// stock black pen, white brush and system font selected, current position (0, 0),
// text aligned left and top without updating the current position, opaque white
// background, black text.
class DeviceContext {
public:
    DeviceContext(int width, int height);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    HDC Handle();
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Everything drawn since construction or the last Clear, in drawing order.
    const std::vector<DrawnItem>& Drawing() const { return drawing_; }
    template <typename Drawn>
    std::vector<Drawn> DrawingsOf() const {
        std::vector<Drawn> found;
        for (const DrawnItem& item : drawing_)
            if (const auto* drawn = std::get_if<Drawn>(&item)) found.push_back(*drawn);
        return found;
    }
    // Forgets the drawing (the surface is black again) and takes a fresh context's state.
    void Clear();

    Point CurrentPosition() const { return position_; }
    HPEN SelectedPen() const { return pen_; }
    HBRUSH SelectedBrush() const { return brush_; }
    HFONT SelectedFont() const { return font_; }
    UINT TextAlign() const { return textAlign_; }
    int BackgroundMode() const { return backgroundMode_; }
    COLORREF TextColour() const { return textColour_; }

private:
    // The GDI functions that draw or change the context's state.
    friend HGDIOBJ(::SelectObject)(HDC, HGDIOBJ);
    friend BOOL(::MoveToEx)(HDC, int, int, LPPOINT);
    friend BOOL(::LineTo)(HDC, int, int);
    friend BOOL(::BeginPath)(HDC);
    friend BOOL(::EndPath)(HDC);
    friend BOOL(::FillPath)(HDC);
    friend UINT(::SetTextAlign)(HDC, UINT);
    friend int(::SetBkMode)(HDC, int);
    friend COLORREF(::SetBkColor)(HDC, COLORREF);
    friend COLORREF(::SetTextColor)(HDC, COLORREF);
    friend BOOL(::TextOutA)(HDC, int, int, LPCSTR, int);

    int width_, height_;
    std::vector<DrawnItem> drawing_;
    Point position_{0, 0};
    HPEN pen_;
    HBRUSH brush_;
    HFONT font_;
    UINT textAlign_;
    int backgroundMode_;
    COLORREF background_;
    COLORREF textColour_;
    enum class PathState { None, Open, Closed } pathState_;
    std::vector<std::vector<Point>> pathFigures_;
};

// What went wrong with a GDI object; the call that did it fails and changes nothing.
struct GdiFault {
    enum Kind {
        DeletedWhileSelected,  // DeleteObject of an object still selected into a context
        DeletedTwice,          // DeleteObject of an object already deleted
        UsedAfterDelete,       // SelectObject of a deleted object
        UnknownObject,         // a handle no CreatePen, CreateSolidBrush or CreateFont returned
        UnknownContext,        // an HDC of no live DeviceContext
    } kind;
    HGDIOBJ object;
    bool operator==(const GdiFault&) const = default;
};

// Pens, brushes and fonts created by a drawing; the host's stock objects are not counted.
struct GdiAccount {
    long created = 0;
    long deleted = 0;
    long Live() const { return created - deleted; }
};
GdiAccount GdiAccounting();
const std::vector<GdiFault>& GdiFaults();
void ClearGdiFaults();
// Forgets the objects already deleted, so that a long run of drawings keeps its
// memory bounded. Handles are never reused: a forgotten handle reads as unknown.
void ForgetDeletedObjects();

// The faces of the host's default fonts (sim/host/host_look.h), as stock objects
// here: the monospaced font 0, and the proportional fonts 1 to 3.
inline constexpr const char* kHostFontFace = "DejaVu Sans Mono";
inline constexpr const char* kHostSansFace = "DejaVu Sans";

}  // namespace sim
