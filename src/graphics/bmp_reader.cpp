#include "graphics/bmp_reader.h"

#include <cstdint>
#include <utility>

#include "graphics/sprite_loading.h"

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t infoHeaderSize = 40;

std::uint32_t readU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
int readU16(const std::uint8_t* p) { return p[0] | p[1] << 8; }

// Bit fields are read only when they say what BI_RGB would mean anyway.
bool defaultBitFields(const std::uint8_t* masks, int bitsPerPixel) {
    const std::uint32_t red = readU32(masks), green = readU32(masks + 4), blue = readU32(masks + 8);
    if (bitsPerPixel == 16) return red == 0x7C00 && green == 0x03E0 && blue == 0x001F;
    if (bitsPerPixel == 32) return red == 0xFF0000 && green == 0xFF00 && blue == 0xFF;
    return false;
}

}  // namespace

bool readDibFormat(const std::uint8_t* data, std::size_t size, DibFormat& out) {
    out = DibFormat{};
    if (!data || size < infoHeaderSize) return false;
    const std::uint32_t headerSize = readU32(data);
    if (headerSize < infoHeaderSize || headerSize > size) return false;

    const std::int32_t width = std::int32_t(readU32(data + 4));
    const std::int32_t height = std::int32_t(readU32(data + 8));
    const int bits = readU16(data + 14);
    const std::uint32_t compression = readU32(data + 16);
    if (height == INT32_MIN || !imageSizeAcceptable(width, height < 0 ? -height : height, 1)) return false;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;

    if (compression == BI_BITFIELDS) {
        // The masks follow a 40-byte header and sit inside the longer ones.
        if (size < infoHeaderSize + 12 || !defaultBitFields(data + infoHeaderSize, bits)) return false;
    } else if (compression != BI_RGB) {
        return false;
    }

    out.width = width;
    out.height = height;
    out.bitsPerPixel = bits;
    out.compression = compression;
    out.imageSize = readU32(data + 20);
    out.pitch = int((std::int64_t(width) * bits + 31) / 32 * 4);

    if (bits == 8) {
        std::uint32_t entries = readU32(data + 32);
        if (entries == 0 || entries > 256) entries = 256;
        const std::uint8_t* table = data + headerSize;
        const std::size_t available = (size - headerSize) / 4;
        for (std::size_t i = 0; i < entries && i < available; ++i) {
            out.palette[3 * i] = table[4 * i];
            out.palette[3 * i + 1] = table[4 * i + 1];
            out.palette[3 * i + 2] = table[4 * i + 2];
        }
        out.hasPalette = true;
    }
    return true;
}

SourcePixels dibSource(const DibFormat& format, const std::uint8_t* bits, std::size_t size, int pitch) {
    SourcePixels source;
    source.data = bits;
    source.size = size;
    source.width = format.width;
    // Positive DIB heights are stored bottom-up, which our sources say with a
    // negative height.
    source.height = -format.height;
    source.bytesPerPixel = format.bitsPerPixel / 8;
    source.pitch = pitch;
    source.palette = format.hasPalette ? format.palette.data() : nullptr;
    return source;
}

std::int64_t dibBytesNeeded(const DibFormat& format, int pitch) {
    const std::int64_t rows = format.height < 0 ? -std::int64_t(format.height) : format.height;
    return (rows - 1) * pitch + std::int64_t(format.width) * (format.bitsPerPixel / 8);
}

int BmpImage::LoadFile(const char* path) {
    width_ = height_ = bitsPerPixel_ = duration_ = 0;
    frameCount_ = 1;
    const int result = ReadWholeFile(path ? path : "", fileBuffer_);
    if (result != readFileOk) return result;

    const std::uint8_t* file = fileBuffer_.data();
    const std::size_t size = fileBuffer_.size();
    if (size < fileHeaderSize || file[0] != 'B' || file[1] != 'M') return 1;
    if (!readDibFormat(file + fileHeaderSize, size - fileHeaderSize, format_)) return 1;
    bitsOffset_ = readU32(file + 10);
    if (bitsOffset_ < fileHeaderSize + infoHeaderSize || bitsOffset_ > size) return 1;
    if (dibBytesNeeded(format_, format_.pitch) > std::int64_t(size - bitsOffset_)) return 1;

    width_ = format_.width;
    height_ = -format_.height;
    bitsPerPixel_ = format_.bitsPerPixel;
    return 0;
}

bool BmpImage::frameSource(int, SourcePixels& out, SourceChannels& channels) const {
    if (width_ == 0 || !bgrChannelsForDepth(bitsPerPixel_, channels)) return false;
    out = dibSource(format_, fileBuffer_.data() + bitsOffset_, fileBuffer_.size() - bitsOffset_, format_.pitch);
    return true;
}
