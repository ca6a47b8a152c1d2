#include "sim/gdi/pixels.h"

#include <fstream>
#include <stdexcept>

namespace sim {

namespace {

void PutLittleEndian(std::vector<char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

}  // namespace

// A file header, a 40-byte information header and bottom-up rows of blue, green,
// red, each row padded to four bytes.
void WriteBmp(const Pixels& pixels, const std::string& path) {
    constexpr std::uint32_t kHeaders = 14 + 40;
    const std::uint32_t rowBytes = (3 * static_cast<std::uint32_t>(pixels.width) + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(pixels.height);
    std::vector<char> out;
    out.reserve(kHeaders + imageBytes);
    out.push_back('B');
    out.push_back('M');
    PutLittleEndian(out, kHeaders + imageBytes, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, kHeaders, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(pixels.width), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(pixels.height), 4);
    PutLittleEndian(out, 1, 2);   // planes
    PutLittleEndian(out, 24, 2);  // bits per pixel
    PutLittleEndian(out, 0, 4);   // uncompressed
    PutLittleEndian(out, imageBytes, 4);
    PutLittleEndian(out, 2835, 4);  // 72 dots per inch, in dots per metre
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
    for (int y = pixels.height - 1; y >= 0; --y) {
        for (int x = 0; x < pixels.width; ++x) PutLittleEndian(out, pixels.At(x, y), 3);
        for (std::uint32_t pad = 3 * static_cast<std::uint32_t>(pixels.width); pad < rowBytes; ++pad) out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace sim
