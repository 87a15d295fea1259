#include "game/tutorial_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "config/ini_store.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"

namespace {

constexpr const char* kImagePath = "data\\hint.tga";
// The card's corner sits left of and well above the spot it points at.
constexpr int kCardDx = -58;
constexpr int kCardDy = -140;
constexpr int kTextDx = 13;  // from the card's left edge
constexpr int kTextTop = 20;
constexpr int kLineStep = 16;
constexpr int kOpaque = 255;

}  // namespace

void TutorialPanel::load() {
    if (fileExists(kImagePath)) image_ = GetSprite(kImagePath);
    font_ = gameFonts().help;
}

void TutorialPanel::open(int x, int y, const TutorialText& text) {
    x_ = x;
    y_ = y;
    text_ = text;
    clock_ = 0;
    closing_ = false;
    open_ = true;
}

void TutorialPanel::startClosing() {
    if (open_) closing_ = true;
}

bool TutorialPanel::update(int milliseconds) {
    if (!open_) return false;
    if (closing_) {
        clock_ -= milliseconds;
        if (clock_ <= 0) {
            clock_ = 0;
            open_ = closing_ = false;
        }
    } else {
        clock_ = std::min(clock_ + milliseconds, kOpenMs);
    }
    return open_;
}

void TutorialPanel::setOpening(float value) {
    if (!(value > 0.0f)) value = 0.0f;
    clock_ = static_cast<int>(std::lround(std::min(value, 1.0f) * kOpenMs));
}

void TutorialPanel::draw(Sprite& target) const {
    if (!open_) return;
    const bool settled = clock_ >= kOpenMs && !closing_;
    drawCard(target, x_, y_, text_, settled ? kOpaque : clock_ * kOpaque / kOpenMs);
}

void TutorialPanel::drawCard(Sprite& target, int x, int y, const TutorialText& text, int opacity) const {
    const int left = x + kCardDx;
    const int top = std::max(0, y + kCardDy);
    if (image_) target.BlitFaded(left, top, *image_, opacity, 0);
    if (opacity < kOpaque || !font_) return;
    for (int i = 0; i < kTutorialLines; ++i)
        DrawText(target, font_, left + kTextDx, top + kTextTop + kLineStep * i, text[static_cast<std::size_t>(i)].c_str(),
                 0, -1, 0);
}

const char* tutorialFile(BoardMode mode) {
    switch (mode) {
        case BoardMode::ModePuzzle: return "data\\menu\\tutpuzzle.ini";
        case BoardMode::ModeCube: return "data\\menu\\tutcube.ini";
        default: return "data\\menu\\tutorial.ini";
    }
}

TutorialText readTutorialText(BoardMode mode, int entry) {
    TutorialText text;
    const std::string section = std::to_string(entry);
    for (int i = 0; i < kTutorialLines; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "str%d", i);
        text[static_cast<std::size_t>(i)] =
            std::string(iniReadString(tutorialFile(mode), section.c_str(), key)).substr(0, TutorialPanel::kMaxLineLength);
    }
    return text;
}
