// The readers that serve only as alpha images: BMP and AVI.

#include "image_test_files.h"

namespace {

using namespace imagetest;

class BmpAlphaImage : public LoaderTest {};
class AviAlphaImage : public LoaderTest {};

std::vector<int> alphaOf(const Sprite& sprite, int frame = 0) {
    const int n = sprite.width() * sprite.height();
    return std::vector<int>(sprite.alphaPlane() + frame * n, sprite.alphaPlane() + (frame + 1) * n);
}

TEST_F(BmpAlphaImage, RowsAreBottomUpAndPadded) {
    write("p.tga", tgaFile(3, 2, 24, true, Bytes(18, 0x55)));
    // 3 pixels of 3 bytes padded to 12; the first stored row is the bottom one.
    write("_p.bmp", bmpFile(3, 2, 24, {1, 0, 0, 2, 0, 0, 3, 0, 0, 0xEE, 0xEE, 0xEE,
                                       4, 0, 0, 5, 0, 0, 6, 0, 0, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(alphaOf(*GetSprite("p.tga", "_p.bmp")), (std::vector<int>{4, 5, 6, 1, 2, 3}));
}

TEST_F(BmpAlphaImage, EightBitsGoThroughTheColourTable) {
    write("p.tga", tgaFile(2, 1, 24, true, Bytes(6, 0x55)));
    write("m.bmp", bmpFile(2, 1, 8, {1, 0, 0, 0}, {0, 0, 0, 0, 0xC8, 1, 2, 0}));
    EXPECT_EQ(alphaOf(*GetSprite("p.tga", "m.bmp")), (std::vector<int>{0xC8, 0}));
}

TEST_F(BmpAlphaImage, AsAPictureItGivesNothing) {
    write("p.bmp", bmpFile(1, 1, 24, {1, 2, 3, 0}));
    const std::string messages = messagesDuring([] { EXPECT_EQ(GetSprite("p.bmp")->width(), 0); });
    EXPECT_EQ(messages, "file not found: p.bmp\n");
}

TEST_F(AviAlphaImage, FramesFollowTheAnimationAndDroppedFramesRepeat) {
    // Six 1 x 1 frames at 15 per second: 400 ms, which six does not divide.
    // Frame 3 is dropped (an empty chunk) and shows frame 2 again.
    std::vector<Bytes> frames;
    for (int f = 0; f < 6; ++f) frames.push_back(f == 3 ? Bytes{} : Bytes{std::uint8_t(10 * f + 1), 0, 0, 0});
    write("spin.avi", aviFile(1, 1, 24, frames, 15));
    Sprite* spin = GetSprite("spin.tga", "spin.avi");
    ASSERT_TRUE(spin->hasAlphaPlane());
    EXPECT_EQ(spin->frameCount(), 6);
    EXPECT_EQ(spin->period, 400);
    EXPECT_EQ(pixelAt(*spin, 0, 5), 0);
    std::vector<int> alpha;
    for (int f = 0; f < 6; ++f) alpha.push_back(alphaOf(*spin, f)[0]);
    EXPECT_EQ(alpha, (std::vector<int>{1, 11, 21, 21, 41, 51}));
}

}  // namespace
