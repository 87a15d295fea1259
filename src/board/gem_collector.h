#pragma once
// GemCollector: the row of gem slots at the top of the game screen. Every
// big gem of a level fills one slot; the gem that fills the last one earns
// the gem bonus, so it is paid at most once a level. Later levels have more
// slots to fill.

#include "board/board_types.h"

class BoardEffects;
class Sprite;

class GemCollector {
public:
    static constexpr int kMaxSlots = 8;

    // 3 slots for levels 1-5, 4 for 6-11, 5 for 12-17, 6 for 18-24, 7 for
    // 25-32 and 8 from 33 on (and 3 for anything below 1).
    static int slotsForLevel(int level);

    // A new level: its slots, none filled.
    void reset(int level);
    // A big gem arrives. A full collector takes nothing; otherwise the
    // next slot fills with a burst of sparks. True when this gem filled the
    // last slot.
    bool receive(BoardEffects* effects);
    bool full() const { return filled_ >= slots_; }
    // A saved game's count, kept within 0..slots.
    void restore(int filled);

    int slots() const { return slots_; }
    int filled() const { return filled_; }

    // Where slot i is drawn; quest mode's collector sits 32 pixels right of
    // the others'.
    int slotX(int i, BoardMode mode) const;
    static constexpr int kSlotY = 10;
    static constexpr int kGemDx = 18, kGemDy = 13;  // a filled slot's gem within it

    void load();
    // Every slot, then the gems of the filled ones; nothing in puzzle mode.
    void draw(Sprite& target, BoardMode mode) const;

private:
    int slots_ = 3;
    int filled_ = 0;
    Sprite* slotPicture_ = nullptr;
    Sprite* gemPicture_ = nullptr;
};
