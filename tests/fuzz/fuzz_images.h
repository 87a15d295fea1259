#pragma once
// The picture harnesses share one way in: the input becomes a file and is
// loaded the way the game loads pictures (every frame converted, the colour
// key found, the alpha plane filled), as a picture and as the alpha image
// beside a small picture. Whatever loads is then drawn at a few times, so
// a lying frame count or period shows up as a read outside the sprite.

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "graphics/display.h"
#include "graphics/image_file.h"
#include "graphics/pixel_format.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"

namespace fuzz {

// A 6 x 5 opaque 24-bit TGA: the picture the alpha images are loaded for.
inline void writeBasePicture() {
    std::string tga(18, '\0');
    tga[2] = 2;
    tga[12] = 6;
    tga[14] = 5;
    tga[16] = 24;
    for (int i = 0; i < 6 * 5; ++i) tga += std::string{char(40 + i), char(90), char(200 - i)};
    writeInput("base.tga", reinterpret_cast<const std::uint8_t*>(tga.data()), tga.size());
}

inline void setUpDisplay() {
    static const bool ready = [] {
        scratchRoot();
        SetDisplay(800, 600, 16, 0);
        writeBasePicture();
        return true;
    }();
    (void)ready;
}

// Whatever a load left in the sprite must be a picture the limits allow.
inline void checkAndDraw(Sprite& sprite) {
    fuzzCheck(sprite.width() >= 0 && sprite.height() >= 0 && sprite.frameCount() >= 1);
    if (sprite.width() == 0) return;
    fuzzCheck(imageSizeAcceptable(sprite.width(), sprite.height(), sprite.frameCount()));
    fuzzCheck(sprite.period >= 1);
    Sprite* back = BackBuffer();
    for (int time : {0, 1, sprite.period / 2, sprite.period - 1, 2350, 1 << 30}) {
        back->Blit(3, 4, sprite, BLEND_NORMAL, time);
        back->BlitScaled(-7, 9, 13, 11, sprite, 1, 1, sprite.width(), sprite.height(), BLEND_ADD, time);
    }
    if (sprite.hasAlphaPlane()) back->BlitFaded(20, 20, sprite, 128, sprite.period / 3);
}

// `extension` without the dot. Readers that only serve as alpha images
// (BMP, AVI) still go through the picture path, which must refuse them.
inline void loadPicture(const std::uint8_t* data, std::size_t size, const char* extension) {
    setUpDisplay();
    const std::string picture = std::string("picture.") + extension;
    const std::string mask = std::string("mask.") + extension;
    writeInput(picture, data, size);
    writeInput(mask, data, size);

    if (Sprite* sprite = GetSprite(picture.c_str(), "")) {
        checkAndDraw(*sprite);
        ReleaseSprite(sprite);
    }
    if (Sprite* sprite = GetSprite("base.tga", mask.c_str())) {
        checkAndDraw(*sprite);
        ReleaseSprite(sprite);
    }
    forgetErrorLog();
}

}  // namespace fuzz
