#include "graphics/font.h"

#include "graphics/sprite_registry.h"
#include "image_test_files.h"

namespace {

using imagetest::Bytes;
using imagetest::LoaderTest;

TEST(FontMetrics, NumberScannerSkipsSeparatorsAndFractions) {
    const std::string text = "v1.5 -12x 7-3..9,  42";
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    std::size_t at = 0;
    std::vector<int> values;
    for (int v; scanMetricsNumber(data, text.size(), at, v);) values.push_back(v);
    // "1.5" reads 1 and skips ".5"; "7-3..9" reads 7 and skips the rest of the run.
    EXPECT_EQ(values, (std::vector<int>{1, -12, 7, 42}));
}

TEST(FontMetrics, MetricsFileNameReplacesTheExtension) {
    char out[64];
    metricsFileName("DATA\\fonts\\fontmenu.tga", out, sizeof out);
    EXPECT_STREQ(out, "DATA\\fonts\\fontmenu.fh");
    metricsFileName("data\\v1.2\\font", out, sizeof out);
    EXPECT_STREQ(out, "data\\v1.2\\font.fh");
}

// A font of 10 x 30: three colourings of 10-pixel lines. Glyph 'A' is 4 wide
// with one pixel before and after; 'B' starts 2 pixels early.
class FontTest : public LoaderTest {
protected:
    Font* makeFont(const std::string& metrics) {
        Bytes pixels;
        for (int row = 0; row < 30; ++row)
            for (int x = 0; x < 10; ++x) {
                const std::uint8_t shade = static_cast<std::uint8_t>(row < 10 ? 0x40 : row < 20 ? 0x80 : 0xC0);
                for (int c = 0; c < 3; ++c) pixels.push_back(shade);
                pixels.push_back(255);
            }
        write("fonts/test.tga", imagetest::tgaFile(10, 30, 32, true, pixels));
        write("fonts/test.fh", metrics);
        return GetFont("FONTS\\Test.tga");
    }
};

TEST_F(FontTest, LoadsMetricsAndIsSharedByPath) {
    Font* font = makeFont("0 10 2\n65 0 0 1 4 1\n66 4 0 -2 3 0\n");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetFont("fonts\\test.TGA"), font);
    EXPECT_EQ(font->lineHeight, 10);
    EXPECT_EQ(font->variantCount, 3);
    EXPECT_EQ(font->spaceAdvance, 5);
    EXPECT_EQ(font->glyphs['A'].width, 4);
    EXPECT_EQ(font->glyphs['B'].before, -2);
    // Codes without a group keep the defaults: the whole image width.
    EXPECT_EQ(font->glyphs['C'].width, 10);
    EXPECT_EQ(font->glyphs['C'].y, 'C' * 30);
}

TEST_F(FontTest, WidthsCountSpacesAsHalfALine) {
    Font* font = makeFont("0 10 2\n65 0 0 1 4 1\n66 4 0 -2 3 0\n");
    EXPECT_EQ(TextWidth(font, "AB"), 6 + 1);
    EXPECT_EQ(TextWidth(font, "A A\tA"), 6 * 3 + 5 * 2);
    EXPECT_EQ(TextWidth(font, "AAAAAA", 3), 18);
    EXPECT_EQ(TextWidth(nullptr, "A"), 0);
}

TEST_F(FontTest, StylesPickColouringsAndThePressedLookDropsAPixel) {
    Font* font = makeFont("0 10 1\n65 0 0 0 4 0\n");
    Sprite& dst = *BackBuffer();
    dst.FillRect(0, 0, 800, 600, 0xFF000000u);
    // Three colourings: style 0 and 1 the first, 2 the second, 3 the third.
    const std::uint16_t shades[] = {imagetest::rgb565(0x40, 0x40, 0x40), imagetest::rgb565(0x80, 0x80, 0x80),
                                    imagetest::rgb565(0xC0, 0xC0, 0xC0)};
    for (int style = 0; style < 4; ++style) {
        DrawText(dst, font, 100 + style * 20, 100, "A", style, -1, -1);
    }
    dst.Lock();
    auto at = [&](int x, int y) {
        return reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(dst.pixels()) + y * dst.pitch())[x];
    };
    EXPECT_EQ(at(100, 100), shades[0]);
    EXPECT_EQ(at(120, 100), shades[0]);
    EXPECT_EQ(at(140, 100), shades[1]);
    EXPECT_EQ(at(160, 100), 0);  // pressed: one pixel lower
    EXPECT_EQ(at(160, 101), shades[2]);
    EXPECT_EQ(at(103, 109), shades[0]);
    EXPECT_EQ(at(104, 100), 0);
}

TEST_F(FontTest, AlignmentCentresTruncatingAndOverlapsWithNegativeBefore) {
    // A two-colouring font: style 2 and 3 take the second one.
    Font* font = makeFont("0 15 2\n65 0 0 0 31 0\n66 0 0 -3 4 0\n");
    EXPECT_EQ(font->variantCount, 2);
    EXPECT_EQ(fontVariantRow(*font, 1), 0);
    EXPECT_EQ(fontVariantRow(*font, 2), 1);
    EXPECT_EQ(fontVariantRow(*font, 3), 1);
    Sprite& dst = *BackBuffer();
    dst.FillRect(0, 0, 800, 600, 0xFF000000u);
    // Width 31 centred on 200 starts at 185; vertically centred on 300 at 293.
    DrawText(dst, font, 200, 300, "A", 0, 0, 0);
    dst.Lock();
    auto at = [&](int x, int y) {
        return reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(dst.pixels()) + y * dst.pitch())[x];
    };
    EXPECT_EQ(at(184, 293), 0);
    EXPECT_NE(at(185, 293), 0);
    EXPECT_EQ(at(185, 292), 0);
    // Right-aligned and bottom-aligned: ends at x, rests on y.
    DrawText(dst, font, 400, 400, "A", 0, 1, 1);
    dst.Lock();
    EXPECT_NE(at(369, 385), 0);
    EXPECT_EQ(at(368, 385), 0);
    EXPECT_EQ(at(369, 384), 0);
}

TEST_F(FontTest, MissingMetricsStillDrawsSafely) {
    Font* font = makeFont("");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->lineHeight, 30);
    EXPECT_EQ(font->variantCount, 1);
    Sprite& dst = *BackBuffer();
    DrawText(dst, font, 10, 10, "\xFF\x80 hostile text", 7, 0, 0);
    DrawTextWithAlpha(dst, font, -5, -5, "AB");
    // A font that is not there says so once and then draws nothing.
    Font* missing = nullptr;
    const std::string said = messagesDuring([&] { missing = GetFont("missing\\font.tga"); });
    EXPECT_NE(said.find("file not found"), std::string::npos) << said;
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->lineHeight, 0);
    DrawText(dst, missing, 10, 10, "A", 0, 0, 0);
}

}  // namespace

namespace {

// A glyph's box may reach under its neighbour's (a glow wider than the
// advance). Drawing into a picture with its own alpha must not let the
// second box's transparent margin erase the first glyph's ink.
TEST_F(FontTest, OverlappingGlyphBoxesKeepEachOthersInk) {
    Bytes pixels;
    for (int row = 0; row < 10; ++row)
        for (int x = 0; x < 10; ++x) {
            for (int c = 0; c < 3; ++c) pixels.push_back(0xC0);
            pixels.push_back(x == 3 || x == 4 ? 0 : 255);
        }
    write("fonts/glow.tga", imagetest::tgaFile(10, 10, 32, true, pixels));
    // 'A': ink in columns 0..2, margin 3; 'B': margin 4, ink 5..7, starting
    // two pixels before the pen.
    write("fonts/glow.fh", "0 10 2\n65 0 0 1 4 -2\n66 4 0 -1 4 0\n");
    Font* font = GetFont("fonts\\glow.tga");
    ASSERT_NE(font, nullptr);
    Sprite dst;
    ASSERT_TRUE(dst.createPixels(40, 10));
    ASSERT_TRUE(dst.createAlphaPlane());
    dst.clip = {0, 0, 40, 10};
    DrawTextWithAlpha(dst, font, 10, 0, "AB");
    const std::uint8_t* alpha = dst.alphaPlane();
    // A covers 10..12, B's box starts at 11 with its margin: 10..14 all ink.
    for (int x = 10; x <= 14; ++x) EXPECT_EQ(alpha[5 * 40 + x], 255) << "column " << x;
    EXPECT_EQ(alpha[5 * 40 + 9], 0);
    EXPECT_EQ(alpha[5 * 40 + 15], 0);
}

}  // namespace
