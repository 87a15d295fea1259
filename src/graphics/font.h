#pragma once
// Bitmap fonts. A Font is a sprite holding the glyphs, plus the metrics read
// from the ".fh" file beside it: where each character's glyph lies and how
// much room goes before and after it. The image may stack several colourings
// of the whole glyph set; a colour style picks one. Text is one byte per
// character.

#include <cstddef>
#include <cstdint>

#include "graphics/sprite.h"

struct GlyphMetrics {
    std::int16_t x = 0, y = 0;  // top-left corner in the first colouring
    std::int8_t before = 0, width = 0, after = 0;
};

class Font : public Sprite {
public:
    GlyphMetrics glyphs[256];
    std::int16_t lineHeight = 0;
    std::int16_t spaceAdvance = 0;  // for every byte below 33
    int variantCount = 0;

    // Every code at (0, code x image height), as wide as the image.
    void setDefaultMetrics();
    // Reads a metrics file's text over the defaults. False when it holds no
    // usable line height; the font then keeps one colouring as tall as the image.
    bool readMetrics(const std::uint8_t* data, std::size_t size);
};

// The metrics file of a font image: the extension replaced by "fh".
void metricsFileName(const char* imagePath, char* out, std::size_t outSize);

// Reads the integer at `at` the way metrics files are read: skip to a digit
// or "-", read an optional minus and digits, then skip the run of digits, "."
// and "-" after it. False at the end of the buffer.
bool scanMetricsNumber(const std::uint8_t* data, std::size_t size, std::size_t& at, int& value);

// The registered font of that path (letter case ignored), or a new one loaded
// with its alpha image and metrics. Null only when out of memory.
Font* GetFont(const char* path);

// Width in pixels of the text, up to its end or maxLength bytes (negative:
// no limit).
int TextWidth(const Font* font, const char* text, int maxLength = -1);

// One line of text. hAlign: 0 centred on x, > 0 ending at x, < 0 starting at
// x. vAlign: 0 centred on y, > 0 ending at y, < 0 starting at y. Style 3 is
// drawn one pixel lower (the pressed look).
void DrawText(Sprite& dst, Font* font, int x, int y, const char* text, int style, int hAlign, int vAlign);

// One line from (x, y) in the first colouring, also copying the glyphs'
// alpha into the destination's alpha plane.
void DrawTextWithAlpha(Sprite& dst, Font* font, int x, int y, const char* text);

// The colouring row DrawText uses for a style.
int fontVariantRow(const Font& font, int style);
