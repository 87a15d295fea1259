#include "canvas.h"

#include <algorithm>
#include <cstring>

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Image Canvas::toImage() const {
    cairo_surface_flush(surface_);
    Image out(width_, height_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = row[x];
            const std::uint32_t a = p >> 24;
            if (a == 0) {
                out.at(x, y) = 0;
                continue;
            }
            auto channel = [&](int shift) {
                const std::uint32_t c = (p >> shift) & 0xFF;
                return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a);
            };
            out.at(x, y) = (a << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
        }
    }
    return out;
}

void Canvas::drawImage(const Image& image, double x, double y) {
    cairo_surface_t* source = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    cairo_surface_flush(source);
    unsigned char* data = cairo_image_surface_get_data(source);
    const int stride = cairo_image_surface_get_stride(source);
    for (int row = 0; row < image.height; ++row) {
        auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(row) * stride);
        for (int col = 0; col < image.width; ++col) {
            const std::uint32_t p = image.at(col, row);
            const std::uint32_t a = p >> 24;
            auto pre = [&](int shift) { return (((p >> shift) & 0xFF) * a + 127) / 255; };
            out[col] = (a << 24) | (pre(16) << 16) | (pre(8) << 8) | pre(0);
        }
    }
    cairo_surface_mark_dirty(source);
    cairo_set_source_surface(cr_, source, x, y);
    cairo_paint(cr_);
    cairo_surface_destroy(source);
}

void putFrame(Image& strip, int index, const Image& frame) {
    const int frameHeight = strip.frameHeight();
    for (int y = 0; y < frameHeight && y < frame.height; ++y)
        for (int x = 0; x < strip.width && x < frame.width; ++x) strip.at(x, index * frameHeight + y) = frame.at(x, y);
}
