#include "platform/cursor_file.h"

#include <algorithm>

#include "platform/backend.h"
#include "platform/paths.h"

namespace platform {
namespace {

constexpr int kMaxCursorSide = 256;

std::uint32_t readLe(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

struct Entry {
    int width, height, hotX, hotY;
    std::uint32_t size, offset;
};

bool decodeImage(const std::vector<std::uint8_t>& b, const Entry& entry, DecodedCursor& out) {
    const std::size_t start = entry.offset;
    if (start > b.size() || b.size() - start < 40 || entry.size < 40) return false;
    const std::size_t end = start + std::min<std::size_t>(entry.size, b.size() - start);
    const std::uint32_t headerSize = readLe(b, start, 4);
    const auto width = static_cast<std::int32_t>(readLe(b, start + 4, 4));
    const auto doubledHeight = static_cast<std::int32_t>(readLe(b, start + 8, 4));
    const int bitCount = static_cast<int>(readLe(b, start + 14, 2));
    const std::uint32_t compression = readLe(b, start + 16, 4);
    const std::uint32_t coloursUsed = readLe(b, start + 32, 4);
    if (headerSize < 40 || headerSize > entry.size || compression != 0) return false;
    if (width <= 0 || width > kMaxCursorSide || doubledHeight <= 0 || doubledHeight > 2 * kMaxCursorSide) return false;
    const int height = doubledHeight / 2;
    if (height <= 0) return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) return false;

    std::size_t at = start + headerSize;
    std::vector<std::uint32_t> palette;
    if (bitCount <= 8) {
        std::size_t count = coloursUsed ? coloursUsed : (std::size_t{1} << bitCount);
        if (count > 256) return false;
        if (end < at || end - at < count * 4) return false;
        for (std::size_t i = 0; i < count; ++i, at += 4)
            palette.push_back(0xFF000000u | readLe(b, at, 3));
    }
    const std::size_t colourStride = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    const std::size_t maskStride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    const std::size_t colourBytes = colourStride * static_cast<std::size_t>(height);
    if (end < at || end - at < colourBytes) return false;
    const std::size_t maskAt = at + colourBytes;
    const bool hasMask = end >= maskAt && end - maskAt >= maskStride * static_cast<std::size_t>(height);

    out.width = width;
    out.height = height;
    out.hotX = std::min(entry.hotX, width - 1);
    out.hotY = std::min(entry.hotY, height - 1);
    out.pixels.assign(static_cast<std::size_t>(width) * height, 0);
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        // Bitmaps are stored bottom row first.
        const std::size_t rowAt = at + colourStride * static_cast<std::size_t>(height - 1 - row);
        const std::size_t maskRowAt = maskAt + maskStride * static_cast<std::size_t>(height - 1 - row);
        for (int x = 0; x < width; ++x) {
            std::uint32_t argb = 0;
            if (bitCount == 32) {
                argb = readLe(b, rowAt + static_cast<std::size_t>(x) * 4, 4);
                if (argb >> 24) anyAlpha = true;
            } else if (bitCount == 24) {
                argb = 0xFF000000u | readLe(b, rowAt + static_cast<std::size_t>(x) * 3, 3);
            } else {
                const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
                const unsigned byte = b[rowAt + bit / 8];
                const unsigned index = (byte >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
                argb = index < palette.size() ? palette[index] : 0xFF000000u;
            }
            const bool transparent = hasMask && ((b[maskRowAt + x / 8] >> (7 - x % 8)) & 1);
            if (bitCount != 32 && transparent) argb = 0;
            out.pixels[static_cast<std::size_t>(row) * width + x] = argb;
        }
    }
    // A 32-bit image without any alpha relies on its mask like the others.
    if (bitCount == 32 && !anyAlpha) {
        for (int row = 0; row < height; ++row) {
            const std::size_t maskRowAt = maskAt + maskStride * static_cast<std::size_t>(height - 1 - row);
            for (int x = 0; x < width; ++x) {
                const bool transparent = hasMask && ((b[maskRowAt + x / 8] >> (7 - x % 8)) & 1);
                std::uint32_t& p = out.pixels[static_cast<std::size_t>(row) * width + x];
                p = transparent ? 0 : (p | 0xFF000000u);
            }
        }
    }
    return true;
}

}  // namespace

bool decodeCursorFile(const std::vector<std::uint8_t>& b, DecodedCursor& out) {
    if (b.size() < 6 || readLe(b, 0, 2) != 0 || readLe(b, 2, 2) != 2) return false;
    const std::size_t count = readLe(b, 4, 2);
    if (count == 0 || b.size() < 6 + count * 16) return false;
    // Prefer the largest image up to 64 pixels wide; larger ones come last.
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = 6 + i * 16;
        Entry e{b[at] ? b[at] : 256, b[at + 1] ? b[at + 1] : 256, static_cast<int>(readLe(b, at + 4, 2)),
                static_cast<int>(readLe(b, at + 6, 2)), readLe(b, at + 8, 4), readLe(b, at + 12, 4)};
        entries.push_back(e);
    }
    auto score = [](const Entry& e) { return e.width <= 64 ? e.width : 64 - e.width; };
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const Entry& a, const Entry& c) { return score(a) > score(c); });
    for (const Entry& e : entries) {
        if (decodeImage(b, e, out)) return true;
    }
    out = DecodedCursor{};
    return false;
}

std::intptr_t loadCursorFromFile(const std::string& gamePath) {
    Backend* b = backend();
    if (!b) return 0;
    std::vector<std::uint8_t> bytes;
    DecodedCursor cursor;
    if (!readWholeFile(gamePath, bytes, 1u << 20) || !decodeCursorFile(bytes, cursor)) return 0;
    CursorImage image{cursor.width, cursor.height, cursor.hotX, cursor.hotY, cursor.pixels.data()};
    return b->createCursor(image);
}

}  // namespace platform
