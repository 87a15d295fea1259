#pragma once
// CheckboxControl ("checkbox"): a button that holds an on/off value. The
// press itself toggles it and tells the screen at once; the pictures are
// normal = off, active = off under the mouse, pressed = on, and disabled.

#include "ui/button_control.h"

class CheckboxControl : public ButtonControl {
public:
    // The button keys, then "value"; a size still missing is the pressed
    // picture's.
    void load(const char* file, const char* section) override;
    void draw(int ox, int oy, Sprite& target) override;
    int keyDown(int key, platform::LParam lParam) override;
    int keyUp(int key, platform::LParam lParam) override;
    void onPress() override;

    int value = 0;  // 0 off, 1 on
};
