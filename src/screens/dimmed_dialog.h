#pragma once
// DimmedDialog: a dialog over a darkened picture of the screen underneath,
// so the question stands out from the menu or game it interrupts.

#include "ui/screen.h"

class DimmedDialog : public Screen {
public:
    void onShow() override;
    void draw(int ox, int oy, Sprite& target) override;

private:
    // The picture underneath is taken just after the dialog is shown: it
    // is darkened at the first drawing.
    bool dimPending_ = false;
};
