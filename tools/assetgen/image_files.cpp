#include "image_files.h"

#include <cstdio>
#include <cstdlib>
#include <cairo.h>
#include <jpeglib.h>

namespace {

// An uncompressed TGA header; rows are written top row first (descriptor
// bit 5), so the file reads the way the picture was drawn.
std::vector<std::uint8_t> tgaHeader(int width, int height, int bits, bool grey) {
    std::vector<std::uint8_t> h(18, 0);
    h[2] = grey ? 3 : 2;
    h[12] = static_cast<std::uint8_t>(width & 0xFF);
    h[13] = static_cast<std::uint8_t>(width >> 8);
    h[14] = static_cast<std::uint8_t>(height & 0xFF);
    h[15] = static_cast<std::uint8_t>(height >> 8);
    h[16] = static_cast<std::uint8_t>(bits);
    h[17] = static_cast<std::uint8_t>(0x20 | (bits == 32 ? 8 : 0));
    return h;
}

}  // namespace

std::vector<std::uint8_t> encodeTga24(const Image& image) {
    std::vector<std::uint8_t> out = tgaHeader(image.width, image.height, 24, false);
    out.reserve(out.size() + image.pixels.size() * 3);
    for (std::uint32_t p : image.pixels) {
        out.push_back(static_cast<std::uint8_t>(p));
        out.push_back(static_cast<std::uint8_t>(p >> 8));
        out.push_back(static_cast<std::uint8_t>(p >> 16));
    }
    return out;
}

std::vector<std::uint8_t> encodeTga32(const Image& image) {
    std::vector<std::uint8_t> out = tgaHeader(image.width, image.height, 32, false);
    out.reserve(out.size() + image.pixels.size() * 4);
    for (std::uint32_t p : image.pixels) {
        out.push_back(static_cast<std::uint8_t>(p));
        out.push_back(static_cast<std::uint8_t>(p >> 8));
        out.push_back(static_cast<std::uint8_t>(p >> 16));
        out.push_back(static_cast<std::uint8_t>(p >> 24));
    }
    return out;
}

std::vector<std::uint8_t> encodeTgaAlpha(const Image& image) {
    std::vector<std::uint8_t> out = tgaHeader(image.width, image.height, 8, true);
    out.reserve(out.size() + image.pixels.size());
    for (std::uint32_t p : image.pixels) out.push_back(static_cast<std::uint8_t>(p >> 24));
    return out;
}

std::vector<std::uint8_t> encodeJpeg(const Image& image, int quality) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution colour: fine gold edges smear with chroma subsampling.
    for (int i = 0; i < info.num_components; ++i) {
        info.comp_info[i].h_samp_factor = 1;
        info.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width) * 3);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            row[x * 3] = static_cast<std::uint8_t>(p >> 16);
            row[x * 3 + 1] = static_cast<std::uint8_t>(p >> 8);
            row[x * 3 + 2] = static_cast<std::uint8_t>(p);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

std::string alphaImageName(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = file.find_last_of('.');
    file = (dot == std::string::npos ? file : file.substr(0, dot)) + ".tga";
    return folder + "\\_" + file;
}

std::vector<std::uint8_t> encodePng(const Image& image) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            const std::uint32_t a = p >> 24;
            auto pre = [&](int shift) { return (((p >> shift) & 0xFF) * a + 127) / 255; };
            row[x] = (a << 24) | (pre(16) << 16) | (pre(8) << 8) | pre(0);
        }
    }
    cairo_surface_mark_dirty(surface);
    std::vector<std::uint8_t> bytes;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* chunk, unsigned int length) {
            auto* buffer = static_cast<std::vector<std::uint8_t>*>(closure);
            buffer->insert(buffer->end(), chunk, chunk + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}
