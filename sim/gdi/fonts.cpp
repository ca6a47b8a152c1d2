#include "sim/gdi/fonts.h"

namespace sim {

bool IsSymbolFont(const FontRequest& font) { return font.face == "Wingdings"; }

std::string InstalledFamilyOf(const std::string& face) {
    if (face == "Times New Roman") return "Liberation Serif";
    return face;
}

std::string Utf8Of(unsigned char character) {
    if (character < 0x20 || character == 0x7F || (character >= 0x80 && character < 0xA0)) return "?";
    if (character < 0x80) return std::string(1, static_cast<char>(character));
    return {static_cast<char>(0xC0 | (character >> 6)), static_cast<char>(0x80 | (character & 0x3F))};
}

}  // namespace sim
