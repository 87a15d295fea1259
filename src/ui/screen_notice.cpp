#include "ui/screen_notice.h"

#include <algorithm>

#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"

namespace {

constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 600;
constexpr int kBandHeight = 40;
constexpr int kBandDarkening = 180;
// The band comes and goes over this long rather than at once.
constexpr int kFadeMs = 300;

}  // namespace

void ScreenNotice::show(std::string text) {
    text_ = std::move(text);
    leftMs_ = kShowMs;
}

void ScreenNotice::update(int milliseconds) {
    if (text_.empty()) return;
    leftMs_ -= milliseconds;
    if (leftMs_ <= 0) text_.clear();
}

void ScreenNotice::draw(Sprite& target) const {
    if (text_.empty()) return;
    const int shownMs = std::min(kShowMs - leftMs_, leftMs_);
    const int darkening = kBandDarkening * std::clamp(shownMs, 0, kFadeMs) / kFadeMs;
    const int top = kPictureHeight - kBandHeight;
    if (darkening >= 16) target.Darken(0, top, kPictureWidth, kPictureHeight, darkening);
    if (shownMs * 2 < kFadeMs) return;
    Font* font = gameFonts().statics;
    if (font) DrawText(target, font, kPictureWidth / 2, top + kBandHeight / 2, text_.c_str(), 0, 0, 0);
}
