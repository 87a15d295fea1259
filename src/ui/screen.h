#pragma once
// Screen: one page of the game, built from its file under data\menu\. Its
// children are the controls the file lists; the control under the mouse has
// the focus and receives the keys. A screen shown as an overlay keeps a
// picture of the screen underneath and draws it first, so that screen shows
// frozen behind it until closeOverlay returns to it.
//
// The keyboard has a way through every screen too: Tab and Shift+Tab move
// the focus from control to control in the order of the screen file, marked
// so it can be seen, and Enter presses the marked control as a click would.
// The mouse's first move takes the mark away again.
//
// Screens with behaviour of their own derive from this class; the screen
// factory picks the class by name.

#include <vector>

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

    // The keyboard's way through the screen, tried before the screen's own
    // keys: Tab (Shift+Tab backwards) moves the marked focus to the next
    // control, Enter presses the marked control, Left and Right move a
    // marked bar. The arrows walk like Tab too (Down and Right forwards),
    // so a pad's d-pad crosses a menu; an arrow the screen keeps for itself
    // (takesArrowKey) or a marked bar's Left and Right do not. True when
    // the key was used; any other key, and Enter with nothing marked, is
    // left to the screen.
    bool navigateByKey(int key, bool shiftHeld);
    // The mouse is in use again: the focus stays where the mouse puts it,
    // unmarked.
    void dropKeyMark();
    // The marked control; null when the focus did not come from the keys.
    UiElement* keyMarkedControl() const;
    // Whether the screen is walked with Tab and Enter; the game screen
    // plays its board with the keys instead.
    virtual bool navigatesByKeys() const { return true; }
    // An arrow key the screen uses itself (a list's rows, a text field's
    // caret) rather than to walk its controls.
    virtual bool takesArrowKey(int /*key*/) const { return false; }
    // The controls Tab visits, in the order of the screen file: those the
    // mouse could focus (tab stops, enabled, visible).
    virtual std::vector<UiElement*> keyStops() const;
    // Enter on the marked control: what a click on it does. False when the
    // control takes no click (a bar, a text field).
    virtual bool pressByKey(UiElement& control);
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
    // Tab's step: the next (1) or previous (-1) stop after the focused
    // control, round the end; the first or last when nothing has the focus.
    // False when the screen has no control to walk.
    bool moveKeyFocus(int step);
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
