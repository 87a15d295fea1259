// Screenshots: the frame as 8-bit RGB PNG, channels widened by repeating
// their top bits.

#include <png.h>

#include <cstring>

#include "graphics/screenshot.h"
#include "graphics_test_support.h"
#include "temp_dir.h"

namespace {

std::vector<std::uint8_t> readRgb(const std::string& path, int& width, int& height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
    width = int(image.width);
    height = int(image.height);
    return rgb;
}

struct ScreenshotCase {
    const char* name;
    const PixelFormat* format;
    std::uint16_t white, red, green, blue, low;
};

class ScreenshotTest : public ::testing::TestWithParam<ScreenshotCase> {
protected:
    void SetUp() override { setCurrentPixelFormat(*GetParam().format); }
    void TearDown() override { setCurrentPixelFormat(pixelFormatTable[0]); }
};

TEST_P(ScreenshotTest, WritesEveryPixelWidenedToEightBits) {
    const ScreenshotCase& c = GetParam();
    TempDir dir;
    auto sprite = makeSprite(3, 2);
    const std::uint16_t pixels[] = {c.white, c.red, c.green, c.blue, c.low, 0};
    for (int i = 0; i < 6; ++i) setPixel(*sprite, i % 3, i / 3, pixels[i]);
    sprite->Unlock();
    const std::string path = dir.file("shot.png");
    ASSERT_TRUE(writeScreenshotPng(*sprite, path.c_str()));
    int width = 0, height = 0;
    const std::vector<std::uint8_t> rgb = readRgb(path, width, height);
    ASSERT_EQ(width, 3);
    ASSERT_EQ(height, 2);
    EXPECT_EQ(rgb, (std::vector<std::uint8_t>{255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 8, 8, 8, 0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(BothFormats, ScreenshotTest,
                         ::testing::Values(ScreenshotCase{"rgb565", &pixelFormatTable[0], 0xFFFF, 0xF800, 0x07E0,
                                                          0x001F, 0x0841},
                                           ScreenshotCase{"rgb555", &pixelFormatTable[1], 0x7FFF, 0x7C00, 0x03E0,
                                                          0x001F, 0x0421}),
                         [](const ::testing::TestParamInfo<ScreenshotCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ScreenshotFailureTest, NothingToWriteOrNowhereToWriteIt) {
    TempDir dir;
    Sprite empty;
    EXPECT_FALSE(writeScreenshotPng(empty, dir.file("empty.png").c_str()));
    EXPECT_FALSE(dir.exists("empty.png"));
    auto sprite = makeSprite(2, 2);
    EXPECT_FALSE(writeScreenshotPng(*sprite, dir.file("missing/dir/shot.png").c_str()));
    EXPECT_FALSE(writeScreenshotPng(*sprite, nullptr));
}

}  // namespace
