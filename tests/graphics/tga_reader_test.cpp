// TGA pictures through the loader: row orders, every depth we read, the
// colour key from black pixels and the alpha plane of 32-bit pictures.

#include "image_test_files.h"

namespace {

using namespace imagetest;

class TgaLoading : public LoaderTest {};

TEST_F(TgaLoading, BottomUpRowsAreShownUprightTopDownRowsAsStored) {
    // Stored rows: red, green / blue, white (blue, green, red bytes).
    const Bytes rows = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
    write("data/up.tga", tgaFile(2, 2, 24, false, rows));
    write("data/down.tga", tgaFile(2, 2, 24, true, rows));
    Sprite* up = GetSprite("data\\up.tga");
    Sprite* down = GetSprite("data\\down.tga");
    ASSERT_TRUE(up && down);

    EXPECT_EQ(pixelAt(*up, 0, 1), rgb565(255, 0, 0));
    EXPECT_EQ(pixelAt(*up, 1, 1), rgb565(0, 255, 0));
    EXPECT_EQ(pixelAt(*up, 0, 0), rgb565(0, 0, 255));
    EXPECT_EQ(pixelAt(*up, 1, 0), 0xFFFF);
    EXPECT_EQ(allPixels(*down),
              (std::vector<std::uint16_t>{rgb565(255, 0, 0), rgb565(0, 255, 0), rgb565(0, 0, 255), 0xFFFF}));
    EXPECT_EQ(down->width(), 2);
    EXPECT_EQ(down->height(), 2);
    EXPECT_EQ(down->frameCount(), 1);
    EXPECT_EQ(down->period, 1);
    EXPECT_EQ(down->clip.right, 2);
    EXPECT_EQ(down->clip.bottom, 2);
}

TEST_F(TgaLoading, EveryDepthConvertsIntoTheCurrentFormat) {
    Bytes palette(768, 0);
    palette[3] = 0x10, palette[4] = 0x80, palette[5] = 0xF0;  // entry 1: blue, green, red
    palette[6] = 0x08, palette[7] = 0x04, palette[8] = 0x02;  // entry 2
    write("p8.tga", tgaFile(2, 1, 8, true, {1, 2}, palette));
    write("g8.tga", tgaFile(2, 1, 8, true, {0x80, 0xFF}));
    // 5-5-5: pure red, and red 1 green 2 blue 3.
    write("c16.tga", tgaFile(2, 1, 16, true, {0x00, 0x7C, 0x43, 0x04}));
    write("c24.tga", tgaFile(1, 1, 24, true, {0x18, 0x28, 0x38}));
    write("c32.tga", tgaFile(2, 1, 32, true, {0x18, 0x28, 0x38, 0x80, 0, 0, 0, 0x0F}));

    EXPECT_EQ(allPixels(*GetSprite("p8.tga")), (std::vector<std::uint16_t>{rgb565(0xF0, 0x80, 0x10), rgb565(2, 4, 8)}));
    EXPECT_EQ(allPixels(*GetSprite("g8.tga")), (std::vector<std::uint16_t>{rgb565(0x80, 0x80, 0x80), 0xFFFF}));
    EXPECT_EQ(allPixels(*GetSprite("c16.tga")), (std::vector<std::uint16_t>{0xF800, 1 << 11 | 4 << 5 | 3}));
    EXPECT_EQ(pixelAt(*GetSprite("c24.tga"), 0, 0), rgb565(0x38, 0x28, 0x18));
    Sprite* c32 = GetSprite("c32.tga");
    EXPECT_EQ(pixelAt(*c32, 0, 0), rgb565(0x38, 0x28, 0x18));
    ASSERT_TRUE(c32->hasAlphaPlane());
    EXPECT_EQ(c32->alphaPlane()[0], 0x80);
    EXPECT_EQ(c32->alphaPlane()[1], 0x0F);
    // Its opacity comes from the alpha plane, not from the colour key.
    EXPECT_FALSE(c32->bMask);
}

TEST_F(TgaLoading, A555DisplayGetsPicturesIn555) {
    CloseDisplay();
    setDisplayModeForTesting(16, 0x03E0);
    SetDisplay(800, 600, 16, 0);
    write("c24.tga", tgaFile(1, 1, 24, true, {0x08, 0x84, 0xF8}));
    EXPECT_EQ(pixelAt(*GetSprite("c24.tga"), 0, 0), 31 << 10 | 16 << 5 | 1);
}

TEST_F(TgaLoading, BlackPixelsSetTheColourKey) {
    // Near-black that rounds to pixel 0 counts as black too.
    write("black.tga", tgaFile(2, 1, 24, true, {9, 9, 9, 4, 3, 7}));
    write("grey.tga", tgaFile(2, 1, 24, true, {9, 9, 9, 8, 8, 8}));
    EXPECT_TRUE(GetSprite("black.tga")->bMask);
    EXPECT_FALSE(GetSprite("grey.tga")->bMask);
}

TEST_F(TgaLoading, ADerivedAlphaImageReplacesTheOwnAlphaBytes) {
    write("data/fx/glow.tga", tgaFile(2, 1, 32, true, {1, 1, 1, 0x10, 2, 2, 2, 0xF0}));
    Sprite* glow = GetSprite("data\\fx\\glow.tga");
    ASSERT_TRUE(glow->hasAlphaPlane());
    EXPECT_EQ(glow->alphaPlane()[0], 0x10);
    EXPECT_EQ(glow->alphaPlane()[1], 0xF0);

    // A 24-bit alpha image gives its blue channel.
    write("data/fx/_glow.tga", tgaFile(2, 1, 24, true, {0x33, 0xFF, 0xFF, 0x44, 0, 0}));
    EXPECT_EQ(GetSprite("data\\fx\\glow.tga", nullptr, true), glow);
    ASSERT_TRUE(glow->hasAlphaPlane());
    EXPECT_EQ(glow->alphaPlane()[0], 0x33);
    EXPECT_EQ(glow->alphaPlane()[1], 0x44);
    EXPECT_EQ(pixelAt(*glow, 1, 0), rgb565(2, 2, 2));
}

}  // namespace
