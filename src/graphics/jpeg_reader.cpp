#include "graphics/jpeg_reader.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <utility>

// jpeglib.h expects FILE and size_t to be declared before it.
#include <jpeglib.h>

#include "graphics/sprite_loading.h"

namespace {

// A progressive file may hold any number of scans, each a full pass over the
// picture; a hostile one could keep us busy for minutes. Real files have a
// dozen or so.
constexpr int maxProgressiveScans = 500;

struct JpegErrorExit {
    jpeg_error_mgr manager;
    std::jmp_buf jumpBack;
};

// Everything the decoder touches lives here, in the caller's frame, so it
// keeps its values across a jump back from an error.
struct JpegDecoder {
    jpeg_decompress_struct info;
    JpegErrorExit errors;
    jpeg_progress_mgr progress;
    bool created;
};

[[noreturn]] void returnToReader(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorExit*>(info->err)->jumpBack, 1);
}

// Warnings about damaged data are expected from hostile files; the damage
// shows in the picture, not on the console.
void stayQuiet(j_common_ptr) {}

void limitScans(j_common_ptr info) {
    if (!info->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > maxProgressiveScans) info->err->error_exit(info);
}

// The two halves of decoding each hold their own jump point, and no object
// with a destructor lives in them: a decoder error jumps straight back here
// from inside the library.

// Reads the header and starts decompressing. False when the file is not a
// picture we take.
bool startJpeg(JpegDecoder* d, const unsigned char* data, unsigned long size) {
    d->info.err = jpeg_std_error(&d->errors.manager);
    d->errors.manager.error_exit = returnToReader;
    d->errors.manager.output_message = stayQuiet;
    if (setjmp(d->errors.jumpBack)) return false;

    jpeg_create_decompress(&d->info);
    d->created = true;
    d->progress.progress_monitor = limitScans;
    d->info.progress = &d->progress;
    jpeg_mem_src(&d->info, data, size);
    if (jpeg_read_header(&d->info, TRUE) != JPEG_HEADER_OK) return false;
    if (!imageSizeAcceptable(d->info.image_width, d->info.image_height, 1)) return false;
    jpeg_start_decompress(&d->info);
    return d->info.output_components >= 1 && d->info.output_components <= 4 &&
           imageSizeAcceptable(d->info.output_width, d->info.output_height, 1);
}

// Decodes the rows into `pixels`. False when the decoder stopped early; the
// rows read so far are kept.
bool readJpegRows(JpegDecoder* d, unsigned char* pixels, std::size_t rowBytes) {
    if (setjmp(d->errors.jumpBack)) return false;
    while (d->info.output_scanline < d->info.output_height) {
        JSAMPROW row = pixels + std::size_t(d->info.output_scanline) * rowBytes;
        if (jpeg_read_scanlines(&d->info, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(&d->info);
    return true;
}

}  // namespace

int JpegImage::LoadFile(const char* path) {
    std::vector<std::uint8_t> buffer;
    const int result = ReadWholeFile(path ? path : "", buffer);
    if (result != readFileOk) return result;
    return Parse(std::move(buffer));
}

int JpegImage::Parse(std::vector<std::uint8_t>&& buffer) {
    // The decoded rows are all we keep; the file goes when the reader is done.
    fileBuffer_ = std::move(buffer);
    pixels_.clear();
    width_ = height_ = bitsPerPixel_ = duration_ = 0;
    frameCount_ = 1;

    JpegDecoder decoder{};
    int result = 1;
    if (startJpeg(&decoder, fileBuffer_.data(), static_cast<unsigned long>(fileBuffer_.size()))) {
        const int components = decoder.info.output_components;
        const std::size_t rowBytes = std::size_t(decoder.info.output_width) * components;
        pixels_.assign(rowBytes * decoder.info.output_height, 0);
        width_ = int(decoder.info.output_width);
        height_ = int(decoder.info.output_height);
        bitsPerPixel_ = components * 8;
        if (readJpegRows(&decoder, pixels_.data(), rowBytes)) result = 0;
    }
    if (decoder.created) jpeg_destroy_decompress(&decoder.info);
    fileBuffer_ = {};
    return result;
}

bool JpegImage::source(SourcePixels& out) const {
    if (width_ <= 0 || height_ <= 0 || bitsPerPixel_ < 8) return false;
    out.data = pixels_.data();
    out.size = pixels_.size();
    out.width = width_;
    out.height = height_;
    out.bytesPerPixel = bitsPerPixel_ / 8;
    out.pitch = width_ * out.bytesPerPixel;
    return true;
}

int JpegImage::ConvertFrame(std::uint8_t* dest, int, int bytesPerPixel, int pitch, int redBits, int greenBits,
                            int blueBits, int redShift, int greenShift, int blueShift, int width, int height) {
    SourcePixels pixels;
    if (!source(pixels)) return 1;
    // A grey picture shows its grey in all three channels.
    const SourceChannels channels = bitsPerPixel_ >= 24 ? SourceChannels{{8, 0}, {8, 8}, {8, 16}, {8, 0}}
                                                        : SourceChannels{{8, 0}, {8, 0}, {8, 0}, {8, 0}};
    return convertColour(pixels, channels, dest, bytesPerPixel, pitch, redBits, greenBits, blueBits, redShift,
                         greenShift, blueShift, width, height);
}

int JpegImage::ExtractAlpha(std::uint8_t* dest, int, int bytesPerPixel, int pitch, int bits, int shift, int width,
                            int height) {
    SourcePixels pixels;
    if (!source(pixels)) return 1;
    return convertOneChannel(pixels, {8, 0}, dest, bytesPerPixel, pitch, bits, shift, width, height);
}
