#include "graphics/sprite_registry.h"

#include <new>
#include <utility>

bool SpriteRegistry::create(int capacity) {
    if (slots_) return true;
    return grow(capacity > 0 ? capacity : initialCapacity);
}

bool SpriteRegistry::grow(int newCapacity) {
    std::unique_ptr<std::unique_ptr<Sprite>[]> larger(new (std::nothrow) std::unique_ptr<Sprite>[newCapacity]);
    if (!larger) return false;
    for (int i = 0; i < count_; ++i) larger[i] = std::move(slots_[i]);
    slots_ = std::move(larger);
    capacity_ = newCapacity;
    return true;
}

Sprite* SpriteRegistry::add(std::unique_ptr<Sprite> sprite) {
    if (!sprite) return nullptr;
    for (int i = 0; i < count_; ++i) {
        if (!slots_[i]) {
            slots_[i] = std::move(sprite);
            return slots_[i].get();
        }
    }
    // A registry freed by destroyAll starts again at its initial size.
    if (capacity_ == 0 && !grow(initialCapacity)) return nullptr;
    if (count_ == capacity_ && !grow(capacity_ + capacity_ / 2 + 1)) return nullptr;
    Sprite* added = sprite.get();
    slots_[count_++] = std::move(sprite);
    // Should this growth fail, the sprite is still in and the next add retries.
    if (count_ == capacity_) grow(capacity_ + capacity_ / 2);
    return added;
}

bool SpriteRegistry::release(Sprite* sprite) {
    if (!sprite) return false;
    for (int i = 0; i < count_; ++i) {
        if (slots_[i].get() == sprite) {
            slots_[i].reset();
            return true;
        }
    }
    return false;
}

void SpriteRegistry::destroyAll() {
    for (int i = count_ - 1; i >= 0; --i) slots_[i].reset();
    slots_.reset();
    count_ = 0;
    capacity_ = 0;
}

SpriteRegistry& spriteRegistry() {
    static SpriteRegistry registry;
    return registry;
}
