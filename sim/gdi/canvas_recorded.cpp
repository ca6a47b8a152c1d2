#include <stdexcept>

#include "sim/gdi/canvas.h"
#include "sim/gdi/gdi.h"
#include "sim/gdi/render_png.h"

namespace sim {

struct Canvas::Surface {
    Surface(int width, int height) : dc(width, height) {}
    DeviceContext dc;
};

Canvas::Canvas(int width, int height) : surface_(std::make_unique<Surface>(width, height)) {}
Canvas::~Canvas() = default;

HDC Canvas::Handle() { return surface_->dc.Handle(); }
void Canvas::Clear() { surface_->dc.Clear(); }
Pixels Canvas::Read() const { return RenderPixels(surface_->dc); }

void SaveDrawing(const Pixels& pixels, const std::string& path) {
    if (path.ends_with(".png"))
        WritePng(pixels, path);
    else if (path.ends_with(".bmp"))
        WriteBmp(pixels, path);
    else
        throw std::runtime_error("cannot write " + path + ": the name must end in .png or .bmp");
}

}  // namespace sim
