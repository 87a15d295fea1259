#include "game/tutorial_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/ini_store.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"

namespace {

constexpr const char* kImagePath = "data\\hint.tga";
constexpr int kTextDx = 13;  // from the card's left edge
constexpr int kTextTop = 20;
constexpr int kLineStep = 16;
// Turned upside down the card's face starts below its pointer.
constexpr int kFaceTopBelow = 35;
constexpr int kFaceHeight = 104;
constexpr int kOpaque = 255;
// The waiting arrow: a small gold wedge that swings a few pixels to the
// right and back.
constexpr int kArrowGap = 7;
constexpr int kArrowHalfHeight = 4;
constexpr int kArrowSwing = 4;
constexpr int kArrowPeriodMs = 900;
constexpr std::uint32_t kArrowColour = 0xFFF2CC66u;
constexpr std::uint32_t kArrowShade = 0xFF7A5418u;

// A copy of the picture turned over left to right, or top to bottom,
// colours and opacity alike.
Sprite* turnedCopy(Sprite& source, bool leftToRight) {
    const int w = source.width(), h = source.height();
    Sprite* copy = CreateSpriteWithAlpha(w, h, "", 0);
    if (!copy) return nullptr;
    if (leftToRight) {
        for (int c = 0; c < w; ++c) copy->CopyPartWithAlpha(w - 1 - c, 0, source, c, 0, 1, h);
    } else {
        for (int r = 0; r < h; ++r) copy->CopyPartWithAlpha(0, h - 1 - r, source, 0, r, w, 1);
    }
    return copy;
}

int faceTop(const CardPlace& place) { return place.top + (place.below ? kFaceTopBelow : 0); }

}  // namespace

TutorialPanel::~TutorialPanel() {
    ReleaseSprite(mirrored_);
    ReleaseSprite(below_);
    ReleaseSprite(belowMirrored_);
}

void TutorialPanel::load() {
    if (fileExists(kImagePath)) image_ = GetSprite(kImagePath);
    font_ = gameFonts().help;
    if (!image_ || image_->width() <= 0 || image_->height() <= 0 || mirrored_) return;
    mirrored_ = turnedCopy(*image_, true);
    below_ = turnedCopy(*image_, false);
    if (mirrored_) belowMirrored_ = turnedCopy(*mirrored_, false);
}

void TutorialPanel::open(int x, int y, const TutorialText& text) {
    x_ = x;
    y_ = y;
    text_ = text;
    clock_ = 0;
    waitMs_ = 0;
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
        if (clock_ >= kOpenMs) waitMs_ += milliseconds;
        clock_ = std::min(clock_ + milliseconds, kOpenMs);
    }
    return open_;
}

void TutorialPanel::setOpening(float value) {
    if (!(value > 0.0f)) value = 0.0f;
    clock_ = static_cast<int>(std::lround(std::min(value, 1.0f) * kOpenMs));
}

void TutorialPanel::growInAgain() {
    if (open_ && !closing_) clock_ = 0;
}

CardPlace placeCard(int x, int y, int width, int height) {
    constexpr int kSpotX = CardPlace::kSpotX, kSpotY = CardPlace::kSpotY;
    const int hudLeft = TutorialPanel::kHudLeft, hudTop = TutorialPanel::kHudTop;
    CardPlace place;
    place.mirrored = x - kSpotX + width > hudLeft;
    place.below = y - kSpotY < hudTop;
    place.left = place.mirrored ? x - (width - 1 - kSpotX) : x - kSpotX;
    place.top = place.below ? y - (height - 1 - kSpotY) : y - kSpotY;
    // A spot too near the edges still leaves the HUD free; the pointer then
    // ends a little beside it.
    place.left = std::clamp(place.left, 0, std::max(0, hudLeft - width));
    place.top = std::max(place.top, hudTop);
    return place;
}

CardPlace TutorialPanel::placeFor(int x, int y) const {
    return placeCard(x, y, image_ ? image_->width() : 0, image_ ? image_->height() : 0);
}

bool TutorialPanel::covers(int px, int py) const {
    if (!open_ || !image_) return false;
    const CardPlace place = placeFor(x_, y_);
    const int top = faceTop(place);
    return px >= place.left && px < place.left + image_->width() && py >= top && py < top + kFaceHeight;
}

Sprite* TutorialPanel::pictureFor(const CardPlace& place) const {
    Sprite* turned = place.below ? (place.mirrored ? belowMirrored_ : below_) : (place.mirrored ? mirrored_ : nullptr);
    return turned ? turned : image_;
}

void TutorialPanel::draw(Sprite& target) const {
    if (!open_) return;
    const bool settled = clock_ >= kOpenMs && !closing_;
    drawCard(target, x_, y_, text_, settled ? kOpaque : clock_ * kOpaque / kOpenMs);
    if (settled) drawWaitingArrow(target, placeFor(x_, y_));
}

void TutorialPanel::drawCard(Sprite& target, int x, int y, const TutorialText& text, int opacity) const {
    const CardPlace place = placeFor(x, y);
    if (Sprite* picture = pictureFor(place)) target.BlitFaded(place.left, place.top, *picture, opacity, 0);
    if (opacity < kOpaque || !font_) return;
    const int top = faceTop(place);
    for (int i = 0; i < kTutorialLines; ++i)
        DrawText(target, font_, place.left + kTextDx, top + kTextTop + kLineStep * i,
                 text[static_cast<std::size_t>(i)].c_str(), 0, -1, 0);
}

// After the last line, which tells the player how to go on.
void TutorialPanel::drawWaitingArrow(Sprite& target, const CardPlace& place) const {
    if (!font_ || !image_) return;
    int last = kTutorialLines - 1;
    while (last > 0 && text_[static_cast<std::size_t>(last)].empty()) --last;
    const int right = place.left + image_->width() - kTextDx;
    const int lineEnd = place.left + kTextDx + TextWidth(font_, text_[static_cast<std::size_t>(last)].c_str());
    const double phase = 2.0 * 3.14159265358979 * (waitMs_ % kArrowPeriodMs) / kArrowPeriodMs;
    const int swing = static_cast<int>(std::lround((1.0 - std::cos(phase)) * 0.5 * kArrowSwing));
    const int x = std::min(lineEnd + kArrowGap + swing, right - kArrowHalfHeight - 1);
    const int y = faceTop(place) + kTextTop + kLineStep * last;
    for (int dy = -kArrowHalfHeight; dy <= kArrowHalfHeight; ++dy) {
        const int length = kArrowHalfHeight + 1 - std::abs(dy);
        target.FillRect(x + 1, y + dy + 1, x + 1 + length, y + dy + 2, kArrowShade);
        target.FillRect(x, y + dy, x + length, y + dy + 1, kArrowColour);
    }
}

const char* tutorialFile(BoardMode mode) {
    switch (mode) {
        case BoardMode::ModePuzzle: return "data\\menu\\tutpuzzle.ini";
        case BoardMode::ModeCube: return "data\\menu\\tutcube.ini";
        default: return "data\\menu\\tutorial.ini";
    }
}

TutorialText readTutorialText(BoardMode mode, TutorialEntry entry) {
    TutorialText text;
    const std::string section = std::to_string(static_cast<int>(entry));
    for (int i = 0; i < kTutorialLines; ++i) {
        const std::string key = "str" + std::to_string(i);
        text[static_cast<std::size_t>(i)] =
            std::string(iniReadString(tutorialFile(mode), section.c_str(), key.c_str())).substr(0, TutorialPanel::kMaxLineLength);
    }
    return text;
}
