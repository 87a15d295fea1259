// Exact pixel arithmetic of the blends, the additive blit, darkening and the
// translucent fill, in both 16-bit formats, through the drawing operations.

#include "graphics/channel_arithmetic.h"
#include "graphics_test_support.h"

namespace {

struct FormatCase {
    const char* name;
    const PixelFormat* format;
    std::uint16_t white;
    // blend(d, s, a) results
    std::uint16_t blendUp;        // 0x4A69 towards white at 100
    std::uint16_t blendDown;      // white towards black at 200
    std::uint16_t blendGreenOut;  // full green towards black at 128
    std::uint16_t blendAt16;      // 0x1234 towards 0x5678 at 16
    std::uint16_t blendAt239;     // the same at 239
    // add(d, s)
    std::uint16_t addD, addS, addResult;
    // darken, from white and from 0xC08040
    std::uint16_t darkWhite100, darkColor16, darkColor239;
    // mix of a translucent fill
    std::uint16_t mixBlack64OverWhite, mixOrange80Base, mixOrange80, mixEFOverWhite;
    std::uint16_t opaqueFF8040;
};

const FormatCase formatCases[] = {
    {"rgb565", &pixelFormatTable[0], 0xFFFF, 0x8C91, 0x31A6, 0x03E0, 0x1274, 0x4E17, 0xF143, 0x295E, 0xFA9F, 0x94D2,
     0xB3A7, 0x0840, 0x94D2, 0x220C, 0x8AE5, 0x1967, 0xFC08},
    {"rgb555", &pixelFormatTable[1], 0x7FFF, 0x5EF1, 0x18C6, 0x01E0, 0x1634, 0x4E57, 0x7943, 0x155E, 0x7E9F, 0x4A52,
     0x59C7, 0x0420, 0x4A52, 0x110C, 0x4565, 0x0CA7, 0x7E08},
};

class ChannelArithmetic : public ::testing::TestWithParam<FormatCase> {
protected:
    void SetUp() override { setCurrentPixelFormat(*GetParam().format); }
    void TearDown() override { setCurrentPixelFormat(pixelFormatTable[0]); }

    // d after blitting s over it with alpha a through the alpha path.
    static std::uint16_t blended(std::uint16_t d, std::uint16_t s, std::uint8_t a) {
        auto dst = makeSprite(1, 1, d);
        auto src = makeSprite(1, 1, s);
        EXPECT_TRUE(src->createAlphaPlane());
        setAlpha(*src, 0, 0, a);
        dst->Blit(0, 0, *src, BLEND_NORMAL, 0);
        return pixelAt(*dst, 0, 0);
    }
    static std::uint16_t filled(std::uint16_t d, std::uint32_t argb) {
        auto dst = makeSprite(1, 1, d);
        dst->FillRect(0, 0, 1, 1, argb);
        return pixelAt(*dst, 0, 0);
    }
    static std::uint16_t darkened(std::uint16_t d, int amount) {
        auto dst = makeSprite(1, 1, d);
        dst->Darken(0, 0, 1, 1, amount);
        return pixelAt(*dst, 0, 0);
    }
};

TEST_P(ChannelArithmetic, BlendMovesEachChannelTowardsTheSource) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(blended(0x4A69 & c.white, c.white, 100), c.blendUp);
    EXPECT_EQ(blended(c.white, 0, 200), c.blendDown);
    EXPECT_EQ(blended(0x1234 & c.white, 0x5678 & c.white, 16), c.blendAt16);
    EXPECT_EQ(blended(0x1234 & c.white, 0x5678 & c.white, 239), c.blendAt239);
}

// A darkening channel must not carry into the channel above it.
TEST_P(ChannelArithmetic, BlendNeverCarriesIntoTheNextChannel) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(blended(std::uint16_t(c.format->greenMask), 0, 128), c.blendGreenOut);
    EXPECT_EQ(blended(0x001F, 0, 128), 0x000F);
    EXPECT_EQ(blended(c.white, 0, 200) & ~c.white, 0);
}

TEST_P(ChannelArithmetic, AlphaThresholds) {
    const FormatCase& c = GetParam();
    const std::uint16_t d = 0x1234 & c.white, s = 0x5678 & c.white;
    EXPECT_EQ(blended(d, s, 15), d) << "15 and below leave the destination";
    EXPECT_EQ(blended(d, s, 16), c.blendAt16) << "16 blends";
    EXPECT_EQ(blended(d, s, 239), c.blendAt239) << "239 still blends";
    EXPECT_EQ(blended(d, s, 240), s) << "240 copies";
}

TEST_P(ChannelArithmetic, AdditiveSaturatesEachChannelAndSkipsBlack) {
    const FormatCase& c = GetParam();
    auto dst = makeSprite(3, 1, c.addD);
    setPixel(*dst, 1, 0, c.white);
    auto src = makeSprite(3, 1, c.addS);
    setPixel(*src, 1, 0, c.white);
    setPixel(*src, 2, 0, 0);
    dst->Blit(0, 0, *src, BLEND_ADD, 0);
    EXPECT_EQ(pixelAt(*dst, 0, 0), c.addResult);
    EXPECT_EQ(pixelAt(*dst, 1, 0), c.white) << "white over white stays white";
    EXPECT_EQ(pixelAt(*dst, 2, 0), c.addD) << "black adds nothing";
}

TEST_P(ChannelArithmetic, DarkenScalesTowardsBlack) {
    const FormatCase& c = GetParam();
    const std::uint16_t color = colorToPixel(0xC08040, *c.format);
    EXPECT_EQ(darkened(c.white, 15), c.white);
    EXPECT_EQ(darkened(c.white, 100), c.darkWhite100);
    EXPECT_EQ(darkened(color, 16), c.darkColor16);
    EXPECT_EQ(darkened(color, 239), c.darkColor239);
    EXPECT_EQ(darkened(c.white, 240), 0);
}

TEST_P(ChannelArithmetic, FillsMixTranslucentColoursAndFillOthersSolid) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(filled(c.white, 0x64000000), c.mixBlack64OverWhite) << "black at 0x64 leaves about 61 %";
    EXPECT_EQ(filled(c.mixOrange80Base, 0x80FF8000), c.mixOrange80);
    EXPECT_EQ(filled(c.white, 0xEF102030), c.mixEFOverWhite);
    EXPECT_EQ(filled(0, 0x00FF8040), c.opaqueFF8040) << "alpha 0 fills solid";
    EXPECT_EQ(filled(0, 0xF0FF8040), c.opaqueFF8040);
    EXPECT_EQ(filled(0, 0xFFFF8040), c.opaqueFF8040);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, ChannelArithmetic, ::testing::ValuesIn(formatCases),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// The two fixed formats use unshifted per-channel arithmetic; it must agree
// with the masked arithmetic on every input that matters.
template <typename Fixed>
void expectFixedMatchesMasked(const PixelFormat& format) {
    const ChannelMasks runtime = channelMasks(format);
    const Fixed fixed;
    const std::uint32_t white = format.redMask | format.greenMask | format.blueMask;
    std::uint32_t state = 12345;
    auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
    for (int i = 0; i < 200000; ++i) {
        const std::uint16_t d = std::uint16_t(next() & white), s = std::uint16_t(next() & white);
        const std::int32_t a = std::int32_t(next() % 256);
        const std::uint32_t q32 = next() & white;
        const ChannelMasks q{std::int32_t(q32) & runtime.red, std::int32_t(q32) & runtime.green,
                             std::int32_t(q32) & runtime.blue};
        ASSERT_EQ(blendPixel(d, s, a, fixed), blendPixel(d, s, a, runtime)) << d << " " << s << " " << a;
        ASSERT_EQ(addPixel(d, s, fixed), addPixel(d, s, runtime));
        ASSERT_EQ(darkenPixel(d, a, fixed), darkenPixel(d, a, runtime));
        ASSERT_EQ(mixPixel(d, q, a, fixed), mixPixel(d, q, a, runtime));
    }
}

TEST(ChannelArithmeticForms, FixedFormatsMatchTheMaskedArithmetic) {
    expectFixedMatchesMasked<Masks565>(pixelFormatTable[0]);
    expectFixedMatchesMasked<Masks555>(pixelFormatTable[1]);
}

}  // namespace
