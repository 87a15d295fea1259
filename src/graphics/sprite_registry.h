#pragma once
// SpriteRegistry: owns every sprite the game loads or creates, so pictures
// are shared by path and all of them go away together when the display
// closes. Slots keep their positions: a released sprite leaves a null slot
// that the next new sprite takes, and the count never shrinks.

#include <memory>

#include "graphics/sprite.h"

class SpriteRegistry {
public:
    static constexpr int initialCapacity = 1000;

    SpriteRegistry() = default;
    SpriteRegistry(const SpriteRegistry&) = delete;
    SpriteRegistry& operator=(const SpriteRegistry&) = delete;

    // Makes room for `capacity` sprites if the registry holds no storage yet.
    bool create(int capacity = initialCapacity);
    // Takes the sprite into the first null slot, else appends it; the storage
    // grows by half when the count reaches the capacity. Null if out of memory.
    Sprite* add(std::unique_ptr<Sprite> sprite);
    // Removes the sprite and destroys it; false if it is not registered.
    bool release(Sprite* sprite);
    // Destroys every sprite, last slot first, and frees the storage.
    void destroyAll();

    int count() const { return count_; }
    int capacity() const { return capacity_; }
    Sprite* at(int slot) const { return slot >= 0 && slot < count_ ? slots_[slot].get() : nullptr; }

private:
    bool grow(int newCapacity);

    std::unique_ptr<std::unique_ptr<Sprite>[]> slots_;
    int count_ = 0;
    int capacity_ = 0;
};

// The registry of the process.
SpriteRegistry& spriteRegistry();
