#pragma once
// Glyphs from Debian's freely licensed font files through FreeType, and the
// styling the game's lettering uses: gradient fill, outline, glow and drop
// shadow, composed into straight-alpha pictures.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "image.h"
#include "paint.h"

// Where a font file lives (searched under the system font folders); empty
// when it is not installed.
std::string findFontFile(const std::string& fileName);

// The character a text byte stands for: Latin-1, with the printable
// Windows-1252 characters in 128..159 (quotes, dashes, the euro sign...).
// 0 for bytes that are no character.
std::uint32_t characterOfByte(int byte);

struct GlyphCoverage {
    int left = 0;     // ink's left edge relative to the pen
    int top = 0;      // ink's top edge above the baseline
    int width = 0, height = 0;
    int advance = 0;  // pen advance, whole pixels
    std::vector<std::uint8_t> coverage;  // width x height, 0..255
};

class GlyphFace {
public:
    GlyphFace(const std::string& fontFile, int pixelSize);
    ~GlyphFace();
    GlyphFace(const GlyphFace&) = delete;
    GlyphFace& operator=(const GlyphFace&) = delete;

    bool valid() const { return face_ != nullptr; }
    // Renders a character; `preferLining` picks lining figures where the
    // face has them as alternates.
    GlyphCoverage render(std::uint32_t character, bool preferLining = false) const;
    // Cap height in pixels (height of "H").
    int capHeight() const;

private:
    void* library_ = nullptr;
    void* face_ = nullptr;
};

struct TextStyle {
    Rgb fillTop, fillMiddle, fillBottom;  // gradient from cap top to baseline
    float shine = 0;                      // bright band across the upper third
    Rgb outline;
    float outlineWidth = 0;
    Rgb glow;
    float glowRadius = 0, glowOpacity = 0;
    float shadowDx = 0, shadowDy = 0, shadowBlur = 0, shadowOpacity = 0;
};

// Room a style needs around the ink on each side (a shadow falling right
// and down needs more room there).
struct Padding {
    int left = 0, top = 0, right = 0, bottom = 0;
};
Padding stylePadding(const TextStyle& style);
Padding widest(const Padding& a, const Padding& b);

// One styled glyph in a cell `cellWidth` x `lineHeight`: the ink's left edge
// at x = inkLeft, the baseline at y = baseline; `capHeight` sets the gradient.
Image styleGlyph(const GlyphCoverage& glyph, const TextStyle& style, int cellWidth, int lineHeight, int inkLeft,
                 int baseline, int capHeight);
