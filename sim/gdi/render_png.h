// A recorded drawing as a PNG image, drawn with Cairo on a black display.
#pragma once

#include <string>

#include "sim/gdi/gdi.h"
#include "sim/gdi/pixels.h"

namespace sim {

// Draws everything `dc` recorded, in order, at the context's pixel size and writes
// it to `path`. Text uses installed faces through fontconfig (the host's font is
// monospaced, "Times New Roman" becomes a metric-compatible serif); a symbol
// font's arrows are drawn as arrow shapes. Throws std::runtime_error naming the
// file when it cannot be written.
void WritePng(const DeviceContext& dc, const std::string& path);

// The same painting, as pixels.
Pixels RenderPixels(const DeviceContext& dc);

// Writes pixels read back from any surface as a PNG image.
void WritePng(const Pixels& pixels, const std::string& path);

}  // namespace sim
