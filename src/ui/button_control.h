#pragma once
// ButtonControl ("button"): four state pictures (normal, active under the
// mouse, pressed, disabled), a caption in the menu font and a click. The
// left button going down presses it ("click"); coming up over it tells the
// screen (onCommand). A button may carry a prompt: another button, drawn in
// the same state, that holds a second text.
//
// A disabled button stays where it is, dimmed, so the player sees that it
// is there and cannot be pressed now: its disabled picture where the screen
// file gives one, else its own face, let through at a third of its
// strength over what lies behind.

#include <memory>

#include "ui/static_control.h"

class ButtonControl : public StaticControl {
public:
    static constexpr int kNormal = 0, kActive = 1, kPressed = 2, kDisabled = 3;

    ButtonControl();
    ~ButtonControl() override;

    // Common keys, "prompt", the pictures "path", "path_a" (defaults to
    // the normal one), "path_p" (defaults to the active one) and "path_d",
    // and a size from the picture or else the caption.
    void load(const char* file, const char* section) override;
    // Nothing while invisible; dimmed while disabled.
    void draw(int ox, int oy, Sprite& target) override;
    int keyDown(int key, platform::LParam lParam) override;
    int keyUp(int key, platform::LParam lParam) override;
    void setPromptText(const char* text) override;
    // What the press does beyond pressing; buttons do nothing more.
    virtual void onPress();

    Sprite* stateImage(int state) const { return state >= 0 && state < 4 ? images_[state] : nullptr; }
    ButtonControl* prompt() const { return prompt_.get(); }

protected:
    // The button part of a load, shared by check boxes and bars.
    void loadButton(const char* file, const char* section);
    // 2 pressed (and still under the mouse), 1 under the mouse, else 0.
    int mouseState() const;
    void playClick() const;

private:
    void drawDisabled(int ox, int oy, Sprite& target);
    void drawCaption(Sprite& target, int x, int y, int state, bool onPicture) const;

    Sprite* images_[4] = {};
    std::unique_ptr<ButtonControl> prompt_;
    SoundGroup* clickSound_ = nullptr;
    bool isPrompt_ = false;
    Sprite* dimmedFace_ = nullptr;  // work picture of the disabled look; registered, released here
};
