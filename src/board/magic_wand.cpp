#include "board/magic_wand.h"

#include <algorithm>

void MagicWand::startNewQuestGame() {
    count_ = kNewQuestGameWands;
    armed_ = false;
}

void MagicWand::setCount(int count) {
    count_ = std::clamp(count, 0, kMaxWands);
    if (count_ == 0) armed_ = false;
}

WandPress MagicWand::press(bool switchedOn) {
    armed_ = switchedOn && count_ > 0;
    return {armed_, cursorIndex()};
}

void MagicWand::used() {
    if (count_ > 0) --count_;
    armed_ = false;
}

void MagicWand::gained() {
    if (count_ < kMaxWands) ++count_;
}
