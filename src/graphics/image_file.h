#pragma once
// ImageFile: one reader of one picture file, alive for one load. The loader
// picks a reader by the path's extension (OpenImageFile), lets it read the
// file, then asks it for each frame converted into the sprite's 16-bit format
// (ConvertFrame) and for the frame's opacity (ExtractAlpha).
//
// Every reader trusts nothing in its file: sizes are checked against the
// bytes actually there and against the limits below before anything is
// allocated or read, so a damaged or hostile file gives an empty picture,
// never a read outside the buffer.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// The largest picture we accept. No picture of ours comes near: the biggest
// are the 800 x 600 backgrounds and the 256 x 256 x 20 generated texture
// (1.3 Mi pixels). The edge matches the 16-bit sizes sprites have always had;
// the pixel count over all frames (4 Mi pixels, 8 MiB at 16 bits) keeps a
// lying header from making us allocate and fill gigabytes.
constexpr int maxImageEdge = 32767;
#ifdef SHARDFALL_FUZZ_PICTURE_LIMIT
// The fuzz build takes a sixty-fourth of that (a 256 x 256 picture), so a
// harness spends its time on the readers' decisions rather than on
// converting pixels; the checks against the limit are the same.
constexpr std::int64_t maxImagePixels = std::int64_t(1) << 16;
#else
constexpr std::int64_t maxImagePixels = std::int64_t(1) << 22;
#endif

// True when all three are positive and the picture stays within the limits.
bool imageSizeAcceptable(std::int64_t width, std::int64_t height, std::int64_t frames);

// The time at which frame `index` of an animation is fetched. Rounded up, so
// that picking the frame back from the time ((time x frames) / duration)
// lands on `index` itself even when the duration is not a multiple of the
// frame count.
int frameFetchTime(int index, int duration, int frameCount);

// Where one channel sits in a packed pixel.
struct PixelChannel {
    int bits = 0;
    int shift = 0;
};

// The channel positions of a source pixel (after any palette lookup).
struct SourceChannels {
    PixelChannel red, green, blue, alpha;
};

// Pixels blue, green, red(, alpha) from the low byte up, as TGA, BMP, AVI
// and our own formats store them, by depth: 32, 24, 16 (5-5-5) or 8 (a
// palette index; the palette entry reads like a 24-bit pixel). Where a depth
// has no alpha channel its opacity is the blue channel. False for any other
// depth.
bool bgrChannelsForDepth(int bitsPerPixel, SourceChannels& out);

// Stored pixel rows of one frame, as a reader holds them.
struct SourcePixels {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;  // bytes readable from data
    int width = 0;         // negative: columns stored right to left
    int height = 0;        // negative: rows stored bottom-up
    int bytesPerPixel = 0;
    int pitch = 0;  // bytes from one stored row to the next
    // 256 entries of blue, green, red for one-byte indices; null reads the
    // byte as it is.
    const std::uint8_t* palette = nullptr;
};

// One channel's move from source to destination pixel.
struct ChannelMove {
    PixelChannel source;
    PixelChannel dest;
};

// Converts a whole frame into destination pixels of 1 to 4 bytes, resampling
// when the sizes differ (the average of the covered source box when
// shrinking, repeated pixels when enlarging, 16.16 steps). Each channel is
// widened to 8 bits and cut to the destination's bits; destination bits
// outside the moved channels keep their value. 0 on success; 1, with nothing
// written, when the source does not hold the rows it claims or a layout is
// impossible.
int convertPixels(const SourcePixels& source, std::uint8_t* dest, int destBytesPerPixel, int destPitch, int destWidth,
                  int destHeight, const ChannelMove* moves, int moveCount);

class ImageFile {
public:
    // What the base answers for every operation a reader does not support.
    static constexpr int notSupported = -1;

    ImageFile() = default;
    virtual ~ImageFile() = default;
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    // Reads the picture from its file. 0 on success.
    virtual int LoadFile(const char* path);
    // Reads the picture from a whole file already in memory, taking the
    // buffer over. 0 on success.
    virtual int Parse(std::vector<std::uint8_t>&& buffer);
    virtual void FreePixels();
    // Writes the opacity of the frame shown at `time` as one channel of
    // destination pixels.
    virtual int ExtractAlpha(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int bits, int shift, int width,
                             int height);
    // Writes the frame shown at `time` as destination pixels with the given
    // channel layout.
    virtual int ConvertFrame(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int redBits, int greenBits,
                             int blueBits, int redShift, int greenShift, int blueShift, int width, int height);

    // A negative width means the columns are stored right to left, a negative
    // height that the rows are stored bottom-up.
    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    int frameCount() const { return frameCount_; }
    // The animation period in milliseconds; 0 for a still picture.
    int duration() const { return duration_; }

protected:
    // The shared bodies of ConvertFrame and ExtractAlpha once a reader has
    // found the frame's rows and the channels of its pixels.
    static int convertColour(const SourcePixels& source, const SourceChannels& channels, std::uint8_t* dest,
                             int bytesPerPixel, int pitch, int redBits, int greenBits, int blueBits, int redShift,
                             int greenShift, int blueShift, int width, int height);
    static int convertOneChannel(const SourcePixels& source, PixelChannel channel, std::uint8_t* dest,
                                 int bytesPerPixel, int pitch, int bits, int shift, int width, int height);

    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    int frameCount_ = 1;
    int duration_ = 0;
    std::vector<std::uint8_t> pixels_;      // decoded pixels, for readers that decode
    std::vector<std::uint8_t> fileBuffer_;  // the whole file as read
};
// A reader whose frames are stored rows of pixels with known channels: it
// only says where the rows of the frame shown at a time are, and the shared
// converters do the rest.
class ChannelImageFile : public ImageFile {
public:
    int ExtractAlpha(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int bits, int shift, int width,
                     int height) final;
    int ConvertFrame(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int redBits, int greenBits,
                     int blueBits, int redShift, int greenShift, int blueShift, int width, int height) final;

protected:
    // The rows and channels of the frame shown at `time`; false when there
    // are none this reader can convert.
    virtual bool frameSource(int time, SourcePixels& out, SourceChannels& channels) const = 0;
};


// A reader chosen by the first of ".tga", ".avi", ".bmp", ".jpg", ".rdr",
// ".tva" found anywhere in the path (any case); null for none.
std::unique_ptr<ImageFile> OpenImageFile(std::string_view path);
