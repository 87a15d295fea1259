// Font metrics files, read over a small glyph picture: whatever they say
// about where glyphs lie, every character of every style is measured and
// drawn (with and without alpha) inside the picture and the target.

#include <string>

#include "fuzz_support.h"
#include "graphics/font.h"
#include "graphics/pixel_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Sprite* const target = [] {
        fuzz::scratchRoot();
        setCurrentPixelFormat(pixelFormatTable[0]);
        auto* sprite = new Sprite();
        sprite->createPixels(160, 48);
        sprite->createAlphaPlane();
        return sprite;
    }();
    static std::string text = [] {
        std::string all;
        for (int c = 1; c < 256; ++c) all += char(c);
        return all;
    }();

    Font font;
    font.createPixels(40, 30);
    font.createAlphaPlane();
    for (int i = 0; i < 40 * 30; ++i) font.alphaPlane()[i] = std::uint8_t(i * 7);
    font.setDefaultMetrics();
    font.readMetrics(data, size);

    fuzzCheck(font.variantCount >= 0);
    TextWidth(&font, text.c_str());
    for (int style = 0; style < 4; ++style) {
        const int row = fontVariantRow(font, style);
        fuzzCheck(row >= 0);
        for (int align = -1; align <= 1; ++align) DrawText(*target, &font, 80, 24, text.c_str(), style, align, align);
    }
    DrawTextWithAlpha(*target, &font, -5, 3, text.c_str());
    return 0;
}
