#include "cur_writer.h"

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> encodeCursorFile(const Image& image, int hotX, int hotY) {
    const int w = image.width, h = image.height;
    const std::uint32_t maskStride = ((static_cast<std::uint32_t>(w) + 31) / 32) * 4;
    const std::uint32_t colourBytes = static_cast<std::uint32_t>(w) * h * 4;
    const std::uint32_t maskBytes = maskStride * h;
    const std::uint32_t imageBytes = 40 + colourBytes + maskBytes;

    std::vector<std::uint8_t> out;
    // Directory: reserved, type 2 (cursor), one image.
    put16(out, 0);
    put16(out, 2);
    put16(out, 1);
    // Its entry: size (0 means 256), colours, reserved, hot spot, bytes, offset.
    out.push_back(static_cast<std::uint8_t>(w >= 256 ? 0 : w));
    out.push_back(static_cast<std::uint8_t>(h >= 256 ? 0 : h));
    out.push_back(0);
    out.push_back(0);
    put16(out, static_cast<unsigned>(hotX));
    put16(out, static_cast<unsigned>(hotY));
    put32(out, imageBytes);
    put32(out, 22);
    // Bitmap header; the height counts the colour and mask halves.
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(h * 2));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, colourBytes + maskBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int row = h - 1; row >= 0; --row)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = image.at(x, row);
            // Colour premultiplied-free BGRA; fully transparent pixels black.
            put32(out, (p >> 24) ? p : 0);
        }
    for (int row = h - 1; row >= 0; --row) {
        std::vector<std::uint8_t> bits(maskStride, 0);
        for (int x = 0; x < w; ++x)
            if ((image.at(x, row) >> 24) < 128) bits[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}
