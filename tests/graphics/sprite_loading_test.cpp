// The sprite loader: sharing by path, reloading in place, blank sprites, the
// message boxes, releasing, reading whole files and the alpha image's name.

#include <tuple>

#include "graphics/sprite_registry.h"
#include "image_test_files.h"

namespace {

using namespace imagetest;

class SpriteLoading : public LoaderTest {};

bool empty(const Sprite& sprite) {
    int pitch = 0;
    return sprite.readablePixels(pitch) == nullptr;
}

TEST_F(SpriteLoading, TwoSpellingsOfAPathShareOneSprite) {
    write("data/fx/glow.tga", tgaFile(1, 1, 24, true, {1, 2, 3}));
    const int before = spriteRegistry().count();
    Sprite* first = GetSprite("DATA\\Fx\\Glow.TGA");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetSprite("data\\fx\\glow.tga"), first);
    EXPECT_EQ(GetSprite("data/fx/glow.tga"), first);
    EXPECT_EQ(spriteRegistry().count(), before + 1);
    EXPECT_STREQ(first->name, "DATA\\Fx\\Glow.TGA");
    EXPECT_STREQ(first->maskName, "DATA\\Fx\\_Glow.tga");
}

TEST_F(SpriteLoading, ReloadReplacesThePicturesInPlace) {
    write("p.tga", tgaFile(1, 1, 24, true, {0, 0, 255}));
    Sprite* sprite = GetSprite("p.tga");
    write("p.tga", tgaFile(2, 1, 24, true, {255, 0, 0, 255, 0, 0}));
    EXPECT_EQ(GetSprite("p.tga"), sprite);
    EXPECT_EQ(sprite->width(), 1);
    EXPECT_EQ(GetSprite("p.tga", nullptr, true), sprite);
    EXPECT_EQ(sprite->width(), 2);
    EXPECT_EQ(sprite->clip.right, 2);
    EXPECT_EQ(pixelAt(*sprite, 1, 0), rgb565(0, 0, 255));
}

TEST_F(SpriteLoading, UnknownFormatAndMissingFileEachSayWhatWentWrongOnce) {
    write("data/picture.png", "not a picture we read");
    Sprite* png = nullptr;
    Sprite* missing = nullptr;
    const std::string messages = messagesDuring([&] {
        png = GetSprite("data\\picture.png");
        EXPECT_EQ(GetSprite("data\\picture.png"), png);
        missing = GetSprite("data\\none.tga");
        EXPECT_EQ(GetSprite("DATA\\NONE.TGA"), missing);
    });
    EXPECT_EQ(messages, "unknown file format: data\\picture.png\nfile not found: data\\none.tga\n");
    ASSERT_TRUE(png && missing);
    EXPECT_TRUE(empty(*png));
    EXPECT_TRUE(empty(*missing));
    EXPECT_EQ(missing->width(), 0);
    EXPECT_EQ(GetSprite(""), nullptr);
    EXPECT_EQ(GetSprite(nullptr), nullptr);
}

TEST_F(SpriteLoading, CreatedSpritesKeepTheirSizeWhenTheFileIsMissing) {
    Sprite* blank = nullptr;
    Sprite* missing = nullptr;
    Sprite* shaded = nullptr;
    const std::string messages = messagesDuring([&] {
        blank = CreateSprite(5, 2, "");
        missing = CreateSprite(4, 3, "data\\none.tga");
        shaded = CreateSpriteWithAlpha(3, 2, nullptr, 0x7F);
    });
    EXPECT_EQ(messages, "");
    for (Sprite* sprite : {blank, missing, shaded}) {
        ASSERT_NE(sprite, nullptr);
        EXPECT_FALSE(empty(*sprite));
        for (std::uint16_t pixel : allPixels(*sprite)) EXPECT_EQ(pixel, 0);
    }
    EXPECT_EQ(missing->width(), 4);
    EXPECT_EQ(missing->height(), 3);
    EXPECT_EQ(missing->clip.bottom, 3);
    ASSERT_TRUE(shaded->hasAlphaPlane());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(shaded->alphaPlane()[i], 0x7F);

    // A size given with a readable file gives way to the file's.
    write("p.tga", tgaFile(2, 1, 24, true, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(CreateSprite(10, 10, "p.tga")->width(), 2);
}

TEST_F(SpriteLoading, ReleaseRemovesOnlyRegisteredSprites) {
    write("p.tga", tgaFile(1, 1, 24, true, {1, 2, 3}));
    ReleaseSprite(GetSprite("p.tga"));
    EXPECT_EQ(findRegisteredSprite("p.tga"), nullptr);
    Sprite stranger;
    stranger.createPixels(2, 2);
    ReleaseSprite(&stranger);
    EXPECT_EQ(stranger.width(), 2);
}

TEST_F(SpriteLoading, AnAlphaImageOfAnotherSizeIsIgnored) {
    write("p.tga", tgaFile(2, 1, 24, true, {1, 2, 3, 4, 5, 6}));
    write("_p.tga", tgaFile(3, 1, 24, true, {9, 9, 9, 9, 9, 9, 9, 9, 9}));
    Sprite* sprite = GetSprite("p.tga");
    EXPECT_EQ(sprite->width(), 2);
    EXPECT_FALSE(sprite->hasAlphaPlane());
    // An explicit empty mask name means no alpha image at all.
    write("q.tga", tgaFile(1, 1, 24, true, {1, 2, 3}));
    write("_q.tga", tgaFile(1, 1, 24, true, {9, 9, 9}));
    EXPECT_FALSE(GetSprite("q.tga", "")->hasAlphaPlane());
}

// A still strip of three 2 x 1 frames animated by an alpha image of three
// frames over 300 ms; strips whose sizes do not add up keep no alpha.
TEST_F(SpriteLoading, AnAnimatedAlphaImageCutsAStillStripIntoItsFrames) {
    const Bytes strip = {80, 0, 0, 88, 0, 0, 160, 0, 0, 168, 0, 0, 240, 0, 0, 248, 0, 0};
    const std::string alpha = tvaFile(300, 3, 2, 1, 24, true, {40, 0, 0, 41, 0, 0, 250, 0, 0, 251, 0, 0, 60, 0, 0, 61, 0, 0});
    write("strip.tga", tgaFile(2, 3, 24, true, strip));
    write("_strip.tva", alpha);
    Sprite* sprite = GetSprite("strip.tga", "_strip.tva");
    ASSERT_TRUE(sprite->hasAlphaPlane());
    EXPECT_EQ(sprite->width(), 2);
    EXPECT_EQ(sprite->height(), 1);
    EXPECT_EQ(sprite->frameCount(), 3);
    EXPECT_EQ(sprite->period, 300);
    EXPECT_EQ(sprite->clip.bottom, 1);
    EXPECT_EQ(std::vector<int>(sprite->alphaPlane(), sprite->alphaPlane() + 6), (std::vector<int>{40, 41, 250, 251, 60, 61}));
    // At 150 ms the middle frame is drawn, opaque by its own alpha.
    auto dst = makeSprite(2, 1, 0);
    dst->Blit(0, 0, *sprite, BLEND_NORMAL, 150);
    EXPECT_EQ(allPixels(*dst), (std::vector<std::uint16_t>{rgb565(0, 0, 160), rgb565(0, 0, 168)}));

    // Four rows for three frames of one, a wider strip, and a strip of two
    // frames already: each keeps its size and gets no alpha.
    write("tall.tga", tgaFile(2, 4, 24, true, Bytes(2 * 4 * 3, 9)));
    write("wide.tga", tgaFile(3, 3, 24, true, Bytes(3 * 3 * 3, 9)));
    write("two.tva", tvaFile(200, 2, 2, 3, 24, true, Bytes(2 * 3 * 2 * 3, 9)));
    for (auto [picture, height, frames] : {std::tuple{"tall.tga", 4, 1}, {"wide.tga", 3, 1}, {"two.tva", 3, 2}}) {
        Sprite* refused = GetSprite(picture, "_strip.tva");
        EXPECT_FALSE(refused->hasAlphaPlane()) << picture;
        EXPECT_EQ(refused->height(), height) << picture;
        EXPECT_EQ(refused->frameCount(), frames) << picture;
    }
}

TEST_F(SpriteLoading, PathsTooLongForASpriteNameAreRefusedNotCut) {
    const std::string longPath = "data\\" + std::string(60, 'x') + ".tga";
    Sprite* sprite = reinterpret_cast<Sprite*>(1);
    const std::string messages = messagesDuring([&] { sprite = GetSprite(longPath.c_str()); });
    EXPECT_EQ(sprite, nullptr);
    EXPECT_EQ(messages, "file not found: " + longPath + "\n");
}

TEST_F(SpriteLoading, ReadWholeFileTellsMissingFromEmpty) {
    write("data/Some.bin", "abc");
    write("empty.bin", "");
    std::vector<std::uint8_t> buffer;
    EXPECT_EQ(ReadWholeFile("DATA\\some.BIN", buffer), readFileOk);
    EXPECT_EQ(buffer, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
    EXPECT_EQ(ReadWholeFile("empty.bin", buffer), readFileEmpty);
    EXPECT_EQ(ReadWholeFile("missing.bin", buffer), readFileCannotOpen);
    EXPECT_TRUE(buffer.empty());
    EXPECT_FALSE(dir_.exists("missing.bin"));
}

TEST(SpriteLoadingNames, DerivedAlphaName) {
    EXPECT_EQ(derivedAlphaName("data\\fx\\glow.tga"), "data\\fx\\_glow.tga");
    EXPECT_EQ(derivedAlphaName("data\\center.jpg"), "data\\_center.tga");
    EXPECT_EQ(derivedAlphaName("data\\v1.2\\plain"), "data\\v1.2\\_plain.tga");
    EXPECT_EQ(derivedAlphaName("a.b.jpg"), "_a.b.tga");
}

}  // namespace
