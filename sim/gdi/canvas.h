// The surface a host draws a display's page on, read back as pixels: the stand-in
// GDI records the drawing and Cairo paints it (canvas_recorded.cpp).
#pragma once

#include <memory>
#include <string>

#include "host/win32.h"
#include "sim/gdi/pixels.h"

namespace sim {

class Canvas {
public:
    // A black surface of width × height pixels. Throws std::runtime_error when the
    // platform cannot make one.
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The device context to draw on.
    HDC Handle();
    // Paints the surface black again and gives the context a fresh state, ready
    // for the next drawing.
    void Clear();
    // What has been drawn since the last Clear.
    Pixels Read() const;

private:
    struct Surface;
    std::unique_ptr<Surface> surface_;
};

// Writes a drawing to `path`, as BMP for a name ending ".bmp", as PNG
// for one ending ".png". Throws std::runtime_error naming the file when the format
// is not one of these or the file cannot be written.
void SaveDrawing(const Pixels& pixels, const std::string& path);

}  // namespace sim
