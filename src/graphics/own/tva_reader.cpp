#include "graphics/own/tva_reader.h"

#include <utility>

#include "graphics/sprite_loading.h"

namespace {

std::int32_t readS32(const std::uint8_t* p) {
    return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                        std::uint32_t(p[3]) << 24);
}
int readU16(const std::uint8_t* p) { return p[0] | p[1] << 8; }

}  // namespace

int TvaImage::LoadFile(const char* path) {
    std::vector<std::uint8_t> buffer;
    const int result = ReadWholeFile(path ? path : "", buffer);
    if (result != readFileOk) return result;
    return Parse(std::move(buffer));
}

int TvaImage::Parse(std::vector<std::uint8_t>&& buffer) {
    fileBuffer_ = std::move(buffer);
    width_ = height_ = bitsPerPixel_ = duration_ = descriptor_ = 0;
    frameCount_ = 1;
    if (fileBuffer_.size() < headerSize) return 1;

    const std::uint8_t* header = fileBuffer_.data();
    duration_ = readS32(header + 4);
    frameCount_ = readS32(header + 8);
    width_ = readU16(header + 12);
    height_ = readU16(header + 14);
    bitsPerPixel_ = header[16];
    descriptor_ = header[17];

    // Checked in steps so that no product of hostile numbers can overflow.
    if (bitsPerPixel_ != 24 && bitsPerPixel_ != 32) return 1;
    if (!imageSizeAcceptable(width_, height_, frameCount_)) return 1;
    const std::int64_t pixelBytes = std::int64_t(width_) * height_ * frameCount_ * (bitsPerPixel_ / 8);
    return std::int64_t(fileBuffer_.size()) == std::int64_t(headerSize) + pixelBytes ? 0 : 1;
}

int TvaImage::frameAt(int time) const {
    if (duration_ <= 0 || frameCount_ <= 1) return 0;
    const std::int64_t index = std::int64_t(time) * frameCount_ / duration_;
    if (index < 0) return 0;
    return index >= frameCount_ ? frameCount_ - 1 : int(index);
}

bool TvaImage::frameSource(int time, SourcePixels& out, SourceChannels& channels) const {
    if ((bitsPerPixel_ != 24 && bitsPerPixel_ != 32) || !bgrChannelsForDepth(bitsPerPixel_, channels)) return false;
    if (!imageSizeAcceptable(width_, height_, frameCount_)) return false;
    const std::int64_t frameBytes = std::int64_t(width_) * height_ * (bitsPerPixel_ / 8);
    const std::int64_t start = std::int64_t(headerSize) + frameAt(time) * frameBytes;
    // A frame the file does not hold whole is not shown.
    if (start + frameBytes > std::int64_t(fileBuffer_.size())) return false;
    out.data = fileBuffer_.data() + start;
    out.size = std::size_t(frameBytes);
    out.width = width_;
    out.height = (descriptor_ & 0x20) ? height_ : -height_;
    out.bytesPerPixel = bitsPerPixel_ / 8;
    out.pitch = width_ * out.bytesPerPixel;
    return true;
}
