#include "sound/sound_list.h"

#include "sound/sound.h"

SoundList::SoundList() { reset(); }

void SoundList::reset() {
    slots_.clear();
    slots_.resize(kInitialCapacity);
    count_ = 0;
}

Sound* SoundList::add(std::unique_ptr<Sound> sound) {
    Sound* added = sound.get();
    for (int i = 0; i < count_; ++i) {
        if (!slots_[std::size_t(i)]) {
            slots_[std::size_t(i)] = std::move(sound);
            return added;
        }
    }
    if (count_ == capacity()) slots_.resize(slots_.size() + slots_.size() / 2);
    slots_[std::size_t(count_++)] = std::move(sound);
    return added;
}

void SoundList::remove(const Sound* sound) {
    for (int i = 0; i < count_; ++i) {
        if (slots_[std::size_t(i)].get() == sound) {
            // Out of the slot first: the sound may be the caller on the stack.
            std::unique_ptr<Sound> leaving = std::move(slots_[std::size_t(i)]);
            return;
        }
    }
}
