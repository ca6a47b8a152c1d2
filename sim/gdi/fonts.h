// How the renderers show the fonts and characters a page asks for.
#pragma once

#include <string>

#include "sim/gdi/gdi.h"

namespace sim {

// A symbol font's left- and right-pointing arrows.
inline constexpr unsigned char kSymbolLeftArrow = 0xE7;
inline constexpr unsigned char kSymbolRightArrow = 0xE8;

// A font of symbols rather than letters: of its characters the renderers know
// only the two arrows.
bool IsSymbolFont(const FontRequest& font);

// The installed family that stands in for a face: a metric-compatible face where
// the requested one is not installed here, else the face itself.
std::string InstalledFamilyOf(const std::string& face);

// A character of a page's single-byte text (Latin-1) in UTF-8; control
// characters show as "?".
std::string Utf8Of(unsigned char character);

}  // namespace sim
