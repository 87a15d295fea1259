#include "board/gem_collector.h"

#include <algorithm>

#include "board/board_host.h"
#include "board/board_types.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"

namespace {

// The first level of each step up in slots.
struct SlotStep {
    int fromLevel;
    int slots;
};
constexpr SlotStep kSlotSteps[] = {{33, 8}, {25, 7}, {18, 6}, {12, 5}, {6, 4}};
constexpr int kFewestSlots = 3;

constexpr int kSlotPitch = 48;
constexpr int kRowLeft = 398;
constexpr int kQuestShift = 32;
// The spark burst of a filled slot is centred on it.
constexpr int kBurstLeft = 432;
constexpr int kBurstY = 40;

}  // namespace

int GemCollector::slotsForLevel(int level) {
    for (const SlotStep& step : kSlotSteps)
        if (level >= step.fromLevel) return step.slots;
    return kFewestSlots;
}

void GemCollector::reset(int level) {
    slots_ = slotsForLevel(level);
    filled_ = 0;
}

bool GemCollector::receive(BoardEffects* effects) {
    if (full()) return false;
    if (effects) effects->burst10(float(kSlotPitch * filled_ - (kSlotPitch / 2) * slots_ + kBurstLeft), float(kBurstY));
    ++filled_;
    return full();
}

void GemCollector::restore(int filled) { filled_ = std::clamp(filled, 0, slots_); }

int GemCollector::slotX(int i, BoardMode mode) const {
    const int x = kRowLeft - (kSlotPitch / 2) * slots_ + kSlotPitch * i;
    return mode == BoardMode::ModeQuest ? x + kQuestShift : x;
}

void GemCollector::load() {
    slotPicture_ = GetSprite("DATA\\fx\\diamond_collector.jpg");
    gemPicture_ = GetSprite("DATA\\fx\\diamond_collector_a.jpg");
}

void GemCollector::draw(Sprite& target, BoardMode mode) const {
    if (mode == BoardMode::ModePuzzle) return;
    if (slotPicture_)
        for (int i = 0; i < slots_; ++i) target.Blit(slotX(i, mode), kSlotY, *slotPicture_, BLEND_NORMAL, 0);
    if (gemPicture_)
        for (int i = 0; i < filled_; ++i)
            target.Blit(slotX(i, mode) + kGemDx, kSlotY + kGemDy, *gemPicture_, BLEND_NORMAL, 0);
}
