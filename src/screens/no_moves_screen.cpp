#include "screens/no_moves_screen.h"

#include "config/game_texts.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "screens/letter_banner.h"

NoMovesScreen::NoMovesScreen() = default;
NoMovesScreen::~NoMovesScreen() = default;

void NoMovesScreen::load(const char* file, const char* section) {
    childFont = gameFonts().dark;
    Screen::load(file, section);
    picture_ = renderLetters(gameText("nomoves"));
}

void NoMovesScreen::draw(int ox, int oy, Sprite& target) {
    Screen::draw(ox, oy, target);
    if (picture_)
        target.Blit(kCentreX - picture_->width() / 2, kCentreY - picture_->height() / 2, *picture_, BLEND_NORMAL, 0);
}
