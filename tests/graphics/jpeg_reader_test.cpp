// JPEG pictures through the loader: colours, grey pictures, the derived alpha
// image, no colour key, and damaged or oversized files.

#include <cstdlib>

#include "image_test_files.h"

namespace {

using namespace imagetest;

class JpegLoading : public LoaderTest {};

Bytes flat(int width, int height, std::vector<std::uint8_t> colour) {
    Bytes out;
    for (int i = 0; i < width * height; ++i) out.insert(out.end(), colour.begin(), colour.end());
    return out;
}

// Channels of two 5-6-5 pixels differ by at most one step.
void expectNear565(std::uint16_t actual, std::uint16_t expected) {
    EXPECT_LE(std::abs((actual >> 11) - (expected >> 11)), 1) << actual << " vs " << expected;
    EXPECT_LE(std::abs((actual >> 5 & 63) - (expected >> 5 & 63)), 1) << actual << " vs " << expected;
    EXPECT_LE(std::abs((actual & 31) - (expected & 31)), 1) << actual << " vs " << expected;
}

// Offset of the frame header (SOF0) that holds the picture's size.
std::size_t frameHeaderAt(const std::string& jpeg) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (std::uint8_t(jpeg[i]) == 0xFF && std::uint8_t(jpeg[i + 1]) == 0xC0) return i;
    }
    return std::string::npos;
}

std::string withClaimedSize(std::string jpeg, int width, int height) {
    const std::size_t sof = frameHeaderAt(jpeg);
    EXPECT_NE(sof, std::string::npos);
    jpeg[sof + 5] = char(height >> 8), jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8), jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

TEST_F(JpegLoading, ColourPictureWithItsDerivedAlphaImage) {
    write("data/center.jpg", jpegFile(8, 8, 3, flat(8, 8, {200, 100, 50})));
    Bytes ramp(64);
    for (int i = 0; i < 64; ++i) ramp[i] = std::uint8_t(i * 4);
    write("data/_center.tga", tgaFile(8, 8, 8, true, ramp));

    Sprite* center = GetSprite("data\\center.jpg");
    ASSERT_NE(center, nullptr);
    EXPECT_EQ(center->width(), 8);
    expectNear565(pixelAt(*center, 3, 5), rgb565(200, 100, 50));
    ASSERT_TRUE(center->hasAlphaPlane());
    for (int i = 0; i < 64; ++i) EXPECT_EQ(center->alphaPlane()[i], i * 4);
}

TEST_F(JpegLoading, BlackNeverBecomesTheColourKey) {
    write("black.jpg", jpegFile(8, 8, 3, flat(8, 8, {0, 0, 0})));
    Sprite* black = GetSprite("black.jpg");
    EXPECT_EQ(pixelAt(*black, 0, 0), 0);
    EXPECT_FALSE(black->bMask);
}

TEST_F(JpegLoading, GreyPicturesShowTheirGrey) {
    write("grey.jpg", jpegFile(8, 8, 1, flat(8, 8, {0x80})));
    expectNear565(pixelAt(*GetSprite("grey.jpg"), 4, 4), rgb565(0x80, 0x80, 0x80));
}

TEST_F(JpegLoading, DamageKeepsTheDecodedRowsAndABrokenHeaderNothing) {
    Bytes noise(64 * 64 * 3);
    std::uint32_t state = 99;
    for (std::uint8_t& b : noise) b = std::uint8_t((state = state * 214013u + 2531011u) >> 24);
    const std::string whole = jpegFile(64, 64, 3, noise);
    write("cut.jpg", whole.substr(0, whole.size() * 6 / 10));
    write("header.jpg", whole.substr(0, frameHeaderAt(whole) + 6));

    std::string messages = messagesDuring([] { EXPECT_EQ(GetSprite("cut.jpg")->width(), 64); });
    EXPECT_EQ(messages, "");
    Sprite* header = nullptr;
    messages = messagesDuring([&] { header = GetSprite("header.jpg"); });
    EXPECT_EQ(messages, "file not found: header.jpg\n");
    int pitch = 0;
    EXPECT_EQ(header->readablePixels(pitch), nullptr);
}

TEST_F(JpegLoading, OversizedClaimsAreRefusedFromTheHeader) {
    const std::string small = jpegFile(8, 8, 3, flat(8, 8, {1, 2, 3}));
    // Beyond the format's own limit, beyond our edge limit, beyond our pixel limit.
    write("a.jpg", withClaimedSize(small, 65535, 65535));
    write("b.jpg", withClaimedSize(small, 40000, 8));
    write("c.jpg", withClaimedSize(small, 30000, 30000));
    const std::string messages = messagesDuring([] {
        for (const char* path : {"a.jpg", "b.jpg", "c.jpg"}) {
            int pitch = 0;
            EXPECT_EQ(GetSprite(path)->readablePixels(pitch), nullptr) << path;
        }
    });
    EXPECT_EQ(messages, "file not found: a.jpg\nfile not found: b.jpg\nfile not found: c.jpg\n");
}

}  // namespace
