// A drawn page as pixels, as both hosts read it back from their drawing surfaces,
// and as a BMP file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/win32.h"

namespace sim {

// The pixels of a surface, row by row from the top, each 0x00RRGGBB.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

// A GDI colour (0x00BBGGRR) as a pixel (0x00RRGGBB).
constexpr std::uint32_t PixelOf(COLORREF colour) {
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

// Writes a 24-bit BMP file. Throws std::runtime_error naming the file when it cannot be written.
void WriteBmp(const Pixels& pixels, const std::string& path);

}  // namespace sim
