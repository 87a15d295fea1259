#pragma once
// SlidingPanelScreen: an overlay whose controls slide in from the right over
// a frozen picture of the screen underneath, rest, and slide out again, after
// which the overlay closes itself. Escape slides it out. The options panel,
// the pause menu, the player list, the help book and the high-score table
// are all such panels; each adds its own commands.
//
// The panel's offset is how far right of their places the controls are
// drawn: 650 when sliding in starts, 0 at rest, 550 when it has left.

#include "ui/screen.h"

struct SoundGroup;

class SlidingPanelScreen : public Screen {
public:
    static constexpr float kStartOffset = 650.0f;
    static constexpr float kLeftOffset = 550.0f;

    void load(const char* file, const char* section) override;
    // Slides in (with the "options" sound unless the panel is silent).
    void onShow() override;
    int update(int milliseconds) override;
    // Escape slides out; every key then also goes to the focused control.
    int keyDown(int key, platform::LParam lParam) override;
    void draw(int ox, int oy, Sprite& target) override;

    // Slides out with the "options" sound.
    void slideOut();
    float panelOffset() const { return offset_; }
    // A dialog closing over the panel puts it back at rest.
    void setPanelOffset(float offset) { offset_ = offset; }
    bool sliding() const { return direction_ != 0; }

protected:
    // Panels that open without a sound (the high-score table) say so.
    void setSilentShow(bool silent) { silentShow_ = silent; }
    void playPanelSound();
    // The panel's controls at the current offset; derived panels draw more
    // on top with `panelX`.
    void drawPanel(Sprite& target);
    int panelX() const;

private:
    SoundGroup* sound_ = nullptr;
    float offset_ = kStartOffset;
    float stepFactor_ = 10.0f;
    int direction_ = 0;  // -1 sliding in, 0 resting, +1 sliding out
    bool arrived_ = false;
    bool silentShow_ = false;
};
