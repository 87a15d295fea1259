#pragma once
// MainMenuScreen ("mainmenu"): the hub between games. It shows the current
// player's name (a click on it opens the player list), starts the four
// modes, and opens the options, the high-score table and the rules over
// itself. Every return to it fades in from black; choosing puzzle, action
// or cube fades to black before the game starts. Confetti falls while it is
// the current screen.
//
// Without a current player nothing else is possible: the name dialog opens
// at once, without its "cancel".

#include "ui/screen.h"

class MainMenuScreen : public Screen {
public:
    static constexpr int kFadeMs = 500;
    // The player's name: a click strictly inside opens the player list.
    static constexpr int kNameLeft = 360, kNameRight = 665, kNameTop = 80, kNameBottom = 170;

    int onCommand(UiElement* source) override;
    void onShow() override;
    // Gives the confetti's emitter slots back: the game the player goes to
    // needs them for the trails of its flying pieces.
    void onHide() override;
    int update(int milliseconds) override;
    void draw(int ox, int oy, Sprite& target) override;
    int keyDown(int key, platform::LParam lParam) override;
    // The player's name is a stop for Tab too, before the buttons: Enter
    // on it opens the player list, as a click does.
    std::vector<UiElement*> keyStops() const override;
    bool pressByKey(UiElement& control) override;

    // The win screens ask for the table; it opens once the fade-in is over.
    void requestHighScores() { highScoresRequested_ = true; }
    // Starts the half-second fade in from black.
    void fadeIn() { fadeTimer_ = -kFadeMs; }

    int fadeTimer() const { return fadeTimer_; }
    bool fading() const { return fadeTimer_ < 0 || modeRequested(); }

private:
    enum class Mode { None, Puzzle, Action, Cube };

    bool modeRequested() const { return requestedMode_ != Mode::None; }
    void requestMode(Mode mode);
    void openOverlay(const char* name);
    void askForPlayerName();
    void startRequestedGame();
    void throwConfetti();
    void releaseConfetti();

    int fadeTimer_ = -kFadeMs;
    bool highScoresRequested_ = false;
    bool confettiPending_ = true;
    Mode requestedMode_ = Mode::None;
    int confettiSlots_[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};
