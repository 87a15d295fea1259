// The cursor file must be a real .cur (directory of type 2 with the hot
// spot, 32-bit bitmap bottom row first, transparency mask), and every
// pointer must have its point exactly on its hot spot.

#include <gtest/gtest.h>

#include "cur_writer.h"
#include "cursor_generator.h"

namespace {

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

}  // namespace

TEST(CursorFile, DirectoryHeaderPixelsAndMask) {
    Image picture(32, 32);
    picture.at(3, 0) = 0xFF112233;   // opaque, top row
    picture.at(31, 31) = 0x80AABBCC;  // half transparent, bottom right
    const std::vector<std::uint8_t> b = encodeCursorFile(picture, 5, 7);
    ASSERT_EQ(b.size(), 6u + 16u + 40u + 32u * 32u * 4u + 32u * 4u);
    EXPECT_EQ(le(b, 0, 2), 0u);   // reserved
    EXPECT_EQ(le(b, 2, 2), 2u);   // a cursor, not an icon
    EXPECT_EQ(le(b, 4, 2), 1u);   // one image
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(le(b, 10, 2), 5u);  // hot spot
    EXPECT_EQ(le(b, 12, 2), 7u);
    EXPECT_EQ(le(b, 14, 4), b.size() - 22);
    EXPECT_EQ(le(b, 18, 4), 22u);
    EXPECT_EQ(le(b, 22, 4), 40u);                  // header size
    EXPECT_EQ(static_cast<int>(le(b, 26, 4)), 32);  // width
    EXPECT_EQ(static_cast<int>(le(b, 30, 4)), 64);  // colour and mask halves
    EXPECT_EQ(le(b, 34, 2), 1u);
    EXPECT_EQ(le(b, 36, 2), 32u);
    EXPECT_EQ(le(b, 38, 4), 0u);  // uncompressed
    const std::size_t pixels = 62;
    // Bottom row first: the picture's top row is the last stored row.
    EXPECT_EQ(le(b, pixels + (31 * 32 + 3) * 4, 4), 0xFF112233u);
    EXPECT_EQ(le(b, pixels + (0 * 32 + 31) * 4, 4), 0x80AABBCCu);
    const std::size_t mask = pixels + 32 * 32 * 4;
    // Mask bit set = transparent; the opaque pixel's bit is clear.
    EXPECT_EQ(b[mask + 31 * 4 + 0] & (0x80 >> 3), 0);
    EXPECT_NE(b[mask + 31 * 4 + 0] & (0x80 >> 4), 0);
    // Half transparent counts as drawn in the mask.
    EXPECT_EQ(b[mask + 0 * 4 + 3] & 0x01, 0);
}

TEST(CursorPictures, EachPointsAtItsHotSpot) {
    auto solid = [](const Image& p, int x, int y) { return (p.at(x, y) >> 24) >= 200; };
    const Image system = systemCursorPicture();
    EXPECT_EQ(system.width, 32);
    EXPECT_TRUE(solid(system, 1, 1) || solid(system, 2, 2));
    EXPECT_FALSE(solid(system, 0, 8));  // nothing left of the point's column edge
    const Image pointer = pointerPicture();
    EXPECT_TRUE(solid(pointer, 19, 19) || solid(pointer, 20, 20));
    EXPECT_FALSE(solid(pointer, 12, 30));  // the arrow runs down and right from its point
    const Image wand = magicWandPicture();
    EXPECT_TRUE(solid(wand, 13, 13));  // the star sits on the hot spot
}
