#include "graphics/font.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "graphics/sprite_loading.h"
#include "graphics/sprite_registry.h"

namespace {

bool isDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

}  // namespace

void metricsFileName(const char* imagePath, char* out, std::size_t outSize) {
    if (outSize == 0) return;
    const char* dot = std::strrchr(imagePath, '.');
    const char* slash = std::strrchr(imagePath, '\\');
    const char* forward = std::strrchr(imagePath, '/');
    if (forward && (!slash || forward > slash)) slash = forward;
    // A dot inside a folder name is no extension.
    if (dot && slash && dot < slash) dot = nullptr;
    const std::size_t stem = dot ? static_cast<std::size_t>(dot - imagePath) : std::strlen(imagePath);
    std::snprintf(out, outSize, "%.*s.fh", static_cast<int>(stem), imagePath);
}

bool scanMetricsNumber(const std::uint8_t* data, std::size_t size, std::size_t& at, int& value) {
    while (at < size && !isDigit(data[at]) && data[at] != '-') ++at;
    if (at >= size) return false;
    bool negative = false;
    if (data[at] == '-') {
        negative = true;
        ++at;
    }
    long long magnitude = 0;
    while (at < size && isDigit(data[at])) {
        if (magnitude < INT_MAX) magnitude = magnitude * 10 + (data[at] - '0');
        ++at;
    }
    if (magnitude > INT_MAX) magnitude = INT_MAX;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    while (at < size && (isDigit(data[at]) || data[at] == '.' || data[at] == '-')) ++at;
    return true;
}

void Font::setDefaultMetrics() {
    for (int code = 0; code < 256; ++code) {
        GlyphMetrics& g = glyphs[code];
        g.x = 0;
        g.y = static_cast<std::int16_t>(code * height());
        g.before = 0;
        g.width = static_cast<std::int8_t>(width() & 0xFF);
        g.after = 0;
    }
}

bool Font::readMetrics(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 0;
    int ignored = 0, height = 0, groups = 0;
    const bool header = scanMetricsNumber(data, size, at, ignored) && scanMetricsNumber(data, size, at, height) &&
                        scanMetricsNumber(data, size, at, groups);
    if (!header || height <= 0 || height > SHRT_MAX) {
        lineHeight = static_cast<std::int16_t>(this->height());
        variantCount = 1;
        spaceAdvance = static_cast<std::int16_t>(lineHeight / 2);
        return false;
    }
    lineHeight = static_cast<std::int16_t>(height);
    variantCount = this->height() / lineHeight;
    for (int i = 0; i < groups; ++i) {
        int v[6];
        for (int& n : v) {
            if (!scanMetricsNumber(data, size, at, n)) {
                spaceAdvance = static_cast<std::int16_t>(lineHeight / 2);
                return true;
            }
        }
        if (v[0] < 0 || v[0] > 255) continue;  // no such character
        GlyphMetrics& g = glyphs[v[0]];
        g.x = static_cast<std::int16_t>(v[1]);
        g.y = static_cast<std::int16_t>(v[2]);
        g.before = static_cast<std::int8_t>(v[3]);
        g.width = static_cast<std::int8_t>(v[4]);
        g.after = static_cast<std::int8_t>(v[5]);
    }
    spaceAdvance = static_cast<std::int16_t>(lineHeight / 2);
    return true;
}

int TextWidth(const Font* font, const char* text, int maxLength) {
    if (!font || !text) return 0;
    int width = 0;
    for (int i = 0; text[i] != '\0' && (maxLength < 0 || i < maxLength); ++i) {
        const auto b = static_cast<std::uint8_t>(text[i]);
        if (b <= 32) {
            width += font->spaceAdvance;
        } else {
            const GlyphMetrics& g = font->glyphs[b];
            width += g.before + g.width + g.after;
        }
    }
    return width;
}

int fontVariantRow(const Font& font, int style) {
    if (font.variantCount == 2) return style > 1 ? 1 : 0;
    if (font.variantCount == 3) return style > 0 ? style - 1 : 0;
    return style;
}

void DrawText(Sprite& dst, Font* font, int x, int y, const char* text, int style, int hAlign, int vAlign) {
    if (!font || !text || font->lineHeight <= 0) return;
    const int dv = fontVariantRow(*font, style) * font->lineHeight;
    if (hAlign == 0) {
        x += -(TextWidth(font, text) / 2);
    } else if (hAlign > 0) {
        x -= TextWidth(font, text);
    }
    if (style == 3) y += 1;
    if (vAlign == 0) {
        y += -(font->lineHeight / 2);
    } else if (vAlign > 0) {
        y -= font->lineHeight;
    }
    for (const char* p = text; *p; ++p) {
        const auto b = static_cast<std::uint8_t>(*p);
        if (b < 33) {
            x += font->spaceAdvance;
            continue;
        }
        const GlyphMetrics& g = font->glyphs[b];
        dst.BlitPart(x + g.before, y, g.width, font->lineHeight, *font, g.x, g.y + dv, BLEND_GLYPH, 0);
        x += g.before + g.width + g.after;
    }
}

void DrawTextWithAlpha(Sprite& dst, Font* font, int x, int y, const char* text) {
    if (!font || !text || font->lineHeight <= 0) return;
    for (const char* p = text; *p; ++p) {
        const auto b = static_cast<std::uint8_t>(*p);
        if (b < 33) {
            x += font->spaceAdvance;
            continue;
        }
        const GlyphMetrics& g = font->glyphs[b];
        // Merged, not copied: a glyph's box reaches under its neighbours'.
        dst.MergePartWithAlpha(x + g.before - 1, y, *font, g.x, g.y, g.width, font->lineHeight);
        x += g.before + g.width + g.after;
    }
}

Font* GetFont(const char* path) {
    if (!path || !*path || std::strlen(path) >= static_cast<std::size_t>(Sprite::nameSize)) return nullptr;
    // A font asked for twice is the same font; a plain picture registered
    // under that name first is no font, so it is not taken for one.
    if (Sprite* known = findRegisteredSprite(path)) return dynamic_cast<Font*>(known);
    auto created = std::make_unique<Font>();
    std::snprintf(created->name, sizeof created->name, "%s", path);
    std::snprintf(created->maskName, sizeof created->maskName, "%s", derivedAlphaName(path).c_str());
    Font* font = static_cast<Font*>(spriteRegistry().add(std::move(created)));
    if (!font) return nullptr;
    LoadSprite(font);
    font->setDefaultMetrics();
    char metricsPath[Sprite::nameSize + 8];
    metricsFileName(path, metricsPath, sizeof metricsPath);
    std::vector<std::uint8_t> metrics;
    const int read = ReadWholeFile(metricsPath, metrics);
    font->readMetrics(metrics.data(), read == readFileOk ? metrics.size() : 0);
    return font;
}
