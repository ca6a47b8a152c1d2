// A drawn page as pixels, as both hosts read it back from their drawing surfaces.
#pragma once

#include <cstdint>
#include <vector>

namespace sim {

// The pixels of a surface, row by row from the top, each 0x00RRGGBB.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace sim
