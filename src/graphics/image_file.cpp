#include "graphics/image_file.h"

#include <cctype>
#include <string>
#include <vector>

#include "graphics/avi_reader.h"
#include "graphics/bmp_reader.h"
#include "graphics/jpeg_reader.h"
#include "graphics/own/rdr_texture.h"
#include "graphics/own/tva_reader.h"
#include "graphics/tga_reader.h"

namespace {

constexpr int maxChannelMoves = 4;

[[gnu::always_inline]] inline std::uint32_t readPixel(const std::uint8_t* p, int bytes) {
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

// First and one-past-last source index covered by destination index i, at
// least one index wide.
void coveredSpan(std::int64_t i, std::int64_t step, std::int64_t sourceSize, std::int64_t& first, std::int64_t& end) {
    first = (i * step) >> 16;
    end = ((i + 1) * step) >> 16;
    if (end <= first) end = first + 1;
    if (end > sourceSize) end = sourceSize;
    if (first >= sourceSize) first = sourceSize - 1;
}

// A run of stored rows or columns.
struct Span {
    std::int64_t first = 0, end = 0;
};

// The stored rows (or columns) each destination row (or column) averages,
// worked out once a conversion. Stored right to left or bottom-up, a box
// covers the mirrored run: the sum does not care about order.
std::vector<Span> storedSpans(std::int64_t destSize, std::int64_t sourceSize, bool mirrored) {
    const std::int64_t step = (sourceSize << 16) / destSize;
    std::vector<Span> spans(static_cast<std::size_t>(destSize));
    for (std::int64_t i = 0; i < destSize; ++i) {
        std::int64_t first, end;
        coveredSpan(i, step, sourceSize, first, end);
        spans[std::size_t(i)] = mirrored ? Span{sourceSize - end, sourceSize - first} : Span{first, end};
    }
    return spans;
}

// A source channel widened to 8 bits: its value moved to the top of a byte.
struct Widening {
    std::uint32_t shift, mask, up;
};

[[gnu::always_inline]] inline std::uint32_t widened(std::uint32_t pixel, Widening w) {
    return ((pixel >> w.shift) & w.mask) << w.up;
}

// Adds up the widened channels of every source box of one destination row,
// Count sums a box, box after box. One body per pixel size and channel
// count, so that the inner loop reads a known number of bytes and keeps its
// sums in registers.
using RowSum = void (*)(const SourcePixels&, Span rows, const std::vector<Span>& columns, const Widening*,
                        std::uint64_t* sums);

template <int Bytes, bool Paletted, int Count>
void sumRow(const SourcePixels& source, Span rows, const std::vector<Span>& columns, const Widening* widening,
            std::uint64_t* sums) {
    const Widening w0 = widening[0];
    const Widening w1 = widening[Count > 1 ? 1 : 0];
    const Widening w2 = widening[Count > 2 ? 2 : 0];
    const Widening w3 = widening[Count > 3 ? 3 : 0];
    const std::uint8_t* const rowsStart = source.data + rows.first * source.pitch;
    for (const Span& columnSpan : columns) {
        std::uint64_t s0 = 0, s1 = 0, s2 = 0, s3 = 0;
        const std::uint8_t* rowStart = rowsStart + columnSpan.first * Bytes;
        const std::int64_t boxBytes = (columnSpan.end - columnSpan.first) * Bytes;
        for (std::int64_t row = rows.first; row < rows.end; ++row, rowStart += source.pitch) {
            for (const std::uint8_t *p = rowStart, *end = rowStart + boxBytes; p < end; p += Bytes) {
                std::uint32_t pixel;
                if constexpr (Paletted) {
                    const std::uint8_t* entry = source.palette + 3 * std::size_t(*p);
                    pixel = std::uint32_t(entry[0]) | std::uint32_t(entry[1]) << 8 | std::uint32_t(entry[2]) << 16;
                } else {
                    pixel = readPixel(p, Bytes);
                }
                s0 += widened(pixel, w0);
                if constexpr (Count > 1) s1 += widened(pixel, w1);
                if constexpr (Count > 2) s2 += widened(pixel, w2);
                if constexpr (Count > 3) s3 += widened(pixel, w3);
            }
        }
        *sums++ = s0;
        if constexpr (Count > 1) *sums++ = s1;
        if constexpr (Count > 2) *sums++ = s2;
        if constexpr (Count > 3) *sums++ = s3;
    }
}

template <int Bytes, bool Paletted>
RowSum rowSumWith(int count) {
    switch (count) {
        case 1: return sumRow<Bytes, Paletted, 1>;
        case 2: return sumRow<Bytes, Paletted, 2>;
        case 3: return sumRow<Bytes, Paletted, 3>;
        default: return sumRow<Bytes, Paletted, 4>;
    }
}

RowSum rowSumFor(int bytesPerPixel, bool paletted, int count) {
    if (paletted) return rowSumWith<1, true>(count);
    switch (bytesPerPixel) {
        case 1: return rowSumWith<1, false>(count);
        case 2: return rowSumWith<2, false>(count);
        case 3: return rowSumWith<3, false>(count);
        default: return rowSumWith<4, false>(count);
    }
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

    Widening widen[maxChannelMoves];
    for (int m = 0; m < moveCount; ++m) {
        const PixelChannel& c = moves[m].source;
        widen[m] = {std::uint32_t(c.shift), (1u << c.bits) - 1, std::uint32_t(8 - c.bits)};
    }
    const RowSum sumRow = rowSumFor(sourceBytes, paletted, moveCount);
    const std::vector<Span> rows = storedSpans(destHeight, sourceHeight, source.height < 0);
    const std::vector<Span> columns = storedSpans(destWidth, sourceWidth, source.width < 0);
    std::vector<std::uint64_t> sums(std::size_t(destWidth) * std::size_t(moveCount));

    for (int dy = 0; dy < destHeight; ++dy) {
        const Span rowSpan = rows[std::size_t(dy)];
        sumRow(source, rowSpan, columns, widen, sums.data());
        const std::uint64_t* boxSums = sums.data();
        std::uint8_t* target = dest + std::int64_t(dy) * destPitch;
        for (int dx = 0; dx < destWidth; ++dx, target += destBytesPerPixel, boxSums += moveCount) {
            const Span columnSpan = columns[std::size_t(dx)];
            const std::uint64_t covered =
                std::uint64_t((rowSpan.end - rowSpan.first) * (columnSpan.end - columnSpan.first));
            std::uint32_t value = readPixel(target, destBytesPerPixel);
            for (int m = 0; m < moveCount; ++m) {
                const PixelChannel& d = moves[m].dest;
                const std::uint32_t mask = ((1u << d.bits) - 1) << d.shift;
                const std::uint32_t value8 = std::uint32_t(boxSums[m] / covered);
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
