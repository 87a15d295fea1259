// Choosing a reader, and the pixel converter every reader shares.

#include "graphics/avi_reader.h"
#include "graphics/bmp_reader.h"
#include "graphics/image_file.h"
#include "graphics/jpeg_reader.h"
#include "graphics/own/rdr_texture.h"
#include "graphics/own/tva_reader.h"
#include "graphics/tga_reader.h"
#include "image_test_files.h"

namespace {

template <class Reader>
bool opens(const char* path) {
    return dynamic_cast<Reader*>(OpenImageFile(path).get()) != nullptr;
}

TEST(ImageFileChoice, FirstExtensionInOrderAnywhereInThePath) {
    EXPECT_TRUE(opens<TgaImage>("DATA\\Fx\\Glow.TGA"));
    EXPECT_TRUE(opens<JpegImage>("data\\back.Jpg"));
    EXPECT_TRUE(opens<BmpImage>("mask.bmp"));
    EXPECT_TRUE(opens<AviImage>("spin.avi"));
    EXPECT_TRUE(opens<RdrImage>("noise.rdr"));
    EXPECT_TRUE(opens<TvaImage>("anim.tva"));
    // ".tga" is looked for before ".jpg", ".avi" before ".bmp".
    EXPECT_TRUE(opens<TgaImage>("old.jpg.tga"));
    EXPECT_TRUE(opens<AviImage>("x.bmp.avi"));
    EXPECT_TRUE(opens<TgaImage>("folder.tga\\file"));
    EXPECT_EQ(OpenImageFile("picture.png"), nullptr);
    EXPECT_EQ(OpenImageFile("picture.jpeg"), nullptr);
    EXPECT_EQ(OpenImageFile(""), nullptr);
    EXPECT_EQ(OpenImageFile(std::string(1030, 'x') + ".tga"), nullptr);
}

SourcePixels source(const std::vector<std::uint8_t>& bytes, int width, int height) {
    SourcePixels s;
    s.data = bytes.data();
    s.size = bytes.size();
    s.width = width;
    s.height = height;
    s.bytesPerPixel = 1;
    s.pitch = width < 0 ? -width : width;
    return s;
}

const ChannelMove grey = {{8, 0}, {8, 0}};

TEST(ImageConversion, FlipsShrinksByAverageAndEnlargesByRepeating) {
    const std::vector<std::uint8_t> bytes = {10, 20, 30, 40, 50, 60, 70, 80};
    std::uint8_t out[8] = {};
    ASSERT_EQ(convertPixels(source(bytes, -4, -2), out, 1, 4, 4, 2, &grey, 1), 0);
    EXPECT_EQ(std::vector<int>(out, out + 8), (std::vector<int>{80, 70, 60, 50, 40, 30, 20, 10}));
    ASSERT_EQ(convertPixels(source(bytes, 4, 2), out, 1, 2, 2, 1, &grey, 1), 0);
    EXPECT_EQ(out[0], (10 + 20 + 50 + 60) / 4);
    EXPECT_EQ(out[1], (30 + 40 + 70 + 80) / 4);
    ASSERT_EQ(convertPixels(source({7, 9}, 2, 1), out, 1, 4, 4, 1, &grey, 1), 0);
    EXPECT_EQ(std::vector<int>(out, out + 4), (std::vector<int>{7, 7, 9, 9}));
}

}  // namespace
