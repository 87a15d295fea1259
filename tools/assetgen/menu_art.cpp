// The menus' pictures: velvet, gold and lettering in the look of the board,
// so the front door and the playing field feel like one piece of work.

#include "menu_art.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "cairo_shapes.h"
#include "canvas.h"
#include "gem_drawing.h"
#include "materials.h"

namespace {

constexpr double kPi = 3.14159265358979;

void setSource(cairo_t* cr, Rgb c, double alpha = 1.0) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

struct ButtonColours {
    Rgb top, bottom;      // the velvet of the plate
    double gloss;         // light on its upper half
    double rimBrightness;
    double innerGlow;     // warm light along the inside of the rim
};

ButtonColours coloursOf(ButtonLook look) {
    switch (look) {
        case ButtonLook::Active: return {hexColour(0xB060D8), hexColour(0x50207A), 0.3, 1.18, 0.9};
        case ButtonLook::Pressed: return {hexColour(0x1E0A30), hexColour(0x46205E), 0.06, 0.85, 0.2};
        case ButtonLook::Disabled: return {hexColour(0x34303A), hexColour(0x1C1A20), 0.08, 0.55, 0.0};
        default: return {hexColour(0x5A2A7C), hexColour(0x240C3A), 0.18, 1.0, 0.0};
    }
}

}  // namespace

void goldStroke(cairo_t* cr, double top, double bottom, double width, double brightness) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setSource(cr, hexColour(0x1A0A02), 0.9);
    cairo_set_line_width(cr, width + 2.0);
    cairo_stroke_preserve(cr);
    setGradient(cr, material::polishedGold(brightness), 0, top, 0, bottom);
    cairo_set_line_width(cr, width);
    cairo_stroke_preserve(cr);
    cairo_new_path(cr);
}

void goldDiamond(cairo_t* cr, double cx, double cy, double r) {
    cairo_move_to(cr, cx, cy - r);
    cairo_line_to(cr, cx + r * 0.7, cy);
    cairo_line_to(cr, cx, cy + r);
    cairo_line_to(cr, cx - r * 0.7, cy);
    cairo_close_path(cr);
    setGradient(cr, material::kDiamondGold, cx - r, cy - r, cx + r, cy + r);
    cairo_fill_preserve(cr);
    setSource(cr, hexColour(0x2A1204), 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

Image velvetBackdrop(int width, int height, float lightX, float lightY) {
    const Rgb deep = hexColour(0x0A0312);
    const Rgb velvet = hexColour(0x3C1A5C);
    const Rgb sheen = hexColour(0x6A3C94);
    const float reach = std::hypot(static_cast<float>(width), static_cast<float>(height)) * 0.62f;
    return renderShader(width, height, 1, [&](float x, float y) -> Rgba {
        const float d = std::hypot(x - lightX, y - lightY) / reach;
        const float lit = std::exp(-d * d * 2.2f);
        Rgb c = lerp(deep, velvet, lit);
        // Folds of the cloth catch the light unevenly.
        const float folds = valueNoise(x, y, 90.0f, 7u) * 0.6f + valueNoise(x, y, 37.0f, 11u) * 0.4f;
        c = lerp(c, sheen, clamp01((folds - 0.55f) * 1.2f) * 0.35f * lit);
        c = c * (0.86f + 0.28f * folds);
        // A faint damask of diamonds, woven rather than printed.
        const float u = std::fabs(std::fmod((x + y) / 56.0f, 1.0f) - 0.5f);
        const float v = std::fabs(std::fmod((x - y + 4000.0f) / 56.0f, 1.0f) - 0.5f);
        const float line = std::exp(-std::pow(std::min(u, v) / 0.018f, 2.0f));
        c = lerp(c, sheen, line * 0.10f * (0.4f + lit));
        // Fibre.
        c = c * (1.0f + 0.07f * (hashNoise(static_cast<int>(x), static_cast<int>(y), 3u) - 0.5f));
        // Vignette.
        const float ex = (x / width - 0.5f) * 2.0f, ey = (y / height - 0.5f) * 2.0f;
        c = c * (1.0f - 0.35f * clamp01((ex * ex + ey * ey) * 0.5f - 0.15f));
        return withAlpha(c, 1.0f);
    });
}

void addBloom(Image& picture, float cx, float cy, float radius, Rgb colour, float strength) {
    // Only the pixels within 2.5 radii take any light, so a small bloom
    // costs little.
    const int reach = static_cast<int>(std::ceil(radius * 2.5f)) + 1;
    const int x0 = std::max(0, static_cast<int>(cx) - reach), x1 = std::min(picture.width, static_cast<int>(cx) + reach + 1);
    const int y0 = std::max(0, static_cast<int>(cy) - reach), y1 = std::min(picture.height, static_cast<int>(cy) + reach + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
            if (d > 2.5f) continue;
            const float k = strength * std::exp(-d * d);
            Rgba p = unpackArgb(picture.at(x, y));
            p.r = clamp01(p.r + colour.r * k);
            p.g = clamp01(p.g + colour.g * k);
            p.b = clamp01(p.b + colour.b * k);
            picture.at(x, y) = packArgb(p);
        }
    }
}

void drawGoldPanel(Image& picture, double x, double y, double w, double h, double radius) {
    // The panel's shadow on the cloth.
    Image shade(picture.width, picture.height);
    {
        Canvas canvas(picture.width, picture.height);
        roundedRectPath(canvas.cr(), x + 4, y + 7, w, h, radius);
        cairo_set_source_rgba(canvas.cr(), 0, 0, 0, 0.7);
        cairo_fill(canvas.cr());
        shade = blurred(canvas.toImage(), 7.0f);
    }
    drawOver(picture, shade, 0, 0);
    paintOn(picture, [&](cairo_t* cr) {
        roundedRectPath(cr, x, y, w, h, radius);
        setGradient(cr, material::kPanelVelvet, 0, y, 0, y + h);
        cairo_fill_preserve(cr);
        goldStroke(cr, y, y + h, 4.5);
        roundedRectPath(cr, x + 8, y + 8, w - 16, h - 16, std::max(2.0, radius - 6));
        goldStroke(cr, y + 8, y + h - 8, 1.4, 0.9);
        for (double cx : {x, x + w})
            for (double cy : {y, y + h}) goldDiamond(cr, cx, cy, 9);
        goldDiamond(cr, x + w / 2, y, 8);
        goldDiamond(cr, x + w / 2, y + h, 8);
    });
}

void drawGoldRule(Image& picture, double x0, double x1, double y) {
    paintOn(picture, [&](cairo_t* cr) {
        const double mid = (x0 + x1) / 2;
        setGradient(cr, material::kFadingGold, x0, 0, x1, 0);
        cairo_set_line_width(cr, 1.6);
        cairo_move_to(cr, x0, y);
        cairo_line_to(cr, x1, y);
        cairo_stroke(cr);
        goldDiamond(cr, mid, y, 6);
    });
}

namespace {

// Where a button's plate sits in its picture.
struct ButtonPlate {
    double x, y, w, h, r;
};

// The plate's light inside its outline: pressed-in shadow, the rim's inner
// glow, gloss over the upper half. Expects the plate's path and keeps none.
void shadePlate(cairo_t* cr, const ButtonPlate& b, const ButtonColours& c, bool pressed) {
    cairo_save(cr);
    cairo_clip_preserve(cr);  // the rim's inner glow below strokes this path
    if (pressed) {
        // Pressed in: the upper edge casts a shadow inside.
        cairo_pattern_t* inner = cairo_pattern_create_linear(0, b.y, 0, b.y + b.h * 0.45);
        cairo_pattern_add_color_stop_rgba(inner, 0, 0, 0, 0, 0.55);
        cairo_pattern_add_color_stop_rgba(inner, 1, 0, 0, 0, 0.0);
        cairo_set_source(cr, inner);
        cairo_paint(cr);
        cairo_pattern_destroy(inner);
    }
    if (c.innerGlow > 0) {
        cairo_set_source_rgba(cr, 1.0, 0.72, 0.28, c.innerGlow * 0.55);
        cairo_set_line_width(cr, 9.0);
        cairo_stroke_preserve(cr);
        cairo_set_source_rgba(cr, 1.0, 0.8, 0.4, c.innerGlow * 0.5);
        cairo_set_line_width(cr, 4.0);
        cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, b.y, 0, b.y + b.h * 0.55);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, c.gloss);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, gloss);
    cairo_rectangle(cr, b.x, b.y, b.w, b.h * 0.55);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    cairo_restore(cr);
}

Image buttonPlate(int width, int height, const ButtonPlate& b, const ButtonColours& c, bool pressed) {
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    roundedRectPath(cr, b.x, b.y, b.w, b.h, b.r);
    setGradient(cr, gradientOf({{0, c.top}, {1, c.bottom}}), 0, b.y, 0, b.y + b.h);
    cairo_fill_preserve(cr);
    shadePlate(cr, b, c, pressed);
    roundedRectPath(cr, b.x, b.y, b.w, b.h, b.r);
    goldStroke(cr, b.y, b.y + b.h, 2.6, c.rimBrightness);
    return canvas.toImage();
}

// The stone set at the button's left end.
void setButtonGem(Image& out, const ButtonPlate& b, ButtonLook look, int gemKind) {
    const int size = static_cast<int>(b.h) - 6;
    const float scale = size / 50.0f;
    Image gem = decorativeGem(gemKind, scale, size, look == ButtonLook::Active ? 0.9f : 0.3f);
    if (look == ButtonLook::Disabled) {
        // A disabled button's gem is a dull grey stone.
        for (auto& p : gem.pixels) {
            const Rgba c = unpackArgb(p);
            p = packArgb(withAlpha(greyOf(Rgb{c.r, c.g, c.b}) * 0.6f, c.a * 0.7f));
        }
    }
    drawOver(out, gem, static_cast<int>(b.x) + 8, static_cast<int>(b.y + (b.h - size) / 2),
             look == ButtonLook::Pressed ? 0.85f : 1.0f);
}

}  // namespace

Image menuButton(int width, int height, ButtonLook look, int gemKind) {
    const bool pressed = look == ButtonLook::Pressed;
    const double inset = 3.0;
    const double h = height - 2 * inset - 1;
    const ButtonPlate b{inset, inset + (pressed ? 1.0 : 0.0), width - 2 * inset, h, std::min(h * 0.3, 14.0)};
    Image out = buttonPlate(width, height, b, coloursOf(look), pressed);
    if (gemKind >= 0) setButtonGem(out, b, look, gemKind);
    // The plate's own shadow, inside the picture so the button's size is
    // the picture's.
    Image shadow = shadowOf(out, 0.0f, pressed ? 1.0f : 2.0f, 1.6f, Rgb{0.01f, 0.0f, 0.02f}, 0.6f);
    drawOver(shadow, out, 0, 0);
    return shadow;
}

Image loadingBar(int width, int height, bool filled) {
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    const double x = 2, y = 2, w = width - 4, h = height - 4, r = h / 2;
    roundedRectPath(cr, x, y, w, h, r);
    setGradient(cr, filled ? material::kMoltenGold : material::kGrooveVelvet, 0, y, 0, y + h);
    cairo_fill_preserve(cr);
    if (filled) {
        // Light running along the molten gold.
        cairo_save(cr);
        cairo_clip(cr);
        cairo_set_source_rgba(cr, 1, 0.98, 0.85, 0.45);
        cairo_rectangle(cr, x, y + h * 0.2, w, h * 0.1);
        cairo_fill(cr);
        for (int i = 0; i < width / 24; ++i) {
            const double gx = x + 10 + i * 24 + (i % 3) * 5;
            cairo_set_source_rgba(cr, 1, 0.95, 0.7, 0.35);
            cairo_arc(cr, gx, y + h * 0.62, 1.6, 0, 2 * kPi);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
    cairo_new_path(cr);
    roundedRectPath(cr, x, y, w, h, r);
    goldStroke(cr, y, y + h, 2.2);
    return canvas.toImage();
}

Image styledText(const std::string& text, const std::string& fontFile, int pixelSize, const TextStyle& style,
                 int tracking) {
    GlyphFace face(findFontFile(fontFile), pixelSize);
    if (!face.valid()) return Image(1, 1);
    std::vector<GlyphCoverage> glyphs;
    std::vector<int> pens;
    int pen = 0, maxTop = 0, maxBottom = 0, left = 0, right = 0;
    for (unsigned char ch : text) {
        glyphs.push_back(face.render(characterOfByte(ch), true));
        // A space renders no bitmap, and with it no advance.
        if (ch == ' ' && glyphs.back().advance == 0) glyphs.back().advance = pixelSize / 4;
        const GlyphCoverage& g = glyphs.back();
        pens.push_back(pen);
        if (g.width > 0) {
            maxTop = std::max(maxTop, g.top);
            maxBottom = std::max(maxBottom, g.height - g.top);
            left = std::min(left, pen + g.left);
            right = std::max(right, pen + g.left + g.width);
        }
        pen += g.advance + tracking;
    }
    // The whole word as one coverage, so the outline and glow run round it.
    GlyphCoverage word;
    word.left = 0;
    word.top = maxTop;
    word.width = std::max(1, right - left);
    word.height = std::max(1, maxTop + maxBottom);
    word.coverage.assign(static_cast<std::size_t>(word.width) * word.height, 0);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphCoverage& g = glyphs[i];
        for (int gy = 0; gy < g.height; ++gy)
            for (int gx = 0; gx < g.width; ++gx) {
                const int wx = pens[i] + g.left + gx - left, wy = maxTop - g.top + gy;
                if (wx < 0 || wy < 0 || wx >= word.width || wy >= word.height) continue;
                std::uint8_t& cell = word.coverage[static_cast<std::size_t>(wy) * word.width + wx];
                cell = std::max(cell, g.coverage[static_cast<std::size_t>(gy) * g.width + gx]);
            }
    }
    const Padding pad = stylePadding(style);
    return styleGlyph(word, style, word.width + pad.left + pad.right, word.height + pad.top + pad.bottom, pad.left,
                      pad.top + maxTop, face.capHeight());
}

Image titleLettering(int pixelSize) {
    TextStyle s;
    s.fillTop = hexColour(0xFFFDF0);
    s.fillMiddle = hexColour(0xFFD860);
    s.fillBottom = hexColour(0xC8640A);
    s.shine = 0.55f;
    s.outline = hexColour(0x3A0A02);
    s.outlineWidth = std::max(2.0f, pixelSize / 28.0f);
    s.glow = hexColour(0xFF9A28);
    s.glowRadius = pixelSize / 16.0f;
    s.glowOpacity = 0.55f;
    s.shadowDx = pixelSize / 40.0f;
    s.shadowDy = pixelSize / 24.0f;
    s.shadowBlur = pixelSize / 40.0f;
    s.shadowOpacity = 0.75f;
    return styledText("Shardfall", "Vollkorn-Black.ttf", pixelSize, s, pixelSize / 40);
}

void drawFallTrail(Image& picture, float cx, float bottomY, float length, float width, Rgb colour) {
    const int x0 = static_cast<int>(std::floor(cx - width)), x1 = static_cast<int>(std::ceil(cx + width));
    const int y0 = static_cast<int>(std::floor(bottomY - length)), y1 = static_cast<int>(std::ceil(bottomY));
    for (int y = std::max(0, y0); y < std::min(picture.height, y1); ++y) {
        // Brightest where the stone is, thinning out above it.
        const float along = clamp01((bottomY - (y + 0.5f)) / length);
        const float half = width * (1.0f - 0.7f * along);
        for (int x = std::max(0, x0); x < std::min(picture.width, x1); ++x) {
            const float across = std::fabs(x + 0.5f - cx) / std::max(0.5f, half);
            const float k = 0.5f * (1.0f - along) * (1.0f - along) * std::exp(-across * across * 2.0f);
            Rgba p = unpackArgb(picture.at(x, y));
            p.r = clamp01(p.r + colour.r * k);
            p.g = clamp01(p.g + colour.g * k);
            p.b = clamp01(p.b + colour.b * k);
            picture.at(x, y) = packArgb(p);
        }
    }
}

Image decorativeGem(int kind, float scale, int size, float glint) {
    const PreparedGem gem(pieceShape(kind));
    GemLight light;
    light.scale = scale;
    light.glint = glint;
    light.glintAt = {-6.0f * scale, -8.0f * scale};
    return renderGem(gem, piecePalette(kind), light, size, size, size / 2.0f, size / 2.0f);
}

void placeCentred(Image& onto, const Image& picture, float cx, float cy) {
    drawOver(onto, picture, static_cast<int>(std::lround(cx - picture.width / 2.0f)),
             static_cast<int>(std::lround(cy - picture.frameHeight() / 2.0f)));
}

TextStyle engravedStyle(std::uint32_t top, std::uint32_t bottom) {
    TextStyle s;
    s.fillTop = hexColour(top);
    s.fillMiddle = lerp(hexColour(top), hexColour(bottom), 0.5f);
    s.fillBottom = hexColour(bottom);
    s.outline = hexColour(0x1A0610);
    s.outlineWidth = 1.2f;
    s.shadowDx = 1;
    s.shadowDy = 2;
    s.shadowBlur = 1.0f;
    s.shadowOpacity = 0.7f;
    return s;
}

TextStyle goldLetteringStyle() {
    TextStyle s;
    s.fillTop = hexColour(0xFFFCE8);
    s.fillMiddle = hexColour(0xFFD450);
    s.fillBottom = hexColour(0xE0780C);
    s.shine = 0.5f;
    s.outline = hexColour(0x520C02);
    s.outlineWidth = 2.6f;
    s.shadowDx = 2;
    s.shadowDy = 3;
    s.shadowBlur = 1.2f;
    s.shadowOpacity = 0.65f;
    return s;
}
