#include "screens/dimmed_dialog.h"

#include "graphics/sprite.h"

void DimmedDialog::onShow() {
    Screen::onShow();
    dimPending_ = true;
}

void DimmedDialog::draw(int ox, int oy, Sprite& target) {
    if (dimPending_ && snapshot()) {
        snapshot()->FillRect(0, 0, 800, 600, 0x64000000u);  // black at alpha 100
        dimPending_ = false;
    }
    Screen::draw(ox, oy, target);
}
