#include "sim/gdi/render_png.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>
#include <variant>

#include "sim/gdi/fonts.h"

namespace sim {

namespace {

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct FaceRelease {
    void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};
struct PatternRelease {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;
using Context = std::unique_ptr<cairo_t, ContextRelease>;
using Face = std::unique_ptr<cairo_font_face_t, FaceRelease>;
using Pattern = std::unique_ptr<FcPattern, PatternRelease>;

void SetColour(cairo_t* cr, COLORREF colour) {
    cairo_set_source_rgb(cr, (colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, ((colour >> 16) & 0xFF) / 255.0);
}

// The installed face fontconfig picks for a family and slant.
Face MatchFace(const std::string& family, bool italic) {
    Pattern wanted(FcPatternCreate());
    FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(wanted.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result;
    Pattern found(FcFontMatch(nullptr, wanted.get(), &result));
    if (!found) throw std::runtime_error("no installed font for \"" + family + "\"");
    return Face(cairo_ft_font_face_create_for_pattern(found.get()));
}

class PngPainter {
public:
    explicit PngPainter(cairo_t* cr) : cr_(cr) {}

    void operator()(const DrawnLine& line) {
        SetColour(cr_, line.colour);
        const Point a = line.from;
        const Point b = line.to;
        const int half = (line.width - 1) / 2;
        // GDI leaves a line's end point undrawn; axis-parallel lines cover exact pixels.
        if (a.y == b.y && a.x != b.x) {
            const int first = a.x < b.x ? a.x : b.x + 1;
            cairo_rectangle(cr_, first, a.y - half, std::abs(b.x - a.x), line.width);
            cairo_fill(cr_);
        } else if (a.x == b.x && a.y != b.y) {
            const int first = a.y < b.y ? a.y : b.y + 1;
            cairo_rectangle(cr_, a.x - half, first, line.width, std::abs(b.y - a.y));
            cairo_fill(cr_);
        } else if (a != b) {
            cairo_set_line_width(cr_, line.width);
            cairo_move_to(cr_, a.x + 0.5, a.y + 0.5);
            cairo_line_to(cr_, b.x + 0.5, b.y + 0.5);
            cairo_stroke(cr_);
        }
    }

    void operator()(const DrawnFill& fill) {
        SetColour(cr_, fill.colour);
        cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
        for (const auto& figure : fill.figures) {
            cairo_move_to(cr_, figure.front().x, figure.front().y);
            for (const Point& p : figure) cairo_line_to(cr_, p.x, p.y);
            cairo_close_path(cr_);
        }
        cairo_fill(cr_);
    }

    void operator()(const DrawnText& text) {
        const int width = CharacterWidth(text.font);
        const int height = CharacterHeight(text.font);
        const int count = static_cast<int>(text.text.size());
        if (text.backgroundMode == OPAQUE) {
            SetColour(cr_, text.background);
            cairo_rectangle(cr_, text.at.x, text.at.y, width * count, height);
            cairo_fill(cr_);
        }
        SetColour(cr_, text.colour);
        if (!IsSymbolFont(text.font)) {
            std::string utf8;
            for (const char c : text.text) utf8 += Utf8Of(static_cast<unsigned char>(c));
            const double ascent = UseFace(InstalledFamilyOf(text.font.face), text.font.italic, width, height);
            cairo_move_to(cr_, text.at.x, text.at.y + ascent);
            cairo_show_text(cr_, utf8.c_str());
            return;
        }
        for (int k = 0; k < count; ++k) {
            const auto character = static_cast<unsigned char>(text.text[k]);
            const double x = text.at.x + k * width;
            if (character == kSymbolLeftArrow || character == kSymbolRightArrow) {
                Arrow(x, text.at.y, width, height, character == kSymbolRightArrow);
            } else {
                const double ascent = UseFace(kHostFontFace, false, width, height);
                cairo_move_to(cr_, x, text.at.y + ascent);
                cairo_show_text(cr_, "?");
            }
        }
    }

private:
    // Selects the face scaled to fill a width × height character cell (ascent plus
    // descent the height, the average lowercase advance the width) and returns its
    // ascent in pixels.
    double UseFace(const std::string& family, bool italic, int width, int height) {
        auto found = faces_.find({family, italic});
        if (found == faces_.end()) found = faces_.emplace(std::pair{family, italic}, MatchFace(family, italic)).first;
        cairo_set_font_face(cr_, found->second.get());

        // Measure at a large size, where hinting does not distort the metrics.
        constexpr double kMeasureSize = 100.0;
        cairo_set_font_size(cr_, kMeasureSize);
        cairo_font_extents_t font;
        cairo_font_extents(cr_, &font);
        cairo_text_extents_t lowercase;
        cairo_text_extents(cr_, "abcdefghijklmnopqrstuvwxyz", &lowercase);
        const double averageAdvance = lowercase.x_advance / 26 / kMeasureSize;
        const double ySize = height / ((font.ascent + font.descent) / kMeasureSize);
        const double xSize = width / averageAdvance;
        cairo_matrix_t scale;
        cairo_matrix_init_scale(&scale, xSize, ySize);
        cairo_set_font_matrix(cr_, &scale);
        return font.ascent / kMeasureSize * ySize;
    }

    // A filled arrow across the middle of a character cell.
    void Arrow(double x, double y, double width, double height, bool right) {
        const double middle = y + height / 2;
        const double head = height * 0.22;
        const double shaft = height * 0.07;
        const auto along = [&](double fraction) {
            return right ? x + fraction * width : x + (1 - fraction) * width;
        };
        cairo_move_to(cr_, along(0.1), middle - shaft);
        cairo_line_to(cr_, along(0.5), middle - shaft);
        cairo_line_to(cr_, along(0.5), middle - head);
        cairo_line_to(cr_, along(0.9), middle);
        cairo_line_to(cr_, along(0.5), middle + head);
        cairo_line_to(cr_, along(0.5), middle + shaft);
        cairo_line_to(cr_, along(0.1), middle + shaft);
        cairo_close_path(cr_);
        cairo_fill(cr_);
    }

    cairo_t* cr_;
    std::map<std::pair<std::string, bool>, Face> faces_;
};

// The recorded drawing painted on a black surface of the context's size.
Surface Paint(const DeviceContext& dc) {
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, dc.Width(), dc.Height()));
    const Context cr(cairo_create(surface.get()));
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    cairo_paint(cr.get());
    PngPainter painter(cr.get());
    for (const DrawnItem& item : dc.Drawing()) std::visit(painter, item);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("cannot draw the page: ") +
                                 cairo_status_to_string(cairo_status(cr.get())));
    cairo_surface_flush(surface.get());
    return surface;
}

}  // namespace

// Cairo's RGB24 pixels are 32-bit words 0x??RRGGBB, rows `stride` bytes apart.
Pixels RenderPixels(const DeviceContext& dc) {
    const Surface surface = Paint(dc);
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    Pixels pixels{dc.Width(), dc.Height(), {}};
    pixels.rgb.reserve(static_cast<std::size_t>(dc.Width()) * static_cast<std::size_t>(dc.Height()));
    for (int y = 0; y < dc.Height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < dc.Width(); ++x) pixels.rgb.push_back(row[x] & 0x00FFFFFF);
    }
    return pixels;
}

void WritePng(const Pixels& pixels, const std::string& path) {
    const Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixels.width, pixels.height));
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < pixels.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < pixels.width; ++x) row[x] = pixels.At(x, y);
    }
    cairo_surface_mark_dirty(surface.get());
    const cairo_status_t status = cairo_surface_write_to_png(surface.get(), path.c_str());
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path + ": " + cairo_status_to_string(status));
}

void WritePng(const DeviceContext& dc, const std::string& path) { WritePng(RenderPixels(dc), path); }

}  // namespace sim
