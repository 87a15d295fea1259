#include "board/combo_banner.h"

#include <algorithm>
#include <cmath>

#include "board/board_audio.h"
#include "board/board_host.h"
#include "config/ini_store.h"
#include "graphics/font.h"
#include "graphics/sprite.h"
#include "ui/game_random.h"

namespace {

constexpr const char* kLanguageFile = "data\\language.ini";
constexpr const char* kSection = "game";
constexpr const char* kKeys[ComboBanner::kTexts] = {"combo", "supercombo", "ultracombo", "unbelievable", "gembonus"};
constexpr BoardSound kSounds[ComboBanner::kTexts] = {BoardSound::Combo1, BoardSound::Combo2, BoardSound::Combo3,
                                                     BoardSound::Combo4, BoardSound::DiamondBonus};
constexpr int kSparkY = 255;
constexpr int kSparkScatter = 30;

}  // namespace

ComboBanner::ComboBanner() = default;
ComboBanner::~ComboBanner() = default;

void ComboBanner::loadTexts() {
    for (int i = 0; i < kTexts; ++i) {
        // Copied at once: the store's buffer is shared by every read.
        const char* value = iniReadString(kLanguageFile, kSection, kKeys[i]);
        texts_[i].assign(value, std::min<std::size_t>(std::char_traits<char>::length(value), kMaxTextLength));
    }
}

void ComboBanner::show(BannerText which) {
    const int i = static_cast<int>(which);
    if (i < 0 || i >= kTexts) return;
    clock_ = 0;
    text_ = texts_[i];
    if (audio_) audio_->play(kSounds[i]);
    render();
    if (effects_) {
        const float left = float(kCentreX - width_ / 2), right = float(kCentreX + width_ / 2);
        effects_->burst10(left, float(kCentreY));
        effects_->burst10(right, float(kCentreY));
        effects_->burst20(float(kCentreX), float(kCentreY));
        effects_->burst20(float(kCentreX), float(kCentreY));
    }
}

// The text in the combo font, its own alpha kept, with room either side.
void ComboBanner::render() {
    sprite_.reset();
    const int textWidth = font_ ? TextWidth(font_, text_.c_str()) : 0;
    width_ = textWidth + kMargin;
    const int height = font_ ? font_->lineHeight : 0;
    if (height <= 0) return;
    auto sprite = std::make_unique<Sprite>();
    if (!sprite->createPixels(width_, height) || !sprite->createAlphaPlane()) return;
    sprite->clip = {0, 0, width_, height};
    DrawTextWithAlpha(*sprite, font_, kMargin / 2, 0, text_.c_str());
    sprite_ = std::move(sprite);
}

void ComboBanner::update(int milliseconds) {
    if (!running()) return;
    clock_ = std::min(kRunMs, clock_ + std::max(0, milliseconds));
    if (running()) strewSpark();
}

// Sparks come in bursts of half of every tenth of a second while the banner
// stands, and in shorter ones while it rises, swinging across its width.
void ComboBanner::strewSpark() {
    const int phase = clock_ % 100;
    const bool due = clock_ < kHoldMs ? phase < 50 : phase <= 20;
    if (!due || !effects_) return;
    const float x = float(kCentreX) + float(width_ / 2) * std::sin(float(clock_) * 0.01f);
    const float y = float(kSparkY + kSparkScatter * gameRandomSigned() / 32768 - rise());
    effects_->bannerSpark(x, y);
}

int ComboBanner::rise() const {
    if (clock_ <= kHoldMs) return 0;
    const int t = clock_ - kHoldMs;
    return t * t / 10000;
}

int ComboBanner::opacity() const {
    if (clock_ >= kRunMs) return 0;
    if (clock_ < kHoldMs) return 255;
    return 255 * (kRunMs - clock_) / (kRunMs - kHoldMs);
}

void ComboBanner::draw(Sprite& target) const {
    if (!running() || !sprite_) return;
    const int x = kCentreX - sprite_->width() / 2;
    const int y = kCentreY - sprite_->height() / 2 - rise();
    if (clock_ < kHoldMs) {
        target.Blit(x, y, *sprite_, BLEND_NORMAL, 0);
    } else {
        target.BlitFaded(x, y, *sprite_, opacity(), 0);
    }
}
