#pragma once
// The list of every live sound: what the sound thread walks, what lookups by
// name search and what volume changes and shutdown go through. A new sound
// takes the first empty slot; the list grows by half when every slot up to
// its capacity has been used. A removed sound leaves its slot empty, and the
// count of slots in use never shrinks, so slots keep their order.

#include <memory>
#include <vector>

class Sound;

class SoundList {
public:
    static constexpr int kInitialCapacity = 200;

    SoundList();

    Sound* add(std::unique_ptr<Sound> sound);
    // Empties the sound's slot and destroys it.
    void remove(const Sound* sound);
    // Back to the state at program start.
    void reset();

    int count() const { return count_; }
    int capacity() const { return static_cast<int>(slots_.size()); }
    // The sound in slot `index` (below count), or null for an empty slot.
    Sound* at(int index) const { return slots_[std::size_t(index)].get(); }

private:
    std::vector<std::unique_ptr<Sound>> slots_;
    int count_ = 0;
};
