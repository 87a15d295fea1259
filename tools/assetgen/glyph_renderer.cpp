#include "glyph_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

FT_Face asFace(void* f) { return static_cast<FT_Face>(f); }

// Windows-1252 characters at 128..159 (0 where that code page has none).
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

const char* kDigitNames[10] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};

}  // namespace

std::string findFontFile(const std::string& fileName) {
    std::vector<std::string> found;
    for (const char* root : {"/usr/share/fonts", "/usr/local/share/fonts"}) {
        std::error_code ec;
        if (!std::filesystem::is_directory(root, ec)) continue;
        for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (it->path().filename() == fileName) found.push_back(it->path().string());
        }
    }
    std::sort(found.begin(), found.end());
    return found.empty() ? std::string() : found.front();
}

std::uint32_t characterOfByte(int byte) {
    if (byte < 33 || byte > 255 || byte == 127) return 0;
    if (byte >= 128 && byte < 160) return kHighControls[byte - 128];
    return static_cast<std::uint32_t>(byte);
}

GlyphFace::GlyphFace(const std::string& fontFile, int pixelSize) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return;
    library_ = library;
    FT_Face face = nullptr;
    if (fontFile.empty() || FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) return;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    face_ = face;
}

GlyphFace::~GlyphFace() {
    if (face_) FT_Done_Face(asFace(face_));
    if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

GlyphCoverage GlyphFace::render(std::uint32_t character, bool preferLining) const {
    GlyphCoverage out;
    if (!face_ || character == 0) return out;
    FT_Face face = asFace(face_);
    FT_UInt index = FT_Get_Char_Index(face, character);
    if (preferLining && character >= '0' && character <= '9' && FT_HAS_GLYPH_NAMES(face)) {
        const std::string name = std::string(kDigitNames[character - '0']) + ".lf";
        const FT_UInt lining = FT_Get_Name_Index(face, name.c_str());
        if (lining) index = lining;
    }
    if (index == 0) return out;
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_LIGHT) != 0) return out;
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return out;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    out.left = face->glyph->bitmap_left;
    out.top = face->glyph->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    out.coverage.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.coverage[static_cast<std::size_t>(y) * out.width + x] = bitmap.buffer[y * bitmap.pitch + x];
    return out;
}

int GlyphFace::capHeight() const {
    const GlyphCoverage h = render('H');
    return h.top > 0 ? h.top : 1;
}

Padding stylePadding(const TextStyle& style) {
    // Reach of a blur: where a Gaussian has fallen to a few percent.
    const float glow = style.glowOpacity > 0 ? 2.2f * style.glowRadius : 0.0f;
    const float blur = style.shadowOpacity > 0 ? 2.2f * style.shadowBlur : 0.0f;
    auto side = [&](float shadowShift) {
        const float shadow = style.shadowOpacity > 0 ? std::max(0.0f, shadowShift + blur) : 0.0f;
        return static_cast<int>(std::ceil(style.outlineWidth + std::max(glow, shadow)));
    };
    return {side(-style.shadowDx), side(-style.shadowDy), side(style.shadowDx), side(style.shadowDy)};
}

Padding widest(const Padding& a, const Padding& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

namespace {

// Premultiplied colour layers, laid over each other.
struct Layer {
    int w, h;
    std::vector<float> r, g, b, a;
    Layer(int width, int height)
        : w(width), h(height), r(width * height, 0.0f), g(width * height, 0.0f), b(width * height, 0.0f),
          a(width * height, 0.0f) {}
    void over(int i, Rgb c, float alpha) {
        alpha = clamp01(alpha);
        r[i] = c.r * alpha + r[i] * (1 - alpha);
        g[i] = c.g * alpha + g[i] * (1 - alpha);
        b[i] = c.b * alpha + b[i] * (1 - alpha);
        a[i] = alpha + a[i] * (1 - alpha);
    }
};

std::vector<float> dilate(const std::vector<float>& src, int w, int h, float radius) {
    std::vector<float> out(src.size(), 0.0f);
    const int reach = static_cast<int>(std::ceil(radius + 1));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float best = 0;
            for (int dy = -reach; dy <= reach; ++dy) {
                const int sy = y + dy;
                if (sy < 0 || sy >= h) continue;
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int sx = x + dx;
                    if (sx < 0 || sx >= w) continue;
                    const float weight = clamp01(radius + 0.5f - std::sqrt(static_cast<float>(dx * dx + dy * dy)));
                    best = std::max(best, src[sy * w + sx] * weight);
                }
            }
            out[y * w + x] = best;
        }
    return out;
}

std::vector<float> blurPlane(const std::vector<float>& src, int w, int h, float radius) {
    if (radius <= 0) return src;
    Image tmp(w, h);
    for (int i = 0; i < w * h; ++i) tmp.pixels[i] = packArgb({1, 1, 1, src[i]});
    const Image b = blurred(tmp, radius);
    std::vector<float> out(src.size());
    for (int i = 0; i < w * h; ++i) out[i] = (b.pixels[i] >> 24) / 255.0f;
    return out;
}

std::vector<float> shifted(const std::vector<float>& src, int w, int h, float dx, float dy) {
    std::vector<float> out(src.size(), 0.0f);
    const int ix = static_cast<int>(std::floor(dx)), iy = static_cast<int>(std::floor(dy));
    const float fx = dx - ix, fy = dy - iy;
    auto at = [&](int x, int y) { return x < 0 || y < 0 || x >= w || y >= h ? 0.0f : src[y * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = x - ix, sy = y - iy;
            out[y * w + x] = at(sx, sy) * (1 - fx) * (1 - fy) + at(sx - 1, sy) * fx * (1 - fy) +
                             at(sx, sy - 1) * (1 - fx) * fy + at(sx - 1, sy - 1) * fx * fy;
        }
    return out;
}

}  // namespace

Image styleGlyph(const GlyphCoverage& glyph, const TextStyle& style, int cellWidth, int lineHeight, int inkLeft,
                 int baseline, int capHeight) {
    const int w = cellWidth, h = lineHeight;
    std::vector<float> ink(static_cast<std::size_t>(w) * h, 0.0f);
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x) {
            const int cx = inkLeft + x, cy = baseline - glyph.top + y;
            if (cx < 0 || cy < 0 || cx >= w || cy >= h) continue;
            ink[cy * w + cx] = glyph.coverage[static_cast<std::size_t>(y) * glyph.width + x] / 255.0f;
        }
    const std::vector<float> outline = style.outlineWidth > 0 ? dilate(ink, w, h, style.outlineWidth) : ink;
    Layer layer(w, h);
    if (style.glowOpacity > 0) {
        const std::vector<float> glow = blurPlane(outline, w, h, style.glowRadius);
        for (int i = 0; i < w * h; ++i) layer.over(i, style.glow, glow[i] * style.glowOpacity);
    }
    if (style.shadowOpacity > 0) {
        const std::vector<float> shadow =
            blurPlane(shifted(outline, w, h, style.shadowDx, style.shadowDy), w, h, style.shadowBlur);
        for (int i = 0; i < w * h; ++i) layer.over(i, Rgb{0.02f, 0.0f, 0.03f}, shadow[i] * style.shadowOpacity);
    }
    if (style.outlineWidth > 0)
        for (int i = 0; i < w * h; ++i) layer.over(i, style.outline, outline[i]);
    const float capTop = static_cast<float>(baseline - capHeight);
    for (int y = 0; y < h; ++y) {
        const float t = clamp01((y + 0.5f - capTop) / std::max(1, capHeight));
        Rgb c = t < 0.5f ? lerp(style.fillTop, style.fillMiddle, t / 0.5f)
                         : lerp(style.fillMiddle, style.fillBottom, (t - 0.5f) / 0.5f);
        if (style.shine > 0) {
            const float band = std::exp(-std::pow((t - 0.3f) / 0.1f, 2.0f));
            c = lerp(c, Rgb{1, 1, 1}, style.shine * band);
        }
        for (int x = 0; x < w; ++x) layer.over(y * w + x, c, ink[y * w + x]);
    }
    Image out(w, h);
    for (int i = 0; i < w * h; ++i) {
        const float a = layer.a[i];
        if (a <= 0) continue;
        out.pixels[i] = packArgb({layer.r[i] / a, layer.g[i] / a, layer.b[i] / a, a});
    }
    return out;
}
