#pragma once
// Screen: one page of the game, built from its file under data\menu\. Its
// children are the controls the file lists; the control under the mouse has
// the focus and receives the keys. A screen shown as an overlay keeps a
// picture of the screen underneath and draws it first, so that screen shows
// frozen behind it until closeOverlay returns to it.
//
// Screens with behaviour of their own derive from this class; the screen
// factory picks the class by name.

#include "ui/ui_element.h"

class ScreenManager;

class Screen : public UiElement {
public:
    Screen() = default;
    ~Screen() override;

    // Reads the screen file: position and size from [main], then the
    // controls that [main] lists under the keys "0", "1", ... in order.
    void load(const char* file, const char* section) override;
    void draw(int ox, int oy, Sprite& target) override;
    int update(int milliseconds) override;
    // Keys go to the focused control only.
    int keyDown(int key, platform::LParam lParam) override;
    int keyUp(int key, platform::LParam lParam) override;
    int charInput(int character, platform::LParam lParam) override;
    // The focus follows the mouse, unless the focused control keeps it.
    int mouseEvent(platform::WParam wParam, platform::LParam lParam) override;

    // Back to the screen this one was shown over, if any.
    virtual void closeOverlay();
    // Every control's clock restarts, so appearance delays replay.
    virtual void onShow();
    virtual void onHide();
    // Draws, oldest first, only the controls drawn every frame.
    virtual void drawDynamic(int ox, int oy, Sprite& target);
    // Draws the fixed controls (every control when `all` is 1) into the
    // layer cache and returns it; null for a screen without controls.
    virtual Sprite* renderStatic(int all);

    void setFocus(UiElement* control);
    // The first control, from the most recent, that can take the focus and
    // strictly contains the point; null if none.
    UiElement* hitTest(int px, int py) const;

    // The manager this screen belongs to; null before it is added.
    ScreenManager* manager() const;
    Sprite* snapshot() const { return snapshot_; }
    Screen* underlyingScreen() const { return underlying_; }
    Sprite* layerCache() const { return layerCache_; }

protected:
    void childFocusChanged() override;

private:
    friend class ScreenManager;
    // The picture of the screen underneath, made once and redrawn at each
    // showOverlay.
    Sprite* snapshotFor(Screen* below);
    void setUnderlyingScreen(Screen* below) { underlying_ = below; }

    Sprite* snapshot_ = nullptr;    // registered sprite, released here
    Screen* underlying_ = nullptr;  // not owned: a sibling under the manager
    Sprite* layerCache_ = nullptr;  // registered sprite, released here
};

// The control class a screen file's "type" names ("static", "button",
// "checkbox", "progress", "edit", any letter case); null for anything else.
std::unique_ptr<UiElement> makeControl(const char* type);
