#include "screens/letter_banner.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "config/ini_store.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "screens/letter_files.h"
#include "ui/ui_element.h"

namespace {

// The shared picture of one character, or null when the character has
// none. Looked up only when its file exists, so a character without a
// picture never shows the missing-file message.
Sprite* letterPicture(unsigned char c) {
    const std::string path = letterFile(c);
    if (path.empty() || !fileExists(path.c_str())) return nullptr;
    Sprite* picture = GetSprite(path.c_str());
    return hasPixels(picture) ? picture : nullptr;
}

}  // namespace

std::unique_ptr<Sprite> renderLetters(const std::string& text) {
    if (text.empty()) return nullptr;
    std::vector<Sprite*> pictures;
    pictures.reserve(text.size());
    int width = 0, height = 0;
    for (char c : text) {
        Sprite* picture = c == ' ' ? nullptr : letterPicture(static_cast<unsigned char>(c));
        pictures.push_back(picture);
        if (c == ' ') width += LetterBanner::kSpaceWidth;
        if (picture) {
            width += picture->width();
            height = std::max(height, picture->height());
        }
    }
    if (width <= 0 || height <= 0) return nullptr;
    auto line = std::make_unique<Sprite>();
    if (!line->createPixels(width, height) || !line->createAlphaPlane()) return nullptr;
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') x += LetterBanner::kSpaceWidth;
        if (Sprite* picture = pictures[i]) {
            line->BlitWithAlpha(x, 0, *picture);
            x += picture->width();
        }
    }
    line->Unlock();
    return line;
}

float letterPopScale(float t) {
    if (t <= 0.0f) return 0.0f;
    if (t <= 0.7f) return 1.8571428f * t;
    if (t <= 1.0f) return 1.9999998f - 0.9999998f * t;
    return 1.0f;
}

LetterBanner::LetterBanner() = default;
LetterBanner::~LetterBanner() = default;

void LetterBanner::create(const std::string& text, int x, int y, int holdMs) {
    count_ = static_cast<int>(std::min<std::size_t>(text.size(), kMaxLetters));
    for (int i = 0; i < kMaxLetters; ++i) letters_[static_cast<std::size_t>(i)] = Letter{};
    for (int i = 0; i < count_; ++i) {
        Letter& letter = letters_[static_cast<std::size_t>(i)];
        letter.x = x;
        letter.y = y;
        letter.sprite = renderLetters(std::string(1, text[static_cast<std::size_t>(i)]));
        letter.delay = kLetterDelayMs * i;
        x += letter.sprite ? letter.sprite->width() : kSpaceWidth;
    }
    hold_ = holdMs;
    restart();
}

void LetterBanner::restart() {
    elapsed_ = 0;
    reversed_ = false;
    for (Letter& letter : letters_) {
        letter.elapsed = 0;
        letter.reverse = false;
        letter.scale = 0;
        letter.width = letter.height = 0;
    }
}

bool LetterBanner::update(int milliseconds) {
    bool anyVisible = false;
    for (int i = 0; i < count_; ++i) {
        Letter& letter = letters_[static_cast<std::size_t>(i)];
        letter.elapsed += letter.reverse ? -milliseconds : milliseconds;
        // Going back, the first letter leaves first: the later ones wait
        // their delay longer.
        const int since = letter.reverse ? letter.elapsed + letter.delay : letter.elapsed - letter.delay;
        letter.scale = letterPopScale(static_cast<float>(since) / static_cast<float>(kPopMs));
        if (letter.sprite) {
            letter.width = static_cast<int>(std::lround(letter.sprite->width() * letter.scale));
            letter.height = static_cast<int>(std::lround(letter.sprite->height() * letter.scale));
        }
        if (!(letter.reverse && letter.scale == 0.0f)) anyVisible = true;
    }
    if (elapsed_ < hold_) {
        elapsed_ += milliseconds;
    } else if (!reversed_ && hold_ != 0) {
        for (int i = 0; i < count_; ++i) letters_[static_cast<std::size_t>(i)].reverse = true;
        reversed_ = true;
    }
    return !anyVisible;
}

void LetterBanner::draw(Sprite& target, int shift) const {
    for (int i = 0; i < count_; ++i) {
        const Letter& letter = letters_[static_cast<std::size_t>(i)];
        if (!letter.sprite || letter.width <= 0 || letter.height <= 0) continue;
        Sprite& picture = *letter.sprite;
        const int centreX = letter.x + picture.width() / 2 - 20 * shift;
        target.BlitScaled(centreX - letter.width / 2, letter.y - letter.height / 2, letter.width, letter.height,
                          picture, 0, 0, picture.width(), picture.height(), BLEND_NORMAL, 0);
    }
}
