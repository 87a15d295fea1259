#include "graphics/image_file.h"

#include <cctype>
#include <string>

#include "graphics/avi_reader.h"
#include "graphics/bmp_reader.h"
#include "graphics/jpeg_reader.h"
#include "graphics/own/rdr_texture.h"
#include "graphics/own/tva_reader.h"
#include "graphics/tga_reader.h"

namespace {

constexpr int maxChannelMoves = 4;

std::uint32_t readPixel(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint32_t(p[i]) << (8 * i);
    return value;
}

void writePixel(std::uint8_t* p, int bytes, std::uint32_t value) {
    for (int i = 0; i < bytes; ++i) p[i] = std::uint8_t(value >> (8 * i));
}

bool channelFits(const PixelChannel& channel, int pixelBits) {
    return channel.bits >= 1 && channel.bits <= 8 && channel.shift >= 0 && channel.shift + channel.bits <= pixelBits;
}

// The channel widened to 8 bits: its value moved to the top of a byte.
std::uint32_t channelValue8(std::uint32_t pixel, const PixelChannel& channel) {
    const std::uint32_t value = (pixel >> channel.shift) & ((1u << channel.bits) - 1);
    return value << (8 - channel.bits);
}

// First and one-past-last source index covered by destination index i, at
// least one index wide.
void coveredSpan(std::int64_t i, std::int64_t step, std::int64_t sourceSize, std::int64_t& first, std::int64_t& end) {
    first = (i * step) >> 16;
    end = ((i + 1) * step) >> 16;
    if (end <= first) end = first + 1;
    if (end > sourceSize) end = sourceSize;
    if (first >= sourceSize) first = sourceSize - 1;
}

}  // namespace

bool imageSizeAcceptable(std::int64_t width, std::int64_t height, std::int64_t frames) {
    if (width <= 0 || height <= 0 || frames <= 0) return false;
    if (width > maxImageEdge || height > maxImageEdge || frames > maxImagePixels) return false;
    return width * height <= maxImagePixels && width * height * frames <= maxImagePixels;
}

int frameFetchTime(int index, int duration, int frameCount) {
    if (index <= 0 || duration <= 0 || frameCount <= 0) return 0;
    return int((std::int64_t(index) * duration + frameCount - 1) / frameCount);
}

bool bgrChannelsForDepth(int bitsPerPixel, SourceChannels& out) {
    switch (bitsPerPixel) {
        case 32:
            out = {{8, 16}, {8, 8}, {8, 0}, {8, 24}};
            return true;
        case 24:
        case 8:
            out = {{8, 16}, {8, 8}, {8, 0}, {8, 0}};
            return true;
        case 16:
            out = {{5, 10}, {5, 5}, {5, 0}, {5, 0}};
            return true;
        default:
            return false;
    }
}

int convertPixels(const SourcePixels& source, std::uint8_t* dest, int destBytesPerPixel, int destPitch, int destWidth,
                  int destHeight, const ChannelMove* moves, int moveCount) {
    if (!source.data || !dest || !moves || moveCount < 1 || moveCount > maxChannelMoves) return 1;
    if (destBytesPerPixel < 1 || destBytesPerPixel > 4 || destWidth <= 0 || destHeight <= 0) return 1;
    if (destPitch < std::int64_t(destWidth) * destBytesPerPixel) return 1;

    const std::int64_t sourceWidth = source.width < 0 ? -std::int64_t(source.width) : source.width;
    const std::int64_t sourceHeight = source.height < 0 ? -std::int64_t(source.height) : source.height;
    const int sourceBytes = source.bytesPerPixel;
    if (sourceWidth == 0 || sourceHeight == 0 || sourceBytes < 1 || sourceBytes > 4) return 1;
    const std::int64_t rowBytes = sourceWidth * sourceBytes;
    if (source.pitch < rowBytes) return 1;
    if ((sourceHeight - 1) * source.pitch + rowBytes > std::int64_t(source.size)) return 1;

    const bool paletted = source.palette && sourceBytes == 1;
    const int sourceBits = paletted ? 24 : sourceBytes * 8;
    for (int m = 0; m < moveCount; ++m) {
        if (!channelFits(moves[m].source, sourceBits) || !channelFits(moves[m].dest, destBytesPerPixel * 8)) return 1;
    }

    const std::int64_t stepX = (sourceWidth << 16) / destWidth;
    const std::int64_t stepY = (sourceHeight << 16) / destHeight;
    const bool flipRows = source.height < 0;
    const bool flipColumns = source.width < 0;

    auto sourcePixel = [&](std::int64_t x, std::int64_t y) {
        const std::int64_t row = flipRows ? sourceHeight - 1 - y : y;
        const std::int64_t column = flipColumns ? sourceWidth - 1 - x : x;
        const std::uint8_t* p = source.data + row * source.pitch + column * sourceBytes;
        if (!paletted) return readPixel(p, sourceBytes);
        const std::uint8_t* entry = source.palette + 3 * std::size_t(*p);
        return std::uint32_t(entry[0]) | std::uint32_t(entry[1]) << 8 | std::uint32_t(entry[2]) << 16;
    };

    for (std::int64_t dy = 0; dy < destHeight; ++dy) {
        std::int64_t y0, y1;
        coveredSpan(dy, stepY, sourceHeight, y0, y1);
        std::uint8_t* out = dest + dy * destPitch;
        for (std::int64_t dx = 0; dx < destWidth; ++dx) {
            std::int64_t x0, x1;
            coveredSpan(dx, stepX, sourceWidth, x0, x1);
            std::uint64_t sums[maxChannelMoves] = {};
            for (std::int64_t y = y0; y < y1; ++y) {
                for (std::int64_t x = x0; x < x1; ++x) {
                    const std::uint32_t pixel = sourcePixel(x, y);
                    for (int m = 0; m < moveCount; ++m) sums[m] += channelValue8(pixel, moves[m].source);
                }
            }
            const std::uint64_t covered = std::uint64_t((y1 - y0) * (x1 - x0));
            std::uint8_t* target = out + dx * destBytesPerPixel;
            std::uint32_t value = readPixel(target, destBytesPerPixel);
            for (int m = 0; m < moveCount; ++m) {
                const PixelChannel& d = moves[m].dest;
                const std::uint32_t mask = ((1u << d.bits) - 1) << d.shift;
                const std::uint32_t value8 = std::uint32_t(sums[m] / covered);
                value = (value & ~mask) | (((value8 >> (8 - d.bits)) << d.shift) & mask);
            }
            writePixel(target, destBytesPerPixel, value);
        }
    }
    return 0;
}

int ImageFile::LoadFile(const char*) { return notSupported; }

int ImageFile::Parse(std::vector<std::uint8_t>&& buffer) {
    // Taking the buffer over means freeing it too, even when we cannot use it.
    std::vector<std::uint8_t> discarded = std::move(buffer);
    return notSupported;
}

void ImageFile::FreePixels() {
    pixels_ = {};
    fileBuffer_ = {};
}

int ImageFile::ExtractAlpha(std::uint8_t*, int, int, int, int, int, int, int) { return notSupported; }

int ImageFile::ConvertFrame(std::uint8_t*, int, int, int, int, int, int, int, int, int, int, int) {
    return notSupported;
}

int ImageFile::convertColour(const SourcePixels& source, const SourceChannels& channels, std::uint8_t* dest,
                             int bytesPerPixel, int pitch, int redBits, int greenBits, int blueBits, int redShift,
                             int greenShift, int blueShift, int width, int height) {
    const ChannelMove moves[3] = {
        {channels.red, {redBits, redShift}},
        {channels.green, {greenBits, greenShift}},
        {channels.blue, {blueBits, blueShift}},
    };
    return convertPixels(source, dest, bytesPerPixel, pitch, width, height, moves, 3);
}

int ImageFile::convertOneChannel(const SourcePixels& source, PixelChannel channel, std::uint8_t* dest,
                                 int bytesPerPixel, int pitch, int bits, int shift, int width, int height) {
    const ChannelMove move = {channel, {bits, shift}};
    return convertPixels(source, dest, bytesPerPixel, pitch, width, height, &move, 1);
}

std::unique_ptr<ImageFile> OpenImageFile(std::string_view path) {
    constexpr std::size_t longestExamined = 1024;
    std::string lower(path.substr(0, longestExamined));
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    auto has = [&](const char* extension) { return lower.find(extension) != std::string::npos; };

    if (has(".tga")) return std::make_unique<TgaImage>();
    if (has(".avi")) return std::make_unique<AviImage>();
    if (has(".bmp")) return std::make_unique<BmpImage>();
    if (has(".jpg")) return std::make_unique<JpegImage>();
    if (has(".rdr")) return std::make_unique<RdrImage>();
    if (has(".tva")) return std::make_unique<TvaImage>();
    return nullptr;
}

int ChannelImageFile::ConvertFrame(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int redBits,
                                   int greenBits, int blueBits, int redShift, int greenShift, int blueShift, int width,
                                   int height) {
    SourcePixels pixels;
    SourceChannels channels;
    if (!frameSource(time, pixels, channels)) return 1;
    return convertColour(pixels, channels, dest, bytesPerPixel, pitch, redBits, greenBits, blueBits, redShift,
                         greenShift, blueShift, width, height);
}

int ChannelImageFile::ExtractAlpha(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int bits, int shift,
                                   int width, int height) {
    SourcePixels pixels;
    SourceChannels channels;
    if (!frameSource(time, pixels, channels)) return 1;
    return convertOneChannel(pixels, channels.alpha, dest, bytesPerPixel, pitch, bits, shift, width, height);
}
