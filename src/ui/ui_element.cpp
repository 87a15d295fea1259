#include "ui/ui_element.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

#include "config/ini_store.h"
#include "config/number_format.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "ui/control_sounds.h"
#include "ui/focus_mark.h"

namespace {

constexpr int kScreenValueLimit = 1000000;

}  // namespace

bool sameName(const char* a, const char* b) {
    if (!a || !b) return a == b;
    for (; *a && *b; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    }
    return *a == *b;
}

int readScreenInt(const char* file, const char* section, const char* key) {
    const std::int32_t value = iniReadInt(file, section, key);
    return std::clamp<std::int32_t>(value, -kScreenValueLimit, kScreenValueLimit);
}

bool hasScreenKey(const char* file, const char* section, const char* key) {
    return *iniReadString(file, section, key) != '\0';
}

Sprite* screenImage(const char* file, const char* section, const char* key) {
    return GetSprite(iniReadString(file, section, key));
}

bool hasPixels(const Sprite* sprite) { return sprite && sprite->width() > 0 && sprite->height() > 0; }

UiElement::~UiElement() {
    // Children go first, newest first, while their parent still exists.
    while (!children_.empty()) children_.pop_back();
}

void UiElement::addChild(std::unique_ptr<UiElement> child) {
    if (!child) return;
    child->parent_ = this;
    children_.push_back(std::move(child));
}

std::unique_ptr<UiElement> UiElement::unlinkChild(UiElement* child) {
    auto found = std::find_if(children_.begin(), children_.end(),
                              [child](const std::unique_ptr<UiElement>& c) { return c.get() == child; });
    if (found == children_.end()) return nullptr;
    std::unique_ptr<UiElement> out = std::move(*found);
    children_.erase(found);
    if (focusedChild_ == child) focusedChild_ = nullptr;
    out->parent_ = nullptr;
    return out;
}

void UiElement::deleteChild(UiElement* child) { unlinkChild(child); }

void UiElement::setText(const char* text) { copyBounded(caption_, text); }

int UiElement::onCommand(UiElement*) { return 0; }

void UiElement::load(const char* file, const char* section) {
    // A control's name is its section's name.
    setName(section);
    const int originX = parent_ ? parent_->x : 0;
    const int originY = parent_ ? parent_->y : 0;
    x = readScreenInt(file, section, "x") + originX;
    y = readScreenInt(file, section, "y") + originY;
    xs = readScreenInt(file, section, "xs");
    ys = readScreenInt(file, section, "ys");
    xalign = readScreenInt(file, section, "xalign");
    yalign = readScreenInt(file, section, "yalign");
    setText(iniReadString(file, section, "name"));
    bnotstatic = readScreenInt(file, section, "bnotstatic");
    if (hasScreenKey(file, section, "btabstop")) tabStop = iniReadInt(file, section, "btabstop") != 0;
    phase = iniReadInt(file, section, "phase");
    focusSound_ = controlSound(kFocusSound);
}

void UiElement::draw(int, int, Sprite&) {}

int UiElement::update(int milliseconds) {
    advanceClock(milliseconds);
    return 0;
}

int UiElement::keyDown(int, platform::LParam) { return 0; }
int UiElement::keyUp(int, platform::LParam) { return 0; }
int UiElement::charInput(int, platform::LParam) { return 0; }
int UiElement::mouseEvent(platform::WParam, platform::LParam) { return 0; }
void UiElement::setPromptText(const char*) {}

UiElement* UiElement::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    return children_[children_.size() - 1 - static_cast<std::size_t>(index)].get();
}

UiElement* UiElement::findChild(const char* name) const {
    if (!name) return nullptr;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (sameName((*it)->name(), name)) return it->get();
    }
    return nullptr;
}

void UiElement::setNumber(int number) {
    char text[16];
    formatThousands(text, sizeof text, number);
    setText(text);
}

void UiElement::setFocused(bool focused) {
    const bool changed = focused != focused_ || (!focused && keyMarked_);
    focused_ = focused;
    if (!focused) keyMarked_ = false;
    // After the change, so the re-rendered layer shows the new look.
    if (changed && parent_) parent_->childFocusChanged();
    if (focused) {
        playControlSound(focusSound_);
    } else {
        pressed_ = false;
    }
}

void UiElement::setKeyMarked(bool marked) {
    if (marked == keyMarked_) return;
    keyMarked_ = marked;
    if (parent_) parent_->childFocusChanged();
}

void UiElement::drawKeyMark(int ox, int oy, Sprite& target) const {
    if (keyMarked_ && visible) drawFocusMark(target, ox + x, oy + y, xs, ys, clock);
}

bool UiElement::containsStrictly(int px, int py) const {
    const std::int64_t left = x, top = y;
    return left < px && px < left + xs && top < py && py < top + ys;
}

void UiElement::advanceClock(int milliseconds) {
    clock = static_cast<int>(static_cast<std::uint32_t>(clock) + static_cast<std::uint32_t>(milliseconds));
}
