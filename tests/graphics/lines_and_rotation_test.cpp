// Lines (GDI's end-point rule) and the rotated blit through the triangle
// filler.

#include "graphics/trig_tables.h"
#include "graphics_test_support.h"

namespace {

class LineTest : public Format565Test {};

std::vector<std::pair<int, int>> litPixels(const Sprite& sprite, std::uint16_t color) {
    std::vector<std::pair<int, int>> lit;
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x)
            if (pixelAt(sprite, x, y) == color) lit.emplace_back(x, y);
    return lit;
}

TEST_F(LineTest, EndPointIsNotDrawn) {
    using Pixels = std::vector<std::pair<int, int>>;
    auto dst = makeSprite(8, 8);
    dst->DrawLine(1, 1, 5, 1, 0x0000FF);  // COLORREF red
    EXPECT_EQ(litPixels(*dst, 0xF800), (Pixels{{1, 1}, {2, 1}, {3, 1}, {4, 1}}));

    auto up = makeSprite(8, 8);
    up->DrawLine(6, 6, 6, 2, 0x00FF00);
    EXPECT_EQ(litPixels(*up, 0x07E0), (Pixels{{6, 3}, {6, 4}, {6, 5}, {6, 6}}));

    auto diagonal = makeSprite(8, 8);
    diagonal->DrawLine(0, 0, 3, 3, 0xFF0000);
    EXPECT_EQ(litPixels(*diagonal, 0x001F), (Pixels{{0, 0}, {1, 1}, {2, 2}}));

    auto dot = makeSprite(8, 8);
    dot->DrawLine(4, 4, 4, 4, 0xFFFFFF);
    EXPECT_TRUE(litPixels(*dot, 0xFFFF).empty()) << "a line of length zero draws nothing";
}

TEST_F(LineTest, NegativeColourDrawsBlackAndTheSpriteEndsLocked) {
    auto dst = makeSprite(4, 4, 0xFFFF);
    dst->Unlock();
    dst->DrawLine(0, 0, 4, 0, -1);
    EXPECT_NE(dst->pixels(), nullptr);
    EXPECT_EQ(litPixels(*dst, 0).size(), 4u);
}

TEST_F(LineTest, FarAwayEndsOnlyTouchTheSurface) {
    auto dst = makeSprite(16, 16);
    dst->DrawLine(-2000000000, 5, 2000000000, 5, 0xFFFFFF);
    EXPECT_EQ(litPixels(*dst, 0xFFFF).size(), 16u);
    dst->DrawLine(-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647, 0xFFFFFF);
    dst->DrawLine(2147483647, -2147483647 - 1, -2147483647 - 1, 2147483647, 0xFFFFFF);
    EXPECT_EQ(pixelAt(*dst, 3, 3), 0xFFFF);
}

class RotationTest : public Format565Test {
protected:
    void SetUp() override {
        Format565Test::SetUp();
        fillTrigTables();
        texture = makeSprite(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) setPixel(*texture, x, y, texel(x, y));
    }
    static std::uint16_t texel(int x, int y) { return std::uint16_t(1 + x + 32 * y); }

    std::unique_ptr<Sprite> texture;
};

TEST_F(RotationTest, AngleZeroCopiesTheTexture) {
    auto dst = makeSprite(64, 64);
    dst->BlitRotated(30, 20, *texture, 0.0f);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool inside = x >= 14 && x < 46 && y >= 4 && y < 36;
            EXPECT_EQ(pixelAt(*dst, x, y), inside ? texel(x - 14, y - 4) : 0) << x << "," << y;
        }
    }
}

TEST_F(RotationTest, QuarterTurnTurnsTheTextureClockwise) {
    auto dst = makeSprite(64, 64);
    // 1.58 rad is table step 64 of 256, a quarter turn: the texture's top
    // edge becomes the right-hand edge on screen.
    dst->BlitRotated(32, 32, *texture, 1.58f);
    for (int ty = 0; ty < 32; ++ty)
        for (int tx = 0; tx < 32; ++tx) EXPECT_EQ(pixelAt(*dst, 47 - ty, 16 + tx), texel(tx, ty)) << tx << "," << ty;
    int drawn = 0;
    for (std::uint16_t p : allPixels(*dst)) drawn += p != 0;
    EXPECT_EQ(drawn, 32 * 32);
}

TEST_F(RotationTest, BlackTexelsAreTransparentAndClipHolds) {
    setPixel(*texture, 5, 5, 0);
    auto dst = makeSprite(64, 64, 0x0841);
    dst->clip = {20, 0, 64, 64};
    dst->BlitRotated(30, 30, *texture, 0.0f);
    EXPECT_EQ(pixelAt(*dst, 19, 20), 0x0841);
    EXPECT_EQ(pixelAt(*dst, 20, 20), texel(6, 6));
    EXPECT_EQ(pixelAt(*dst, 14 + 5 + 1, 14 + 5), texel(6, 5));
    auto plain = makeSprite(64, 64, 0x0841);
    plain->BlitRotated(30, 30, *texture, 0.0f);
    EXPECT_EQ(pixelAt(*plain, 19, 19), 0x0841) << "texel 0 is skipped";
}

TEST_F(RotationTest, GlyphModeBlendsByTheAlphaPlane) {
    auto glyph = makeSprite(2, 2, 0xFFFF);
    ASSERT_TRUE(glyph->createAlphaPlane());
    setAlpha(*glyph, 0, 0, 7);
    setAlpha(*glyph, 1, 0, 8);
    setAlpha(*glyph, 0, 1, 247);
    setAlpha(*glyph, 1, 1, 248);
    auto dst = makeSprite(2, 2);
    dst->DrawTexturedTriangle(BLEND_GLYPH, *glyph, 0, 0, 2, 0, 2, 2, 0, 0, 1, 0, 1, 1, 0);
    dst->DrawTexturedTriangle(BLEND_GLYPH, *glyph, 0, 0, 2, 2, 0, 2, 0, 0, 1, 1, 0, 1, 0);
    EXPECT_EQ(allPixels(*dst), (std::vector<std::uint16_t>{0x0000, 0x0020, 0xEF9D, 0xFFFF}));
}

TEST_F(RotationTest, TrianglesOfTheOtherWindingAreNotDrawn) {
    auto dst = makeSprite(8, 8);
    dst->DrawTexturedTriangle(BLEND_NORMAL, *texture, 0, 0, 0, 8, 8, 8, 0, 0, 0, 1, 1, 1, 0);
    for (std::uint16_t p : allPixels(*dst)) EXPECT_EQ(p, 0);
}

}  // namespace
