#include "graphics/tga_reader.h"

#include <utility>

#include "graphics/sprite_loading.h"

namespace {

// Entry i is (i, i, i): what an 8-bit picture without a palette shows.
const std::uint8_t* greyRamp() {
    static const std::array<std::uint8_t, TgaImage::paletteSize> ramp = [] {
        std::array<std::uint8_t, TgaImage::paletteSize> entries{};
        for (std::size_t i = 0; i < 256; ++i)
            entries[3 * i] = entries[3 * i + 1] = entries[3 * i + 2] = std::uint8_t(i);
        return entries;
    }();
    return ramp.data();
}

int readU16(const std::uint8_t* p) { return p[0] | p[1] << 8; }

}  // namespace

int TgaImage::LoadFile(const char* path) {
    std::vector<std::uint8_t> buffer;
    const int result = ReadWholeFile(path ? path : "", buffer);
    if (result != readFileOk) return result;
    return Parse(std::move(buffer));
}

int TgaImage::Parse(std::vector<std::uint8_t>&& buffer) {
    fileBuffer_ = std::move(buffer);
    width_ = height_ = bitsPerPixel_ = duration_ = 0;
    frameCount_ = 1;
    if (fileBuffer_.size() < headerSize) return 1;

    const std::uint8_t* header = fileBuffer_.data();
    const int width = readU16(header + 12);
    const int height = readU16(header + 14);
    const int bits = header[16];
    const bool topDown = (header[17] & 0x20) != 0;
    hasPalette_ = (header[1] & 1) != 0;
    dataOffset_ = hasPalette_ ? headerSize + paletteSize : headerSize;

    if (!imageSizeAcceptable(width, height, 1)) return 1;
    // Depths we do not convert keep their size and stay black, but the
    // palette they claim must still be there.
    const std::int64_t bytesPerPixel = (bits == 8 || bits == 16 || bits == 24 || bits == 32) ? bits / 8 : 0;
    const std::int64_t needed = std::int64_t(dataOffset_) + std::int64_t(width) * height * bytesPerPixel;
    if (needed > std::int64_t(fileBuffer_.size())) return 1;

    width_ = width;
    height_ = topDown ? height : -height;
    bitsPerPixel_ = bits;
    return 0;
}

bool TgaImage::frameSource(int, SourcePixels& out, SourceChannels& channels) const {
    if (width_ == 0 || !bgrChannelsForDepth(bitsPerPixel_, channels)) return false;
    out.data = fileBuffer_.data() + dataOffset_;
    out.size = fileBuffer_.size() - dataOffset_;
    out.width = width_;
    out.height = height_;
    out.bytesPerPixel = bitsPerPixel_ / 8;
    out.pitch = width_ * out.bytesPerPixel;
    if (bitsPerPixel_ == 8) out.palette = hasPalette_ ? fileBuffer_.data() + headerSize : greyRamp();
    return true;
}
