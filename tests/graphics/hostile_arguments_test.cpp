// Every drawing operation stays in memory for any argument: extreme
// positions, sizes and source rectangles, broken clip rectangles, sprites
// without pixels. The sanitizer build turns any stray access into a failure;
// here we also check nothing outside the clip rectangle changed.

#include <climits>
#include <cmath>

#include "graphics/trig_tables.h"
#include "graphics_test_support.h"

namespace {

constexpr std::uint16_t guard = 0x0841;
const int extremes[] = {INT_MIN, -100000, -7, -1, 0, 1, 3, 9, 100000, INT_MAX};

class HostileArguments : public Format565Test {
protected:
    void SetUp() override {
        Format565Test::SetUp();
        fillTrigTables();
        dst = makeSprite(8, 8, guard);
        dst->clip = {2, 2, 6, 6};
        keyed = makeSprite(4, 4, 0x1234, 2);
        keyed->period = 100;
        alpha = makeSprite(4, 4, 0xFFFF, 2);
        ASSERT_TRUE(alpha->createAlphaPlane());
        std::fill(alpha->alphaPlane(), alpha->alphaPlane() + 32, 200);
    }
    void expectOutsideClipUntouched() {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (x < 2 || x >= 6 || y < 2 || y >= 6) {
                    ASSERT_EQ(pixelAt(*dst, x, y), guard) << x << "," << y;
                }
    }

    std::unique_ptr<Sprite> dst, keyed, alpha;
};

TEST_F(HostileArguments, FillsAndDarkening) {
    for (int a : extremes) {
        for (int b : extremes) {
            dst->FillRect(a, b, b, a, 0xFF00FF00);
            dst->FillRect(a, a, b, b, 0x80FF0000);
            dst->Darken(a, b, b, a, 100);
            dst->Darken(b, b, a, a, 250);
        }
    }
    expectOutsideClipUntouched();
}

TEST_F(HostileArguments, ScaledBlitsOnEveryPath) {
    const std::uint32_t modes[] = {0, BLEND_NORMAL, BLEND_ADD};
    for (int pos : extremes) {
        for (int size : extremes) {
            for (int source : extremes) {
                for (std::uint32_t mode : modes) {
                    for (Sprite* src : {keyed.get(), alpha.get()}) {
                        dst->BlitScaled(pos, 3, size, 4, *src, source, 0, 4, size, mode, source);
                        dst->BlitScaled(3, pos, 4, size, *src, 0, source, size, 4, mode, pos);
                        dst->BlitScaled(pos, pos, size, size, *src, source, source, size, size, mode, size);
                        dst->BlitPart(pos, source, size, size, *src, source, pos, mode, 0);
                    }
                }
            }
        }
    }
    expectOutsideClipUntouched();
}

TEST_F(HostileArguments, FadedAndAlphaCarryingBlits) {
    // These keep to the sprite's memory rather than to its clip rectangle: a
    // picture that lands wholly off the sprite, or a source rectangle wholly
    // off its picture, leaves every pixel and alpha byte as it was.
    ASSERT_TRUE(dst->createAlphaPlane());
    auto offSprite = [](int v) { return v <= -4 || v >= 8; };
    auto unchangedBy = [&](auto&& draw) {
        const std::vector<std::uint16_t> pixels = allPixels(*dst);
        const std::vector<std::uint8_t> alphas(dst->alphaPlane(), dst->alphaPlane() + 64);
        draw();
        return pixels == allPixels(*dst) && std::equal(alphas.begin(), alphas.end(), dst->alphaPlane());
    };
    for (int a : extremes) {
        for (int b : extremes) {
            const bool misses = offSprite(a) || offSprite(b);
            EXPECT_EQ(unchangedBy([&] { dst->BlitFaded(a, b, *alpha, 100, a); }), misses) << a << "," << b;
            EXPECT_EQ(unchangedBy([&] { dst->BlitWithAlpha(a, b, *alpha); }), misses) << a << "," << b;
            dst->BlitFaded(a, b, *keyed, 100, b);
            dst->BlitPartWithAlpha(a, b, *alpha, b, a, a, b);
            const bool sourceMissed = a <= -4 || a >= 4 || b <= -4 || b >= 4;
            if (sourceMissed) {
                EXPECT_TRUE(unchangedBy([&] { dst->BlitPartWithAlpha(3, 3, *alpha, a, b, 4, 4); }));
            }
        }
    }
}

TEST_F(HostileArguments, LinesRotationsAndTriangles) {
    // Rotated pictures and triangles keep to the clip rectangle.
    for (float angle : {0.0f, 1.0f, -3.0f, 1e20f, -1e30f, INFINITY, NAN}) {
        for (int c : extremes) dst->BlitRotated(c, 4, *alpha, angle);
    }
    for (int a : extremes) {
        for (int b : extremes) {
            dst->DrawTexturedTriangle(BLEND_NORMAL, *keyed, a, b, b, a, 4, 4, 0, 0, 1e30f, -1e30f, 1, 1, a);
            dst->DrawTexturedTriangle(BLEND_GLYPH, *alpha, a, a, b, b, a, b, NAN, 0, 1, INFINITY, 0, 1, b);
        }
    }
    expectOutsideClipUntouched();
    // Lines are drawn over the whole sprite, as a pen on its surface is; the
    // sanitizer build checks that none leaves its memory.
    const std::vector<std::uint16_t> before = allPixels(*dst);
    for (int a : extremes) {
        for (int b : extremes) dst->DrawLine(a, b, b, a, 0xFFFFFF);
    }
    EXPECT_NE(allPixels(*dst), before) << "the diagonals through the sprite";
}

TEST_F(HostileArguments, ClipRectanglesBeyondTheSpriteAndSpritesWithoutPixels) {
    dst->clip = {-100, -100, 100000, 100000};
    dst->FillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0xFF112233);
    dst->Blit(-2, -2, *keyed, 0, 0);
    dst->Blit(-2, -2, *alpha, BLEND_NORMAL, 0);
    EXPECT_EQ(pixelAt(*dst, 7, 7), colorToPixel(0x112233, currentPixelFormat()));

    Sprite empty;
    empty.clip = {0, 0, 50, 50};
    empty.FillRect(0, 0, 50, 50, 0xFF00FF00);
    empty.FillRect(0, 0, 50, 50, 0x8000FF00);
    empty.Darken(0, 0, 50, 50, 100);
    empty.Blit(0, 0, *keyed, BLEND_NORMAL, 0);
    empty.BlitFaded(0, 0, *alpha, 100, 0);
    empty.DrawLine(0, 0, 10, 10, 0);
    empty.BlitRotated(5, 5, *alpha, 1.0f);
    dst->Blit(0, 0, empty, BLEND_NORMAL, 0);
    dst->BlitFaded(0, 0, empty, 100, 0);
    dst->BlitRotated(3, 3, empty, 0.5f);

    keyed->Destroy();  // keeps its size, loses its pixels
    dst->Blit(0, 0, *keyed, 0, 0);
    dst->Blit(0, 0, *keyed, BLEND_ADD, 0);
    dst->BlitFaded(0, 0, *keyed, 100, 0);
    dst->BlitRotated(4, 4, *keyed, 0.0f);
    EXPECT_FALSE(empty.createPixels(INT_MAX, INT_MAX));
    EXPECT_FALSE(empty.createPixels(100, 100, INT_MAX));
    EXPECT_FALSE(empty.createPixels(-1, 5));
}

}  // namespace
