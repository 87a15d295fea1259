#pragma once
// Picture files made byte by byte for the loader tests (TGA, BMP, AVI, TVA)
// or by libjpeg's encoder (JPEG), and a fixture that runs each test in a
// fresh data directory with a display set up and closed again.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// jpeglib.h expects FILE and size_t to be declared before it.
#include <jpeglib.h>

#include "graphics/display.h"
#include "graphics/pixel_format.h"
#include "graphics/sprite_loading.h"
#include "graphics_test_support.h"
#include "temp_dir.h"

namespace imagetest {

using Bytes = std::vector<std::uint8_t>;

inline void put16(std::string& out, unsigned v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}
// Little-endian 32-bit words.
inline std::string words(std::initializer_list<std::uint32_t> values) {
    std::string out;
    for (std::uint32_t v : values) {
        put16(out, v & 0xFFFF);
        put16(out, v >> 16);
    }
    return out;
}
inline std::string text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// 5-6-5 pixel of an 8-bit colour, as the loader makes it.
constexpr std::uint16_t rgb565(int r, int g, int b) { return std::uint16_t((r >> 3) << 11 | (g >> 2) << 5 | b >> 3); }

// An uncompressed TGA; `pixels` are the stored rows as they lie in the file.
// A non-empty palette (768 bytes, blue green red) sets the colour-map flag.
inline std::string tgaFile(int width, int height, int bits, bool topDown, const Bytes& pixels,
                           const Bytes& palette = {}) {
    std::string out(18, '\0');
    out[1] = palette.empty() ? 0 : 1;
    out[2] = palette.empty() ? (bits == 8 ? 3 : 2) : 1;
    out[12] = char(width & 0xFF);
    out[13] = char(width >> 8);
    out[14] = char(height & 0xFF);
    out[15] = char(height >> 8);
    out[16] = char(bits);
    out[17] = char(topDown ? 0x20 : 0) | char(bits == 32 ? 8 : 0);
    out += text(palette);
    out += text(pixels);
    return out;
}

// The 40-byte header of an uncompressed DIB.
inline std::string dibHeader(int width, int height, int bits, std::size_t imageSize, std::size_t colours = 0) {
    std::string out = words({40, std::uint32_t(width), std::uint32_t(height)});
    put16(out, 1);
    put16(out, unsigned(bits));
    return out + words({0, std::uint32_t(imageSize), 2835, 2835, std::uint32_t(colours), 0});
}

// A BMP file; `rows` are the stored rows, each already padded to four bytes.
inline std::string bmpFile(int width, int height, int bits, const Bytes& rows, const Bytes& colourTable = {}) {
    const std::string info = dibHeader(width, height, bits, rows.size(), colourTable.size() / 4);
    const std::size_t bitsOffset = 14 + info.size() + colourTable.size();
    return "BM" + words({std::uint32_t(bitsOffset + rows.size()), 0, std::uint32_t(bitsOffset)}) + info +
           text(colourTable) + text(rows);
}

inline std::string chunk(const std::string& id, const std::string& body) {
    return id + words({std::uint32_t(body.size())}) + body + (body.size() & 1 ? std::string(1, '\0') : "");
}
inline std::string list(const std::string& type, const std::string& body) { return chunk("LIST", type + body); }

// An AVI of uncompressed bottom-up frames (each as stored) at `rate` frames
// per second, its length `length` frames (by default as many as given).
inline std::string aviFile(int width, int height, int bits, const std::vector<Bytes>& frames, std::uint32_t rate,
                           std::uint32_t length = 0) {
    if (length == 0) length = std::uint32_t(frames.size());
    // Type, handler, flags, priority and language, initial frames, scale,
    // rate, start, length, buffer size, quality, sample size, frame rectangle.
    std::string strh = "vidsDIB " + words({0, 0, 0, 1, rate, 0, length, 0, 0, 0});
    put16(strh, 0), put16(strh, 0), put16(strh, unsigned(width)), put16(strh, unsigned(height));
    const std::string strf = dibHeader(width, height, bits, frames.empty() ? 0 : frames[0].size());
    std::string movi;
    for (const Bytes& frame : frames) movi += chunk("00db", text(frame));
    const std::string body =
        "AVI " +
        list("hdrl", chunk("avih", std::string(56, '\0')) + list("strl", chunk("strh", strh) + chunk("strf", strf))) +
        list("movi", movi);
    return "RIFF" + words({std::uint32_t(body.size())}) + body;
}

inline std::string tvaFile(std::int32_t duration, std::int32_t frames, int width, int height, int bits, bool topDown,
                           const Bytes& pixels) {
    std::string out = std::string("\0\0\2\0", 4) + words({std::uint32_t(duration), std::uint32_t(frames)});
    put16(out, unsigned(width));
    put16(out, unsigned(height));
    out += char(bits);
    out += char(topDown ? 0x28 : 8);
    return out + text(pixels);
}

// A JPEG of `components` (3: red green blue, 1: grey) at full quality, without
// chroma subsampling, so flat colours come back within a step or two.
inline std::string jpegFile(int width, int height, int components, const Bytes& pixels) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    for (int c = 0; c < info.num_components; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(pixels.data()) + std::size_t(info.next_scanline) * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string file(reinterpret_cast<char*>(out), size);
    std::free(out);
    return file;
}

// Each test in its own data directory, with the display of the game (5-6-5)
// and nothing left registered afterwards.
class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        chdir_ = std::make_unique<ScopedChdir>(dir_.path());
        SetDisplay(800, 600, 16, 0);
    }
    void TearDown() override {
        CloseDisplay();
        clearDisplayModeForTesting();
        setCurrentPixelFormat(pixelFormatTable[0]);
        chdir_.reset();
    }
    void write(const std::string& path, const std::string& bytes) { dir_.write(path, bytes); }

    // What the message boxes said while `load` ran ("caption: text" lines).
    template <class Load>
    static std::string messagesDuring(Load load) {
        testing::internal::CaptureStderr();
        load();
        return testing::internal::GetCapturedStderr();
    }

    TempDir dir_;
    std::unique_ptr<ScopedChdir> chdir_;
};

}  // namespace imagetest
