#include "app/live/terminal_cells.h"

#include <cstdlib>

namespace kalvo::app {

namespace {

struct Rgb {
    int r, g, b;
};

Rgb RgbOf(COLORREF colour) {
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

int SquaredDistance(Rgb a, Rgb b) {
    return (a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b);
}

constexpr int kCubeLevels[] = {0, 95, 135, 175, 215, 255};

int NearestCubeStep(int value) {
    int best = 0;
    for (int step = 1; step < 6; ++step)
        if (std::abs(kCubeLevels[step] - value) < std::abs(kCubeLevels[best] - value)) best = step;
    return best;
}

}  // namespace

int NearestOf256(COLORREF colour) {
    const Rgb rgb = RgbOf(colour);
    const int r = NearestCubeStep(rgb.r), g = NearestCubeStep(rgb.g), b = NearestCubeStep(rgb.b);
    const int cubeIndex = 16 + 36 * r + 6 * g + b;
    const int cubeDistance = SquaredDistance(rgb, {kCubeLevels[r], kCubeLevels[g], kCubeLevels[b]});

    int greyStep = ((rgb.r + rgb.g + rgb.b) / 3 - 8 + 5) / 10;
    greyStep = greyStep < 0 ? 0 : greyStep > 23 ? 23 : greyStep;
    const int greyLevel = 8 + 10 * greyStep;
    const int greyDistance = SquaredDistance(rgb, {greyLevel, greyLevel, greyLevel});
    return greyDistance < cubeDistance ? 232 + greyStep : cubeIndex;
}

int NearestOf8(COLORREF colour) {
    const Rgb rgb = RgbOf(colour);
    return (rgb.r >= 128 ? 1 : 0) + (rgb.g >= 128 ? 2 : 0) + (rgb.b >= 128 ? 4 : 0);
}

std::string_view AsciiOf(std::string_view glyph) {
    if (glyph.size() == 1 && static_cast<unsigned char>(glyph[0]) < 0x80) return glyph;
    if (glyph == "─") return "-";
    if (glyph == "│") return "|";
    if (glyph == "·") return ".";
    if (glyph == "←") return "<";
    if (glyph == "→") return ">";
    return "?";
}

std::string AsciiOfText(std::string_view text) {
    std::string ascii;
    for (std::size_t at = 0; at < text.size();) {
        // A UTF-8 character's length, from its first byte; a stray byte counts alone.
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        ascii += AsciiOf(text.substr(at, length));
        at += length;
    }
    return ascii;
}

}  // namespace kalvo::app
