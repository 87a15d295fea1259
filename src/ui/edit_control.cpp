#include "ui/edit_control.h"

#include <algorithm>
#include <cstring>

#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"

namespace {

constexpr int kCaretBlinkBit = 512;  // 512 ms on, 512 ms off
constexpr std::uint32_t kCaretColour = 0xFFFFFFFFu;
constexpr std::uint32_t kFullRimColour = 0xFFF2CC66u;
constexpr std::uint32_t kRefusedRimColour = 0xFFE8503Cu;
constexpr int kRefusedFlashMs = 360;
// The rim runs along the top and foot of the text's box, a little wider
// than the box, inside the field drawn round it.
constexpr int kRimReach = 8, kRimWidth = 2;

constexpr int key(platform::WParam vk) { return static_cast<int>(vk); }

}  // namespace

int EditControl::length() const { return static_cast<int>(std::strlen(caption())); }

void EditControl::load(const char* file, const char* section) {
    UiElement::load(file, section);
    image = screenImage(file, section, "path");
    const Font* font = gameFonts().statics;
    if (font) {
        if (xs == 0) xs = 10 * font->spaceAdvance;
        if (ys == 0) ys = font->lineHeight;
    }
    setFocusSound(nullptr);
    caret_ = std::min(caret_, length());
}

void EditControl::draw(int ox, int oy, Sprite& target) {
    if (!visible) return;
    if (hasPixels(image)) target.Blit(ox + x, oy + y, *image, BLEND_NORMAL, 0);
    Font* font = gameFonts().statics;
    DrawText(target, font, ox + x, oy + y + ys / 2, caption(), 0, -1, 0);
    if ((focused() || pressed()) && (clock & kCaretBlinkBit) && font) {
        const int cx = ox + x + TextWidth(font, caption(), caret_);
        const int lineHeight = font->lineHeight;
        target.FillRect(cx, oy + y + (ys - lineHeight) / 2 - 2, cx + 3, oy + y + (ys + lineHeight) / 2 - 2,
                        kCaretColour);
    }
    if (length() >= kMaxLength) drawFullRim(ox + x, oy + y, target);
    drawKeyMark(ox, oy, target);
}

void EditControl::drawFullRim(int left, int top, Sprite& target) const {
    const bool flashing = refusedAt_ >= 0 && clock >= refusedAt_ && clock - refusedAt_ < kRefusedFlashMs;
    const std::uint32_t colour = flashing ? kRefusedRimColour : kFullRimColour;
    const int x0 = left - kRimReach, y0 = top, x1 = left + xs + kRimReach, y1 = top + ys;
    target.FillRect(x0, y0, x1, y0 + kRimWidth, colour);
    target.FillRect(x0, y1 - kRimWidth, x1, y1, colour);
    target.FillRect(x0, y0, x0 + kRimWidth, y1, colour);
    target.FillRect(x1 - kRimWidth, y0, x1, y1, colour);
}

void EditControl::setText(const char* text) {
    UiElement::setText(text);
    caret_ = length();
}

int EditControl::charInput(int character, platform::LParam) {
    if (character < 32 || character > 255) return 0;
    const int size = length();
    if (size >= kMaxLength) {
        refusedAt_ = clock;
        return 0;
    }
    char text[kCaptionSize];
    std::memcpy(text, caption(), static_cast<std::size_t>(size) + 1);
    const int at = std::clamp(caret_, 0, size);
    std::memmove(text + at + 1, text + at, static_cast<std::size_t>(size - at) + 1);
    text[at] = static_cast<char>(character);
    UiElement::setText(text);
    caret_ = at + 1;
    return 1;
}

void EditControl::eraseAt(int index) {
    char text[kCaptionSize];
    copyBounded(text, caption());
    const int size = length();
    std::memmove(text + index, text + index + 1, static_cast<std::size_t>(size - index));
    UiElement::setText(text);
}

int EditControl::keyDown(int vk, platform::LParam) {
    const int size = length();
    caret_ = std::clamp(caret_, 0, size);
    switch (vk) {
    case key(platform::VK_BACK):
        if (caret_ == 0) return 0;
        eraseAt(caret_ - 1);
        --caret_;
        return 1;
    case key(platform::VK_LEFT):
        caret_ = std::max(caret_ - 1, 0);
        return 1;
    case key(platform::VK_HOME):
        caret_ = 0;
        return 1;
    case key(platform::VK_RIGHT):
        caret_ = std::min(caret_ + 1, size);
        return 1;
    case key(platform::VK_END):
        caret_ = size;
        return 1;
    case key(platform::VK_DELETE):
        if (caret_ >= size) return 0;
        eraseAt(caret_);
        return 1;
    default:
        return 0;
    }
}
