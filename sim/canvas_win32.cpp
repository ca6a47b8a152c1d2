#include <cstring>
#include <stdexcept>

#include "sim/canvas.h"

namespace sim {

// A memory device context with a top-down 32-bit DIB section selected into it, so
// that the pixels GDI draws are readable in place.
struct Canvas::Surface {
    Surface(int width, int height) : width(width), height(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        if (dc != nullptr) bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap == nullptr) {
            if (dc != nullptr) DeleteDC(dc);
            throw std::runtime_error("cannot make a drawing surface of " + std::to_string(width) + "x" +
                                     std::to_string(height) + " pixels");
        }
        previousBitmap = SelectObject(dc, bitmap);
    }
    ~Surface() {
        SelectObject(dc, previousBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    std::size_t PixelCount() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }

    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    void* bits = nullptr;
};

Canvas::Canvas(int width, int height) : surface_(std::make_unique<Surface>(width, height)) { Clear(); }
Canvas::~Canvas() = default;

HDC Canvas::Handle() { return surface_->dc; }

void Canvas::Clear() {
    GdiFlush();
    std::memset(surface_->bits, 0, surface_->PixelCount() * 4);
}

// GDI may batch its drawing: flush before reading. Each pixel is blue, green, red
// and an unused byte, which a little-endian read takes as 0x??RRGGBB.
Pixels Canvas::Read() const {
    GdiFlush();
    Pixels pixels{surface_->width, surface_->height, std::vector<std::uint32_t>(surface_->PixelCount())};
    std::memcpy(pixels.rgb.data(), surface_->bits, surface_->PixelCount() * 4);
    for (std::uint32_t& pixel : pixels.rgb) pixel &= 0x00FFFFFF;
    return pixels;
}

void SaveDrawing(const Pixels& pixels, const std::string& path) {
    if (!path.ends_with(".bmp"))
        throw std::runtime_error("cannot write " + path + ": the name must end in .bmp (PNG is the Linux host's)");
    WriteBmp(pixels, path);
}

}  // namespace sim
