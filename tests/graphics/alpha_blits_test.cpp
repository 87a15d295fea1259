// The faded blit and the blits that carry the alpha plane over.

#include "graphics_test_support.h"

namespace {

class AlphaBlitTest : public Format565Test {};

// A 2 x 2 white source with alpha 255, 128 / 16, 64.
std::unique_ptr<Sprite> fadingSource() {
    auto src = makeSprite(2, 2, 0xFFFF);
    EXPECT_TRUE(src->createAlphaPlane());
    setAlpha(*src, 0, 0, 255);
    setAlpha(*src, 1, 0, 128);
    setAlpha(*src, 0, 1, 16);
    setAlpha(*src, 1, 1, 64);
    return src;
}

TEST_F(AlphaBlitTest, FadedBlitWeighsTheAlphaPlaneByTheGlobalAlpha) {
    auto src = fadingSource();
    auto dst = makeSprite(2, 2);
    dst->BlitFaded(0, 0, *src, 128, 0);
    // k = alpha * 128 >> 8: 127, 64, 8 (too faint, skipped), 32.
    EXPECT_EQ(allPixels(*dst), (std::vector<std::uint16_t>{0x7BEF, 0x39E7, 0x0000, 0x18E3}));
}

TEST_F(AlphaBlitTest, FadedBlitLimits) {
    auto src = fadingSource();
    auto faint = makeSprite(2, 2);
    faint->BlitFaded(0, 0, *src, 15, 0);
    EXPECT_EQ(allPixels(*faint), (std::vector<std::uint16_t>(4, 0)));
    // 240 and over is the ordinary alpha blit.
    auto full = makeSprite(2, 2);
    auto reference = makeSprite(2, 2);
    full->BlitFaded(0, 0, *src, 240, 0);
    reference->Blit(0, 0, *src, BLEND_NORMAL, 0);
    EXPECT_EQ(allPixels(*full), allPixels(*reference));
}

TEST_F(AlphaBlitTest, FadedBlitOverAnyEdgeKeepsToTheDestination) {
    auto src = fadingSource();
    auto dst = makeSprite(2, 2);
    dst->BlitFaded(-1, -1, *src, 128, 0);  // only the source's bottom-right pixel lands, at (0, 0)
    EXPECT_EQ(allPixels(*dst), (std::vector<std::uint16_t>{0x18E3, 0, 0, 0}));
    dst->BlitFaded(1, 1, *src, 128, 0);
    EXPECT_EQ(pixelAt(*dst, 1, 1), 0x7BEF);
    for (auto [x, y] : {std::pair{2, 0}, {0, 2}, {-2, 0}, {1 << 30, 1 << 30}, {-(1 << 30), 0}})
        dst->BlitFaded(x, y, *src, 128, 0);
    EXPECT_EQ(allPixels(*dst), (std::vector<std::uint16_t>{0x18E3, 0, 0, 0x7BEF}));
}

TEST_F(AlphaBlitTest, FadedBlitWithoutAlphaPlaneFadesTheWholePictureButItsKey) {
    auto src = makeSprite(2, 1, 0xFFFF);
    setPixel(*src, 1, 0, 0);
    src->bMask = true;
    auto dst = makeSprite(2, 1, 0x0841);
    dst->BlitFaded(0, 0, *src, 128, 0);
    EXPECT_EQ(pixelAt(*dst, 0, 0), 0x7C0F);  // blend(0x0841, white, 127)
    EXPECT_EQ(pixelAt(*dst, 1, 0), 0x0841);
}

TEST_F(AlphaBlitTest, BlitWithAlphaCarriesThePlaneOver) {
    auto src = fadingSource();
    setAlpha(*src, 0, 1, 7);
    setPixel(*src, 1, 0, 0x1111);
    auto dst = makeSprite(4, 4, 0x0841);
    ASSERT_TRUE(dst->createAlphaPlane());
    dst->BlitWithAlpha(1, 2, *src);
    EXPECT_EQ(pixelAt(*dst, 1, 2), 0xFFFF);
    EXPECT_EQ(pixelAt(*dst, 1, 3), 0x0841) << "alpha 7 leaves the destination";
    const std::uint8_t* plane = dst->alphaPlane();
    EXPECT_EQ(plane[2 * 4 + 1], 255);
    EXPECT_EQ(plane[2 * 4 + 2], 128);
    EXPECT_EQ(plane[3 * 4 + 1], 7);
    EXPECT_EQ(plane[3 * 4 + 2], 64);
    EXPECT_EQ(plane[0], 0);

    // Part of the source, and over the edge of the destination.
    dst->BlitPartWithAlpha(3, 0, *src, 1, 0, 1, 2);
    EXPECT_EQ(plane[0 * 4 + 3], 128);
    EXPECT_EQ(plane[1 * 4 + 3], 64);
    dst->BlitPartWithAlpha(3, 3, *src, 0, 0, 2, 2);
    EXPECT_EQ(plane[3 * 4 + 3], 255);
    dst->BlitPartWithAlpha(-1, -1, *src, 0, 0, 2, 2);
    EXPECT_EQ(plane[0], 64);
}

}  // namespace
