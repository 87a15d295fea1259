#pragma once
// ScreenManager: the root of the element tree and the one owner of every
// screen. It makes screens from their files on first use and keeps them for
// the whole run, switches between them (make current, preload, overlay over
// a picture of the current one), routes window input to the current screen
// and draws it with the game's own mouse cursor on top.

#include <cstdint>

#include "ui/screen.h"
#include "ui/screen_factory.h"
#include "ui/screen_notice.h"

class ScreenManager : public UiElement {
public:
    static constexpr int kCursorCount = 2;

    ScreenManager() = default;
    ~ScreenManager() override;

    // Loads the two cursor pictures; the arguments are not used.
    void load(const char* file, const char* section) override;
    // The current screen, the notice, then the cursor while the mouse is inside.
    void draw(int ox, int oy, Sprite& target) override;
    // Follows the mouse in and out of the window; non-zero once a quit was
    // requested or the current screen asks to close.
    int update(int milliseconds) override;
    virtual void handleWindowMessage(std::uint32_t message, platform::WParam wParam, platform::LParam lParam);

    // The screen of that name, made and loaded from "data\menu\NAME.ini" the
    // first time. With makeCurrent it becomes the current screen (onHide of
    // the old one, onShow of the new one, also when it already was current);
    // without, it is only preloaded. Null for an empty name.
    Screen* showScreen(const char* name, int makeCurrent);
    // Makes the named screen current over a picture of the current one, to
    // which its closeOverlay returns.
    Screen* showOverlay(const char* name);
    // Makes one of this manager's screens current again.
    void selectScreen(Screen* screen);
    // The next update closes the program.
    void requestQuit() { quitRequested_ = true; }
    // Whether the player has just typed the word, in either case.
    bool typedWordMatches(const char* word);

    Screen* currentScreen() const;
    ScreenFactory& factory() { return factory_; }
    // The line over every screen that tells the player what went wrong.
    ScreenNotice& notice() { return notice_; }

    // 0 when NOTCustom asks for the system cursor everywhere; otherwise
    // whether the mouse is over the picture, edges included.
    bool mouseInClient() const;

    int cursorIndex = 0;  // 1 while the magic wand is armed
    int mouseX() const { return mouseX_; }
    int mouseY() const { return mouseY_; }
    bool mouseInside() const { return mouseInside_; }
    bool leftHeld() const { return leftHeld_; }
    bool rightHeld() const { return rightHeld_; }
    // Shift is down (Shift+Tab walks the controls backwards).
    bool shiftHeld() const { return shiftHeld_; }

private:
    struct CursorRecord {
        int hotX = 0, hotY = 0;
        Sprite* sprite = nullptr;  // shared picture
    };
    const CursorRecord* currentCursor() const;
    void routeMouse(std::uint32_t message, platform::WParam wParam, platform::LParam lParam);

    ScreenFactory factory_;
    ScreenNotice notice_;
    CursorRecord cursors_[kCursorCount] = {{19, 19, nullptr}, {13, 13, nullptr}};
    int mouseX_ = 0, mouseY_ = 0;
    bool mouseInside_ = false;
    bool leftHeld_ = false, rightHeld_ = false;
    bool shiftHeld_ = false;
    bool quitRequested_ = false;
};
