#include "platform/cursor_file.h"

#include <gtest/gtest.h>

#include <random>

namespace {

void put16(std::vector<std::uint8_t>& b, unsigned v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// A 4 x 2 cursor at 32 bits with hot spot (1, 1): the top row red, the
// bottom row half-transparent blue; or at 1 bit, white over a mask that
// hides the right half.
std::vector<std::uint8_t> makeCursor(int bits) {
    std::vector<std::uint8_t> b;
    put16(b, 0);
    put16(b, 2);
    put16(b, 1);
    const std::uint32_t paletteBytes = bits == 1 ? 8 : 0;
    const std::uint32_t colourBytes = bits == 32 ? 4 * 4 * 2 : 4 * 2;
    const std::uint32_t size = 40 + paletteBytes + colourBytes + 4 * 2;
    b.insert(b.end(), {4, 2, 0, 0});
    put16(b, 1);
    put16(b, 1);
    put32(b, size);
    put32(b, 22);
    put32(b, 40);
    put32(b, 4);
    put32(b, 4);  // doubled height
    put16(b, 1);
    put16(b, static_cast<unsigned>(bits));
    for (int i = 0; i < 6; ++i) put32(b, 0);
    if (bits == 1) {
        put32(b, 0x000000);
        put32(b, 0xFFFFFF);
    }
    // Rows bottom first.
    if (bits == 32) {
        for (int x = 0; x < 4; ++x) put32(b, 0x800000FF);
        for (int x = 0; x < 4; ++x) put32(b, 0xFFFF0000);
        put32(b, 0);
        put32(b, 0);
    } else {
        put32(b, 0xF0);  // bottom row: all four pixels white
        put32(b, 0xF0);
        put32(b, 0x30);  // mask: right two pixels transparent
        put32(b, 0x30);
    }
    return b;
}

TEST(CursorFile, DecodesColourAndMask) {
    platform::DecodedCursor c;
    ASSERT_TRUE(platform::decodeCursorFile(makeCursor(32), c));
    EXPECT_EQ(c.width, 4);
    EXPECT_EQ(c.height, 2);
    EXPECT_EQ(c.hotX, 1);
    EXPECT_EQ(c.pixels[0], 0xFFFF0000u);  // top row came last in the file
    EXPECT_EQ(c.pixels[4], 0x800000FFu);

    ASSERT_TRUE(platform::decodeCursorFile(makeCursor(1), c));
    EXPECT_EQ(c.pixels[0], 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels[1], 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels[2], 0u);
    EXPECT_EQ(c.pixels[7], 0u);
}

TEST(CursorFile, HostileFilesAreRefused) {
    platform::DecodedCursor c;
    const auto good = makeCursor(32);
    for (std::size_t cut = 0; cut < good.size() - 8; ++cut) {
        std::vector<std::uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_FALSE(platform::decodeCursorFile(truncated, c)) << cut;
    }
    auto huge = good;
    huge[22 + 4] = 0xFF;  // width far past any cursor
    huge[22 + 7] = 0x7F;
    EXPECT_FALSE(platform::decodeCursorFile(huge, c));
    auto offset = good;
    offset[18] = 0xF0;  // image offset past the end
    offset[21] = 0x7F;
    EXPECT_FALSE(platform::decodeCursorFile(offset, c));

    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        auto noise = good;
        for (int k = 0; k < 4; ++k) noise[random() % noise.size()] = static_cast<std::uint8_t>(random());
        platform::decodeCursorFile(noise, c);  // anything but a crash or an overread
        std::vector<std::uint8_t> garbage(random() % 200);
        for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());
        platform::decodeCursorFile(garbage, c);
    }
}

}  // namespace
