// The general blit: its paths, clipping with moved source edges, scaling and
// frame selection.

#include "graphics_test_support.h"

namespace {

constexpr std::uint16_t background = 0x0841;

// A 4 x 4 source whose pixels are 1 + x + 4y (never 0, so never keyed out).
std::unique_ptr<Sprite> numberedSource(bool withOpaqueAlpha) {
    auto src = makeSprite(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) setPixel(*src, x, y, std::uint16_t(1 + x + 4 * y));
    if (withOpaqueAlpha) {
        EXPECT_TRUE(src->createAlphaPlane());
        std::fill(src->alphaPlane(), src->alphaPlane() + 16, 255);
    }
    src->Unlock();
    return src;
}

std::uint16_t numbered(int x, int y) { return std::uint16_t(1 + x + 4 * y); }

// The surface path and the software (alpha) path must place the same pixels.
class StretchBlitPaths : public Format565Test, public ::testing::WithParamInterface<bool> {};

TEST_P(StretchBlitPaths, ClippedStretchMovesTheSourceEdges) {
    auto src = numberedSource(GetParam());
    auto dst = makeSprite(10, 10, background);
    dst->clip = {3, 2, 8, 8};
    // 4 x 4 doubled to 8 x 8 at the origin: the cut of 3 columns moves the
    // source left edge by 3 * 0.5 = 1 (truncated), the cut of 2 rows by 1.
    dst->BlitScaled(0, 0, 8, 8, *src, 0, 0, 4, 4, BLEND_NORMAL, 0);
    const int expectedColumns[] = {1, 1, 2, 2, 3};  // destination x = 3..7
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 3 && x < 8 && y >= 2 && y < 8;
            const std::uint16_t expected = inside ? numbered(expectedColumns[x - 3], y / 2) : background;
            EXPECT_EQ(pixelAt(*dst, x, y), expected) << x << "," << y;
        }
    }
}

TEST_P(StretchBlitPaths, RightAndBottomCutsMoveTheFarEdges) {
    auto src = numberedSource(GetParam());
    auto dst = makeSprite(10, 10, background);
    dst->clip = {0, 0, 6, 7};
    dst->BlitScaled(2, 3, 8, 8, *src, 0, 0, 4, 4, BLEND_NORMAL, 0);
    for (int y = 3; y < 7; ++y)
        for (int x = 2; x < 6; ++x) EXPECT_EQ(pixelAt(*dst, x, y), numbered((x - 2) / 2, (y - 3) / 2));
    EXPECT_EQ(pixelAt(*dst, 6, 3), background);
    EXPECT_EQ(pixelAt(*dst, 2, 7), background);
}

TEST_P(StretchBlitPaths, ScalingTenToTwentyRepeatsEachColumn) {
    auto src = makeSprite(10, 1);
    for (int x = 0; x < 10; ++x) setPixel(*src, x, 0, std::uint16_t(100 + x));
    if (GetParam()) {
        ASSERT_TRUE(src->createAlphaPlane());
        std::fill(src->alphaPlane(), src->alphaPlane() + 10, 255);
    }
    auto dst = makeSprite(20, 1, background);
    dst->BlitScaled(0, 0, 20, 1, *src, 0, 0, 10, 1, BLEND_NORMAL, 0);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(pixelAt(*dst, x, 0), 100 + x / 2) << x;
}

TEST_P(StretchBlitPaths, BlitWhollyOutsideTheClipDrawsNothingAndLeavesTheSourceAlone) {
    auto src = numberedSource(GetParam());
    auto dst = makeSprite(10, 10, background);
    dst->Unlock();
    dst->clip = {0, 0, 5, 5};
    for (auto [x, y] : {std::pair{5, 0}, {0, 5}, {-4, 0}, {0, -4}, {100, 100}}) {
        dst->Blit(x, y, *src, BLEND_NORMAL, 0);
        dst->Blit(x, y, *src, BLEND_ADD, 0);
    }
    EXPECT_EQ(src->pixels(), nullptr) << "the source was locked";
    EXPECT_EQ(dst->pixels(), nullptr);
    for (std::uint16_t p : allPixels(*dst)) EXPECT_EQ(p, background);
}

// One axis of a clipped stretch: destination [first, last) and where each
// pixel samples. Both paths move the source edges with the clip; the
// software path keeps the unclipped step, while the surface path stretches
// the clipped source rectangle over the clipped destination anew.
struct Axis {
    int first, last;
    std::int64_t edge, step;
    int sample(int at) const { return int(((edge << 16) + (at - first) * step) >> 16); }
};

Axis clippedAxis(int at, int size, int sourceSize, int clipLow, int clipHigh, bool software) {
    const std::int64_t step = (std::int64_t(sourceSize) << 16) / size;
    Axis axis{std::max(at, clipLow), std::min(at + size, clipHigh), 0, step};
    axis.edge = ((axis.first - at) * step) >> 16;
    if (!software) {
        const std::int64_t far = sourceSize + (((axis.last - (at + size)) * step) >> 16);
        axis.step = ((far - axis.edge) << 16) / (axis.last - axis.first);
    }
    return axis;
}

// Every destination pixel samples ((source edge << 16) + i * step) >> 16,
// the edges moved by the clip as the general blit moves them, whatever loop
// the step gets: doubling, other whole factors, factor 3 (whose truncated
// step makes runs of 4, 3, 3, ...), other stretches and shrinks, odd sizes
// and clips that cut a run in half. Source pixel (1, 0) is see-through.
TEST_P(StretchBlitPaths, EveryStepSamplesByTheFixedPointRule) {
    struct Case {
        int sw, sh, w, h, x, y;
        ClipRect clip;
    };
    const Case cases[] = {
        {5, 3, 10, 6, 0, 0, {0, 0, 40, 20}},    // doubling, odd source width
        {5, 3, 10, 6, -3, -1, {0, 0, 40, 20}},  // doubling cut at an odd column
        {5, 3, 10, 6, 2, 1, {3, 2, 10, 6}},     // and cut on the right
        {5, 3, 15, 9, 1, 0, {2, 0, 40, 20}},    // factor 3
        {3, 2, 12, 8, -5, 0, {0, 0, 40, 20}},   // factor 4, cut mid-run
        {4, 2, 32, 4, 0, 0, {0, 0, 31, 20}},    // factor 8
        {7, 3, 17, 5, 0, 0, {1, 0, 40, 20}},    // 17 / 7
        {10, 4, 13, 4, 0, 0, {0, 0, 40, 20}},   // 13 / 10
        {9, 4, 5, 3, 0, 0, {0, 0, 40, 20}},     // shrinking
    };
    for (const Case& c : cases) {
        auto src = makeSprite(c.sw, c.sh);
        for (int y = 0; y < c.sh; ++y)
            for (int x = 0; x < c.sw; ++x) setPixel(*src, x, y, std::uint16_t(x == 1 && y == 0 ? 0 : 1 + x + 16 * y));
        src->bMask = true;
        if (GetParam()) {
            ASSERT_TRUE(src->createAlphaPlane());
            std::fill(src->alphaPlane(), src->alphaPlane() + c.sw * c.sh, 255);
            setAlpha(*src, 1, 0, 0);
        }
        src->Unlock();
        auto dst = makeSprite(40, 20, background);
        dst->clip = c.clip;
        dst->BlitScaled(c.x, c.y, c.w, c.h, *src, 0, 0, c.sw, c.sh, BLEND_NORMAL, 0);

        const Axis across = clippedAxis(c.x, c.w, c.sw, c.clip.left, c.clip.right, GetParam());
        const Axis down = clippedAxis(c.y, c.h, c.sh, c.clip.top, c.clip.bottom, GetParam());
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 40; ++x) {
                std::uint16_t expected = background;
                if (x >= across.first && x < across.last && y >= down.first && y < down.last) {
                    const int sx = across.sample(x), sy = down.sample(y);
                    if (sx != 1 || sy != 0) expected = std::uint16_t(1 + sx + 16 * sy);
                }
                ASSERT_EQ(pixelAt(*dst, x, y), expected)
                    << c.sw << "x" << c.sh << " to " << c.w << "x" << c.h << " at " << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SurfaceAndSoftware, StretchBlitPaths, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Software" : "Surface");
                         });

class StretchBlitTest : public Format565Test {};

TEST_F(StretchBlitTest, ModeZeroIgnoresTheAlphaPlaneAndUsesTheColourKey) {
    auto src = makeSprite(3, 1);
    setPixel(*src, 0, 0, 0x1234);  // alpha 0: invisible to the alpha path
    setPixel(*src, 1, 0, 0);       // alpha 255: black, but keyed out without it
    setPixel(*src, 2, 0, 0x4321);  // alpha 128
    ASSERT_TRUE(src->createAlphaPlane());
    setAlpha(*src, 1, 0, 255);
    setAlpha(*src, 2, 0, 128);
    src->bMask = true;

    auto keyed = makeSprite(3, 1, background);
    keyed->Blit(0, 0, *src, 0, 0);
    EXPECT_EQ(allPixels(*keyed), (std::vector<std::uint16_t>{0x1234, background, 0x4321}));

    auto blended = makeSprite(3, 1, background);
    blended->Blit(0, 0, *src, BLEND_NORMAL, 0);
    EXPECT_EQ(pixelAt(*blended, 0, 0), background);
    EXPECT_EQ(pixelAt(*blended, 1, 0), 0);
    EXPECT_NE(pixelAt(*blended, 2, 0), background);
    EXPECT_NE(pixelAt(*blended, 2, 0), 0x4321);

    src->bMask = false;  // no key: black is copied like any colour
    auto unkeyed = makeSprite(3, 1, background);
    unkeyed->Blit(0, 0, *src, 0, 0);
    EXPECT_EQ(pixelAt(*unkeyed, 1, 0), 0);
}

TEST_F(StretchBlitTest, AnimatedSourceShowsTheFrameForTheTime) {
    auto src = makeSprite(2, 1, 0, 10);
    for (int frame = 0; frame < 10; ++frame) {
        setPixel(*src, 0, frame, std::uint16_t(500 + frame));
        setPixel(*src, 1, frame, std::uint16_t(500 + frame));
    }
    src->period = 1000;
    EXPECT_EQ(src->frameRow(0), 0);
    EXPECT_EQ(src->frameRow(2350), 3);
    EXPECT_EQ(src->frameRow(999), 9);
    EXPECT_EQ(src->frameRow(-650), 3) << "a negative time wraps like any other";
    for (bool software : {false, true}) {
        auto dst = makeSprite(2, 1, background);
        if (software) {
            ASSERT_TRUE(src->createAlphaPlane());
            std::fill(src->alphaPlane(), src->alphaPlane() + 20, 255);
        }
        dst->Blit(0, 0, *src, BLEND_NORMAL, 2350);
        EXPECT_EQ(pixelAt(*dst, 1, 0), 503) << (software ? "software" : "surface");
    }
    src->period = 0;  // a broken period shows the first frame instead of dividing by zero
    EXPECT_EQ(src->frameRow(2350), 0);
}

TEST_F(StretchBlitTest, SoftwarePathDrawsOnlyWhatLiesInsideTheSource) {
    auto src = numberedSource(true);
    auto dst = makeSprite(8, 1, background);
    dst->BlitPart(0, 0, 8, 1, *src, -2, 0, BLEND_NORMAL, 0);
    EXPECT_EQ(allPixels(*dst), (std::vector<std::uint16_t>{background, background, 1, 2, 3, 4, background, background}));
}

TEST_F(StretchBlitTest, SoftwareOperationsKeepLocksAndSurfaceOperationsDropThem) {
    auto src = numberedSource(false);
    auto dst = makeSprite(4, 4, background);
    dst->Blit(0, 0, *src, BLEND_ADD, 0);
    EXPECT_NE(dst->pixels(), nullptr);
    EXPECT_NE(src->pixels(), nullptr);
    dst->Blit(0, 0, *src, 0, 0);  // surface blit
    EXPECT_EQ(dst->pixels(), nullptr);
    EXPECT_EQ(src->pixels(), nullptr);
    dst->Darken(0, 0, 4, 4, 100);
    EXPECT_NE(dst->pixels(), nullptr);
    dst->FillRect(0, 0, 4, 4, 0xFF000000);
    EXPECT_EQ(dst->pixels(), nullptr);
}

TEST_F(StretchBlitTest, SpritesWithoutSurfacesCopyEveryPixel) {
    // No surface in a 32-bit format: the pixels stay in plain memory and the
    // plain copy knows no colour key.
    setCurrentPixelFormat(pixelFormatTable[2]);
    auto src = makeSprite(2, 1);
    auto dst = makeSprite(2, 1);
    ASSERT_EQ(src->lpSurface(), nullptr);
    setPixel(*src, 1, 0, 0x0FF0);
    setPixel(*dst, 0, 0, 0x1111);
    src->bMask = true;
    dst->Blit(0, 0, *src, 0, 0);
    EXPECT_EQ(allPixels(*dst), (std::vector<std::uint16_t>{0, 0x0FF0}));
}

}  // namespace
