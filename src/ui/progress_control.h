#pragma once
// ProgressControl ("progress"): a horizontal bar showing a value from 0 to
// 1, the filled part from one picture and the rest from another, with an
// optional knob (the button pictures) that the mouse drags. The loading bar
// and the volume sliders. A bar only for display says "btabstop=0".

#include "ui/button_control.h"

class ProgressControl : public ButtonControl {
public:
    // The button keys (the knob), then "leftpath" (filled) and "rightpath"
    // (empty); the bar is as wide and high as those pictures, and the
    // control's rectangle reaches half a knob beyond either end.
    void load(const char* file, const char* section) override;
    void draw(int ox, int oy, Sprite& target) override;
    // The left button sets the value where it goes down and starts a drag.
    int keyDown(int key, platform::LParam lParam) override;
    int keyUp(int key, platform::LParam lParam) override;
    // While dragging, the value follows the mouse, also outside the bar.
    int mouseEvent(platform::WParam wParam, platform::LParam lParam) override;

    // Above 1 becomes 1; below 0.01, and anything not a number, becomes 0.
    void setValue(float v);
    float value() const { return value_; }
    int barWidth() const { return barWidth_; }
    int barOrigin() const { return barOrigin_; }
    // The filled length in pixels: bar width x value, halves to even.
    int filledWidth() const;

private:
    bool draggable() const { return visible && tabStop; }
    // Sets the value under the mouse.
    void followMouse(platform::LParam lParam);

    float value_ = 0.4f;
    int barWidth_ = 0;
    int barOrigin_ = 0;
    Sprite* fill_ = nullptr;
    Sprite* empty_ = nullptr;
};
