// Our own formats: the TVA multi-frame picture and the generated RDR texture.

#include <cstring>

#include "graphics/own/rdr_texture.h"
#include "graphics/own/tva_reader.h"
#include "image_test_files.h"

namespace {

using namespace imagetest;

class TvaLoading : public LoaderTest {};

// Frame f of a w x h 24-bit animation: every pixel blue = f, green = x, red = y.
Bytes tvaFrames(int frames, int width, int height) {
    Bytes out;
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                out.insert(out.end(), {std::uint8_t(8 * f), std::uint8_t(8 * x), std::uint8_t(8 * y)});
    return out;
}

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(TvaImage, ParseAcceptsOnlyTheSizeItsHeaderGives) {
    const std::string exact = tvaFile(1000, 2, 3, 2, 24, false, tvaFrames(2, 3, 2));
    for (const auto& [file, expected] :
         {std::pair{exact, 0}, std::pair{exact + '\0', 1}, std::pair{exact.substr(0, exact.size() - 1), 1}}) {
        TvaImage tva;
        EXPECT_EQ(tva.Parse(bytesOf(file)), expected) << file.size();
        // The fields are read either way.
        EXPECT_EQ(tva.duration(), 1000);
        EXPECT_EQ(tva.frameCount(), 2);
        EXPECT_EQ(tva.width(), 3);
        EXPECT_EQ(tva.height(), 2);
        EXPECT_EQ(tva.bitsPerPixel(), 24);
        EXPECT_EQ(tva.descriptor(), 8);
    }
}

TEST_F(TvaLoading, EveryFrameReachesTheSpriteInOrder) {
    // Six frames over 1000 ms: a duration the frame count does not divide,
    // which must neither repeat nor skip a frame.
    write("anim.tva", tvaFile(1000, 6, 2, 2, 24, true, tvaFrames(6, 2, 2)));
    Sprite* anim = GetSprite("anim.tva");
    ASSERT_EQ(anim->frameCount(), 6);
    EXPECT_EQ(anim->period, 1000);
    for (int f = 0; f < 6; ++f) {
        EXPECT_EQ(pixelAt(*anim, 0, 2 * f), rgb565(0, 0, 8 * f)) << f;
        EXPECT_EQ(pixelAt(*anim, 1, 2 * f + 1), rgb565(8, 8, 8 * f)) << f;
    }
}

TEST(RdrTexture, PaletteRisesFrom64AndMirrorsBackTo191) {
    const auto palette = rdr::rampPalette();
    auto entry = [&](int i) { return std::vector<int>{palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]}; };
    for (int i : {0, 63, 192, 255}) EXPECT_EQ(entry(i), (std::vector<int>{0, 0, 0})) << i;
    EXPECT_EQ(entry(64), entry(191));
    EXPECT_EQ(entry(96), (std::vector<int>{0, 0, 32}));   // i = 32
    EXPECT_EQ(entry(100), (std::vector<int>{9, 0, 36}));  // i = 36
    EXPECT_EQ(entry(127), (std::vector<int>{63, 55, 63}));
    EXPECT_EQ(entry(128), entry(127));
}

TEST(RdrTexture, PeriodicSplineOfASmallCase) {
    // Control values alternating 100 and 200 along a line.
    std::uint8_t line[256] = {};
    for (int k = 0; k < 8; ++k) line[32 * k] = k % 2 ? 200 : 100;
    rdr::interpolatePeriodicLine(line, 1);
    // Segment 0 (100 to 200): m1 = m2 = 0, a2 = 76800, a3 = -51200.
    EXPECT_EQ(line[0], 100);
    EXPECT_EQ(line[8], 115);
    EXPECT_EQ(line[16], 150);
    EXPECT_EQ(line[24], 184);
    EXPECT_EQ(line[32], 200);
    // The last segment runs from 200 back into sample 0, mirrored.
    EXPECT_EQ(line[224 + 16], 150);
    EXPECT_EQ(line[224 + 24], 115);

    // A flat line stays flat; a column (stride 256) works the same.
    std::vector<std::uint8_t> map(256 * 256, 0);
    for (int k = 0; k < 8; ++k) map[32 * k * 256] = 77;
    rdr::interpolatePeriodicLine(map.data(), 256);
    for (int y = 0; y < 256; ++y) ASSERT_EQ(map[y * 256], 77) << y;
}

TEST(RdrTexture, ControlsWanderBounceAndKeepTheirSpeedLimit) {
    rdr::ControlGrid grid;
    grid.value.fill(100);
    grid.velocity.fill(0);
    grid.value[0] = 217, grid.velocity[0] = 0;    // r = 0: -8, falls to 209
    grid.value[1] = 215, grid.velocity[1] = 0;    // r = 16: +8, bounces off the ceiling
    grid.value[2] = 100, grid.velocity[2] = -16;  // r = 0: -24, held at -16
    grid.value[3] = 40, grid.velocity[3] = -8;    // r = 8: stays -8, bounces off the floor
    grid.value[4] = 100, grid.velocity[4] = 3;    // r = 17 + 9: +1
    const std::uint32_t draws[] = {0, 16, 0, 8, 26};
    int next = 0;
    rdr::stepControls(grid, [&] { return next < 5 ? draws[next++] : 8u; });
    EXPECT_EQ(next, 5);
    EXPECT_EQ(std::vector<int>(grid.value.begin(), grid.value.begin() + 5), (std::vector<int>{209, 217, 84, 38, 104}));
    EXPECT_EQ(std::vector<int>(grid.velocity.begin(), grid.velocity.begin() + 5),
              (std::vector<int>{-8, -8, -16, 8, 4}));
}

TEST(RdrTexture, TwentyFramesThatLoopThereAndBack) {
    RdrImage texture;
    EXPECT_EQ(texture.LoadFile("any name.rdr"), 0);
    EXPECT_EQ(texture.width(), 256);
    EXPECT_EQ(texture.height(), 256);
    EXPECT_EQ(texture.frameCount(), 20);
    EXPECT_EQ(texture.duration(), 4000);
    const std::size_t frameBytes = 256 * 256 * 3;
    auto same = [&](int a, int b) {
        return std::memcmp(texture.framePixels(a), texture.framePixels(b), frameBytes) == 0;
    };
    EXPECT_TRUE(same(0, 19));
    EXPECT_TRUE(same(9, 10));
    EXPECT_TRUE(same(3, 16));
    EXPECT_FALSE(same(0, 9));

    EXPECT_EQ(RdrImage::frameAt(199), 0);
    EXPECT_EQ(RdrImage::frameAt(3999), 19);
    EXPECT_EQ(RdrImage::frameAt(-1), 19);

    // The same seed gives the same texture.
    RdrImage again;
    again.LoadFile(nullptr);
    EXPECT_EQ(std::memcmp(again.framePixels(7), texture.framePixels(7), frameBytes), 0);
}

TEST_F(TvaLoading, AGeneratedTextureServesAsAnimatedAlphaImage) {
    // No picture file: the alpha image's size and frames make a black sprite
    // it shapes.
    Sprite* shade = GetSprite("shade.tga", "noise.rdr");
    ASSERT_TRUE(shade->hasAlphaPlane());
    EXPECT_EQ(shade->width(), 256);
    EXPECT_EQ(shade->frameCount(), 20);
    EXPECT_EQ(shade->period, 4000);
    EXPECT_EQ(pixelAt(*shade, 10, 10), 0);
    RdrImage texture;
    texture.LoadFile(nullptr);
    for (int frame : {0, 7}) {
        const std::uint8_t* expected = texture.framePixels(frame);
        for (int i = 0; i < 256 * 256; i += 101)
            ASSERT_EQ(shade->alphaPlane()[frame * 256 * 256 + i], expected[3 * i]) << frame << " " << i;
    }
}

}  // namespace
